#include "model/Isotopes.h"

#include <cctype>
#include <cmath>
#include <string>

#include "model/LineTokens.h"
#include "model/ElementTable.h"
#include "model/NumberText.h"
#include "platform/Messages.h"

namespace kalviro {

namespace {

// Texts the user sees.

struct Isotope {
    int z;
    int a;
    double mass; // amu
};

// Atomic masses of the stable (and a few long-lived) isotopes, from the
// Atomic Mass Evaluation 2016 as tabulated by NIST ("Atomic Weights and
// Isotopic Compositions").
// clang-format off
constexpr Isotope kIsotopes[] = {
    {1, 1, 1.00782503223},   {1, 2, 2.01410177812},   {1, 3, 3.0160492779},
    {2, 3, 3.0160293201},    {2, 4, 4.00260325413},   {3, 6, 6.0151228874},
    {3, 7, 7.0160034366},    {4, 9, 9.012183065},     {5, 10, 10.01293695},
    {5, 11, 11.00930536},    {6, 12, 12.0},           {6, 13, 13.00335483507},
    {6, 14, 14.0032419884},  {7, 14, 14.00307400443}, {7, 15, 15.00010889888},
    {8, 16, 15.99491461957}, {8, 17, 16.99913175650}, {8, 18, 17.99915961286},
    {9, 19, 18.99840316273}, {10, 20, 19.9924401762}, {10, 21, 20.993846685},
    {10, 22, 21.991385114},  {11, 23, 22.9897692820}, {12, 24, 23.985041697},
    {12, 25, 24.985836976},  {12, 26, 25.982592968},  {13, 27, 26.98153853},
    {14, 28, 27.97692653465}, {14, 29, 28.97649466490}, {14, 30, 29.973770136},
    {15, 31, 30.97376199842}, {16, 32, 31.9720711744}, {16, 33, 32.9714589098},
    {16, 34, 33.967867004},  {16, 36, 35.96708071},   {17, 35, 34.968852682},
    {17, 37, 36.965902602},  {18, 36, 35.967545105},  {18, 38, 37.96273211},
    {18, 40, 39.9623831237}, {19, 39, 38.9637064864}, {19, 40, 39.963998166},
    {19, 41, 40.9618252579}, {20, 40, 39.962590863},  {20, 42, 41.95861783},
    {20, 43, 42.95876644},   {20, 44, 43.95548156},   {20, 46, 45.9536890},
    {20, 48, 47.95252276},   {21, 45, 44.95590828},   {22, 46, 45.95262772},
    {22, 47, 46.95175879},   {22, 48, 47.94794198},   {22, 49, 48.94786568},
    {22, 50, 49.94478689},   {23, 50, 49.94715601},   {23, 51, 50.94395704},
    {24, 50, 49.94604183},   {24, 52, 51.94050623},   {24, 53, 52.94064815},
    {24, 54, 53.93887916},   {25, 55, 54.93804391},   {26, 54, 53.93960899},
    {26, 56, 55.93493633},   {26, 57, 56.93539284},   {26, 58, 57.93327443},
    {27, 59, 58.93319429},   {28, 58, 57.93534241},   {28, 60, 59.93078588},
    {28, 61, 60.93105557},   {28, 62, 61.92834537},   {28, 64, 63.92796682},
    {29, 63, 62.92959772},   {29, 65, 64.92778970},   {30, 64, 63.92914201},
    {30, 66, 65.92603381},   {30, 67, 66.92712775},   {30, 68, 67.92484455},
    {30, 70, 69.9253192},    {31, 69, 68.9255735},    {31, 71, 70.92470258},
    {32, 70, 69.92424875},   {32, 72, 71.922075826},  {32, 73, 72.923458956},
    {32, 74, 73.921177761},  {32, 76, 75.921402726},  {33, 75, 74.92159457},
    {34, 74, 73.922475934},  {34, 76, 75.919213704},  {34, 77, 76.919914154},
    {34, 78, 77.91730928},   {34, 80, 79.9165218},    {34, 82, 81.9166995},
    {35, 79, 78.9183376},    {35, 81, 80.9162897},    {36, 78, 77.92036494},
    {36, 80, 79.91637808},   {36, 82, 81.91348273},   {36, 83, 82.91412716},
    {36, 84, 83.9114977282}, {36, 86, 85.9106106269}, {37, 85, 84.9117897379},
    {37, 87, 86.9091805310}, {38, 84, 83.9134191},    {38, 86, 85.9092606},
    {38, 87, 86.9088775},    {38, 88, 87.9056125},    {39, 89, 88.9058403},
    {40, 90, 89.9046977},    {40, 91, 90.9056396},    {40, 92, 91.9050347},
    {40, 94, 93.9063108},    {40, 96, 95.9082714},    {41, 93, 92.9063730},
    {42, 92, 91.90680796},   {42, 94, 93.9050849},    {42, 95, 94.90583877},
    {42, 96, 95.90467612},   {42, 97, 96.90601812},   {42, 98, 97.90540482},
    {42, 100, 99.9074718},   {43, 98, 97.9072124},    {44, 96, 95.90759025},
    {44, 98, 97.9052868},    {44, 99, 98.9059341},    {44, 100, 99.9042143},
    {44, 101, 100.9055769},  {44, 102, 101.9043441},  {44, 104, 103.9054275},
    {45, 103, 102.905498},   {46, 102, 101.9056022},  {46, 104, 103.9040305},
    {46, 105, 104.9050796},  {46, 106, 105.9034804},  {46, 108, 107.9038916},
    {46, 110, 109.9051722},  {47, 107, 106.9050916},  {47, 109, 108.9047553},
    {48, 106, 105.9064599},  {48, 108, 107.9041834},  {48, 110, 109.90300661},
    {48, 111, 110.90418287}, {48, 112, 111.90276287}, {48, 113, 112.90440813},
    {48, 114, 113.90336509}, {48, 116, 115.90476315}, {49, 113, 112.90406184},
    {49, 115, 114.903878776}, {50, 112, 111.90482387}, {50, 114, 113.9027827},
    {50, 115, 114.903344699}, {50, 116, 115.90174280}, {50, 117, 116.90295398},
    {50, 118, 117.90160657}, {50, 119, 118.90331117}, {50, 120, 119.90220163},
    {50, 122, 121.9034438},  {50, 124, 123.9052766},  {51, 121, 120.903812},
    {51, 123, 122.9042132},  {52, 120, 119.9040593},  {52, 122, 121.9030435},
    {52, 123, 122.9042698},  {52, 124, 123.9028171},  {52, 125, 124.9044299},
    {52, 126, 125.9033109},  {52, 128, 127.90446128}, {52, 130, 129.906222748},
    {53, 127, 126.9044719},  {54, 124, 123.905892},   {54, 126, 125.9042983},
    {54, 128, 127.903531},   {54, 129, 128.9047808611}, {54, 130, 129.903509349},
    {54, 131, 130.90508406}, {54, 132, 131.9041550856}, {54, 134, 133.90539466},
    {54, 136, 135.907214484},
};

// Mass number of the most abundant isotope of elements 1 .. 54 (Tc: the
// longest-lived one the programs use).
constexpr int kMostAbundant[] = {
    1,  4,  7,  9,  11, 12, 14, 16, 19, 20, 23,  24,  27,  28,  31,  32,  35,  40,
    39, 40, 45, 48, 51, 52, 55, 56, 59, 58, 63,  64,  69,  74,  75,  80,  79,  84,
    85, 88, 89, 90, 93, 98, 98, 102, 103, 106, 107, 114, 115, 120, 121, 130, 127, 132,
};
// clang-format on

std::optional<double> massOf(int z, int a) {
    for (const Isotope& i : kIsotopes)
        if (i.z == z && i.a == a)
            return i.mass;
    return std::nullopt;
}

std::string itemError(std::string_view item, const char* reason) {
    return std::string(msg::kIsotopeItemPrefix) + std::string(item) + msg::kIsotopeItemSuffix + reason;
}

} // namespace

std::optional<double> standardIsotopeMass(int z) {
    constexpr int known = static_cast<int>(std::size(kMostAbundant));
    if (z < 1 || z > known)
        return std::nullopt;
    return massOf(z, kMostAbundant[z - 1]);
}

std::optional<double> isotopeMass(std::string_view name) {
    name = trimmed(name);
    if (name == "D")
        return massOf(1, 2);
    if (name == "T")
        return massOf(1, 3);
    std::size_t digits = 0;
    while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits])))
        ++digits;
    if (digits == 0 || digits > 3 || digits == name.size() || name.size() - digits > 2)
        return std::nullopt;
    // Symbols in any case: "13c" and "37CL" are meant as 13C and 37Cl.
    std::string symbol(name.substr(digits));
    symbol[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(symbol[0])));
    for (std::size_t i = 1; i < symbol.size(); ++i)
        symbol[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(symbol[i])));
    const auto z = elementByExactSymbol(symbol);
    if (!z)
        return std::nullopt;
    return massOf(*z, std::stoi(std::string(name.substr(0, digits))));
}

