#include "model/ElementTable.h"

#include <array>
#include <cctype>

namespace kalviro {
namespace {

constexpr std::array<std::string_view, kLastElement + 1> kSymbols = {
    "LP", "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si",
    "P",  "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu",
    "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru",
    "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr",
    "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",
    "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac",
    "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf",
    "Db", "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og",
};

// 0 .. 49: the program's own radii, kept as they always were (they decide
// which bonds users see). 50 .. 96: covalent radii of B. Cordero et al.,
// "Covalent radii revisited", Dalton Trans. 2008, 2832-2838 (sp3 values where
// several are given). 97 .. 118: single-bond radii of P. Pyykko and
// M. Atsumi, Chem. Eur. J. 15 (2009) 186-197, for the elements Cordero's set
// does not cover.
constexpr std::array<double, kLastElement + 1> kRadii = {
    0.01, 0.29, 1.3,  1.23, 0.9,  0.82, 0.77, 0.75, 0.73, 0.72, 1.6,  // LP .. Ne
    1.54, 1.36, 1.18, 1.11, 1.06, 1.02, 0.99, 1.9,  2.03, 1.74,       // Na .. Ca
    1.44, 1.32, 1.22, 1.18, 1.17, 1.17, 1.16, 1.15, 1.17, 1.25,       // Sc .. Zn
    1.26, 1.22, 1.2,  1.16, 1.14, 2.0,  2.16, 1.91, 1.62, 1.45,       // Ga .. Zr
    1.34, 1.3,  1.27, 1.25, 1.25, 1.28, 1.34, 1.48, 1.44,             // Nb .. In
    1.39, 1.39, 1.38, 1.39, 1.40, 2.44, 2.15,                         // Sn .. Ba
    2.07, 2.04, 2.03, 2.01, 1.99, 1.98, 1.98, 1.96, 1.94, 1.92,       // La .. Dy
    1.92, 1.89, 1.90, 1.87, 1.87, 1.75, 1.70, 1.62, 1.51, 1.44,       // Ho .. Os
    1.41, 1.36, 1.36, 1.32, 1.45, 1.46, 1.48, 1.40, 1.50, 1.50,       // Ir .. Rn
    2.60, 2.21, 2.15, 2.06, 2.00, 1.96, 1.90, 1.87, 1.80, 1.69,       // Fr .. Cm
    1.68, 1.68, 1.65, 1.67, 1.73, 1.76, 1.61, 1.57, 1.49, 1.43,       // Bk .. Sg
    1.41, 1.34, 1.29, 1.28, 1.21, 1.22, 1.36, 1.43, 1.62, 1.75,       // Bh .. Lv
    1.65, 1.57,                                                       // Ts, Og
};

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::optional<int> elementByLettersIgnoringCase(std::string_view letters) {
    for (int n = 1; n <= kLastElement; ++n) {
        if (sameLetters(kSymbols[n], letters))
            return n;
    }
    return std::nullopt;
}

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

} // namespace

std::string_view elementSymbol(int n) {
    if (n < 0 || n > kLastElement)
        return {};
    return kSymbols[n];
}

double atomRadius(int n) {
    if (n < 0 || n > kLastElement)
        return 0.01;
    return kRadii[n];
}

std::optional<int> elementByExactSymbol(std::string_view text) {
    for (int n = 1; n <= kLastElement; ++n) {
        if (kSymbols[n] == text)
            return n;
    }
    return std::nullopt;
}

std::optional<int> elementByLabelPrefix(std::string_view label) {
    if (label.size() >= 2 && isLetter(label[0]) && isLetter(label[1])) {
        if (auto n = elementByLettersIgnoringCase(label.substr(0, 2)))
            return n;
    }
    if (!label.empty() && isLetter(label[0]))
        return elementByLettersIgnoringCase(label.substr(0, 1));
    return std::nullopt;
}

} // namespace kalviro
