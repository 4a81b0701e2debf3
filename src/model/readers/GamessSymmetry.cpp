#include "model/readers/GamessSymmetry.h"

#include <array>
#include <cctype>
#include <cmath>

#include "model/LineTokens.h"
#include "model/NumberText.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// Texts the user sees.

// Atoms closer than this are one atom: input coordinates of atoms on a
// mirror plane or an axis are often typed with a few decimals only.
constexpr double kSameAtom = 1e-2;
// The largest NAXIS the program accepts.
constexpr int kMostOrder = 8;

using Matrix = std::array<double, 9>; // row major

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix c{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                c[3 * i + j] += a[3 * i + k] * b[3 * k + j];
    return c;
}

bool same(const Matrix& a, const Matrix& b) {
    for (int k = 0; k < 9; ++k)
        if (std::fabs(a[k] - b[k]) > 1e-9)
            return false;
    return true;
}

constexpr Matrix kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
constexpr Matrix kInversion = {-1, 0, 0, 0, -1, 0, 0, 0, -1};
constexpr Matrix kMirrorXY = {1, 0, 0, 0, 1, 0, 0, 0, -1}; // sigma-h
constexpr Matrix kMirrorXZ = {1, 0, 0, 0, -1, 0, 0, 0, 1}; // sigma-v
constexpr Matrix kC2X = {1, 0, 0, 0, -1, 0, 0, 0, -1};
// The three-fold axis along (1, 1, 1): x -> y -> z -> x.
constexpr Matrix kC3Diagonal = {0, 0, 1, 1, 0, 0, 0, 1, 0};

Matrix rotationZ(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {c, -s, 0, s, c, 0, 0, 0, 1};
}

// Every product of the generators.
std::vector<Matrix> closure(const std::vector<Matrix>& generators) {
    std::vector<Matrix> group{kIdentity};
    for (std::size_t i = 0; i < group.size(); ++i)
        for (const Matrix& g : generators) {
            const Matrix product = multiply(g, group[i]);
            bool known = false;
            for (const Matrix& m : group)
                known = known || same(m, product);
            if (!known)
                group.push_back(product);
        }
    return group;
}

std::optional<std::vector<Matrix>> generators(const GamessPointGroup& group) {
    const double pi = std::acos(-1.0);
    const int n = group.order;
    const Matrix cn = rotationZ(2 * pi / n);
    const Matrix s2n = multiply(kMirrorXY, rotationZ(pi / n));
    const Matrix c2z = rotationZ(pi);
    const Matrix c4z = rotationZ(pi / 2);
    const std::string& g = group.name;
    if (g == "C1")
        return std::vector<Matrix>{};
    if (g == "CS")
        return std::vector<Matrix>{kMirrorXY};
    if (g == "CI")
        return std::vector<Matrix>{kInversion};
    if (g == "CN")
        return std::vector<Matrix>{cn};
    if (g == "S2N")
        return std::vector<Matrix>{s2n};
    if (g == "CNH")
        return std::vector<Matrix>{cn, kMirrorXY};
    if (g == "CNV")
        return std::vector<Matrix>{cn, kMirrorXZ};
    if (g == "DN")
        return std::vector<Matrix>{cn, kC2X};
    if (g == "DNH")
        return std::vector<Matrix>{cn, kC2X, kMirrorXY};
    if (g == "DND") // S2n with C2 on x puts the sigma-d planes between the C2 axes
        return std::vector<Matrix>{s2n, kC2X};
    if (g == "T")
        return std::vector<Matrix>{c2z, kC2X, kC3Diagonal};
    if (g == "TH")
        return std::vector<Matrix>{c2z, kC2X, kC3Diagonal, kInversion};
    if (g == "TD") // S4 about z
        return std::vector<Matrix>{multiply(kMirrorXY, c4z), kC2X, kC3Diagonal};
    if (g == "O")
        return std::vector<Matrix>{c4z, kC3Diagonal};
    if (g == "OH")
        return std::vector<Matrix>{c4z, kC3Diagonal, kInversion};
    return std::nullopt;
}

bool needsOrder(std::string_view name) {
    return name.find('N') != std::string_view::npos;
}

} // namespace

std::optional<GamessPointGroup> parseGamessPointGroup(std::string_view line) {
    LineTokens<3> t(line);
    if (t.count == 0)
        return std::nullopt;
    GamessPointGroup group;
    group.name = upperCase(t[0]);
    if (needsOrder(group.name)) {
        long order;
        if (!parseWholeInteger(t[1], order) || order < 1 || order > kMostOrder)
            return std::nullopt;
        group.order = static_cast<int>(order);
    }
    if (!generators(group))
        return std::nullopt;
    return group;
}

ReadResult<std::vector<Atom>> expandGamessSymmetry(const GamessPointGroup& group,
                                                   const std::vector<Atom>& unique) {
    if (group.order < 1 || group.order > kMostOrder)
        return ReadResult<std::vector<Atom>>::failure(std::string(msg::kGamessUnknownGroup));
    const auto gens = generators(group);
    if (!gens)
        return ReadResult<std::vector<Atom>>::failure(std::string(msg::kGamessUnknownGroup));
    const std::vector<Matrix> operations = closure(*gens);
    std::vector<Atom> atoms;
    for (const Atom& u : unique)
        for (const Matrix& m : operations) {
            Atom image = u;
            image.x = m[0] * u.x + m[1] * u.y + m[2] * u.z;
            image.y = m[3] * u.x + m[4] * u.y + m[5] * u.z;
            image.z = m[6] * u.x + m[7] * u.y + m[8] * u.z;
            bool known = false;
            for (const Atom& a : atoms) {
                const double dx = a.x - image.x, dy = a.y - image.y, dz = a.z - image.z;
                known = known || dx * dx + dy * dy + dz * dz < kSameAtom * kSameAtom;
            }
            if (!known)
                atoms.push_back(std::move(image));
        }
    return atoms;
}

bool gamessListsUniqueAtoms(std::string_view contrlText) {
    const std::string text = upperCase(contrlText);
    std::size_t at = 0;
    while ((at = text.find("COORD", at)) != std::string::npos) {
        // Only the keyword itself, not NZVAR or ICOORD-like words around it.
        const bool startOfWord = at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]));
        std::size_t p = at + 5;
        while (p < text.size() && text[p] == ' ')
            ++p;
        if (startOfWord && p < text.size() && text[p] == '=') {
            LineTokens<1> value(std::string_view(text).substr(p + 1));
            std::string_view v = value[0];
            if (const auto end = v.find('$'); end != std::string_view::npos)
                v = v.substr(0, end);
            return v == "UNIQUE";
        }
        at = p;
    }
    return true;
}

} // namespace kalviro