ReadResult<std::vector<MassChange>> parseIsotopeChanges(std::string_view text, int atomCount) {
    using Result = ReadResult<std::vector<MassChange>>;
    std::vector<MassChange> changes;
    if (trimmed(text).empty())
        return Result::failure(msg::kIsotopeEmptyList);
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos)
            return Result::failure(itemError(item, msg::kIsotopeNotAnItem));
        const std::string_view atomText = trimmed(item.substr(0, eq));
        const std::string_view massText = trimmed(item.substr(eq + 1));
        long atom = 0;
        if (!parseWholeInteger(atomText, atom) || massText.empty())
            return Result::failure(itemError(item, msg::kIsotopeNotAnItem));
        if (atom < 1 || atom > atomCount)
            return Result::failure(itemError(item, msg::kIsotopeAtomOutOfRange));
        double mass = 0.0;
        if (!parseWholeNumber(massText, mass)) {
            const auto named = isotopeMass(massText);
            if (!named)
                return Result::failure(itemError(item, msg::kIsotopeUnknownIsotope));
            mass = *named;
        }
        if (!(mass > 0.0) || !std::isfinite(mass))
            return Result::failure(itemError(item, msg::kIsotopeMassNotPositive));
        changes.push_back({static_cast<int>(atom - 1), mass});
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return changes;
}

std::vector<double> applyMassChanges(std::vector<double> masses,
                                     const std::vector<MassChange>& changes) {
    for (const MassChange& c : changes)
        if (c.atom >= 0 && static_cast<std::size_t>(c.atom) < masses.size())
            masses[static_cast<std::size_t>(c.atom)] = c.mass;
    return masses;
}

} // namespace kalviro
