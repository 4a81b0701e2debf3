#include "model/readers/GaussianInputReader.h"

#include <cmath>
#include <memory>
#include <optional>
#include <unordered_map>

#include "model/ElementTable.h"
#include "model/LineTokens.h"
#include "model/MoleculeState.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"

namespace kalviro {
namespace {

// "Variables" or "Constants" once spaces, tabs and colons are gone; Gaussian
// itself does not mind the case.
bool isSectionLine(std::string_view line) {
    std::string word;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == ':')
            continue;
        word += c;
    }
    word = lowerCase(word);
    return word == "variables" || word == "constants";
}

std::vector<std::string> splitOn(std::string_view line, std::string_view separators) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && separators.find(line[i]) != std::string_view::npos)
            ++i;
        const std::size_t start = i;
        while (i < line.size() && separators.find(line[i]) == std::string_view::npos)
            ++i;
        if (i > start)
            tokens.emplace_back(line.substr(start, i - start));
    }
    return tokens;
}

constexpr double kTiny = 1e-10;

// A unit vector perpendicular to u, always the same for the same u: x when
// u lies along z, as the third atom of a Z-matrix is placed in the xz-plane.
Vector3 fixedPerpendicular(const Vector3& u) {
    const Vector3 e = std::fabs(u.x) < 0.9 ? Vector3{1, 0, 0} : Vector3{0, 1, 0};
    const Vector3 p = e - u * e.dot(u);
    return p * (1.0 / p.length());
}

Vector3 unitOr(const Vector3& v, const Vector3& fallback) {
    const double n = v.length();
    return n > kTiny ? v * (1.0 / n) : fallback;
}

// A number, a parameter name, or a parameter name with a sign. An undefined
// name gives 0.
double fieldValue(const std::map<std::string, std::string>& parameters, const std::string& field) {
    if (auto it = parameters.find(field); it != parameters.end())
        return parseNumber(it->second);
    if (field.size() > 1 && (field[0] == '-' || field[0] == '+')) {
        if (auto it = parameters.find(field.substr(1)); it != parameters.end()) {
            const double v = parseNumber(it->second);
            return field[0] == '-' ? -v : v;
        }
    }
    return parseNumber(field);
}

// "C 0 x y z" or "C -1 x y z": coordinates after a freeze code (0 free,
// -1 frozen), which no reference atom number can be.
bool hasFreezeCode(const std::vector<std::string>& t) {
    return t.size() >= 5 && (t[1] == "0" || t[1] == "-1");
}

class ZMatrixBuilder {
  public:
    ZMatrixBuilder(const std::vector<std::vector<std::string>>& lines,
                   const std::map<std::string, std::string>& parameters)
        : lines_(lines), parameters_(parameters) {}

    std::optional<std::vector<Atom>> build() {
        std::vector<Atom> atoms(lines_.size());
        for (std::size_t k = 0; k < lines_.size(); ++k) {
            const auto& t = lines_[k];
            Atom& atom = atoms[k];
            atom.symbol = t.empty() ? std::string() : t[0];
            Vector3 p;
            if (hasFreezeCode(t)) {
                // "C 0 x y z": an atom given by its coordinates.
                p = {value(t[2]), value(t[3]), value(t[4])};
            } else if (k > 0) {
                auto placed = place(atoms, k, t);
                if (!placed)
                    return std::nullopt;
                p = *placed;
            }
            atom.x = p.x;
            atom.y = p.y;
            atom.z = p.z;
            labels_.emplace(lowerCase(atom.symbol), k); // the first atom of a label
        }
        return atoms;
    }

  private:
    double value(const std::string& field) const { return fieldValue(parameters_, field); }

    // 0-based index of an earlier atom named by number or label.
    std::optional<std::size_t> reference(std::size_t k, const std::vector<std::string>& t,
                                         std::size_t i) const {
        if (i >= t.size())
            return std::nullopt;
        long n = 0;
        if (parseWholeInteger(t[i], n)) {
            if (n >= 1 && static_cast<std::size_t>(n) <= k)
                return static_cast<std::size_t>(n - 1);
            return std::nullopt;
        }
        // Labels compare without regard to case, as Gaussian reads them.
        if (auto it = labels_.find(lowerCase(t[i])); it != labels_.end() && it->second < k)
            return it->second;
        return std::nullopt;
    }

    std::optional<Vector3> place(const std::vector<Atom>& atoms, std::size_t k,
                                 const std::vector<std::string>& t) const {
        const auto a = reference(k, t, 1);
        if (!a)
            return std::nullopt;
        const Vector3 A = atoms[*a].position();
        const double r = t.size() > 2 ? value(t[2]) : 0.0;
        if (k == 1)
            return A + Vector3{0, 0, r};

        const auto b = reference(k, t, 3);
        if (!b)
            return std::nullopt;
        const double rad = degToRad();
        const double theta = (t.size() > 4 ? value(t[4]) : 0.0) * rad;
        const Vector3 u = unitOr(atoms[*b].position() - A, Vector3{0, 0, 1});
        if (k == 2) {
            // In the plane of u and the fixed perpendicular, on its positive side.
            const Vector3 w = fixedPerpendicular(u);
            return A + (w * std::fabs(std::sin(theta)) + u * std::cos(theta)) * r;
        }

        const auto c = reference(k, t, 5);
        if (!c)
            return std::nullopt;
        const double phi = (t.size() > 6 ? value(t[6]) : 0.0) * rad;
        const Vector3 ca = atoms[*c].position() - A;
        const Vector3 across = ca - u * ca.dot(u);
        const Vector3 w = across.length() > kTiny * std::max(1.0, ca.length())
                              ? across * (1.0 / across.length())
                              : fixedPerpendicular(u);
        const Vector3 v = u.cross(w);
        // The minus sign makes the dihedral new-A-B-C come out as +phi, the
        // convention of the Z-matrix.
        const Vector3 dir = w * (std::sin(theta) * std::cos(phi)) +
                            v * (-std::sin(theta) * std::sin(phi)) + u * std::cos(theta);
        return A + dir * r;
    }

    const std::vector<std::vector<std::string>>& lines_;
    const std::map<std::string, std::string>& parameters_;
    std::unordered_map<std::string, std::size_t> labels_; // lower-case label -> atom
};

// An atomic number written in place of the symbol ("6") becomes the symbol.
void symbolFromNumber(Atom& atom) {
    long n = 0;
    if (parseWholeInteger(atom.symbol, n) && n >= 1 && n <= kLastElement)
        atom.symbol = std::string(elementSymbol(static_cast<int>(n)));
}

} // namespace

std::vector<std::string> moleculeLineTokens(std::string_view line) {
    return splitOn(line, " \t,");
}

void GaussianInputParser::feedLine(std::string_view line) {
    // Link 0 commands and anything else holding "%" are not part of the input proper.
    if (contains(line, "%"))
        return;
    const bool blank = isBlankLine(line);
    switch (section_) {
    case Section::Preamble:
        if (!blank)
            section_ = Section::Route;
        return;
    case Section::Route:
        if (blank)
            section_ = Section::Title;
        return;
    case Section::Title:
        if (blank)
            section_ = Section::Charge;
        return;
    case Section::Charge:
        section_ = Section::Molecule;
        return;
    case Section::Molecule:
        if (blank || isSectionLine(line)) {
            section_ = Section::Parameters;
            collectReferencedNames();
            return;
        }
        moleculeLines_.push_back(moleculeLineTokens(line));
        return;
    case Section::Parameters: {
        if (blank || isSectionLine(line))
            return;
        auto t = splitOn(line, " \t,=");
        // Whatever follows the parameters (basis sets, radii ...) may be long;
        // keep only names the molecule uses.
        if (t.size() >= 2 && referenced_.count(t[0]))
            parameters_.emplace(t[0], t[1]);
        return;
    }
    }
}

void GaussianInputParser::collectReferencedNames() {
    for (const auto& t : moleculeLines_) {
        for (std::size_t i = 1; i < t.size(); ++i) {
            referenced_.insert(t[i]);
            if (t[i].size() > 1 && (t[i][0] == '-' || t[i][0] == '+'))
                referenced_.insert(t[i].substr(1));
        }
    }
}

InputReadResult GaussianInputParser::finish() const {
    InputReadResult result;
    if (moleculeLines_.empty())
        return result;
    if (moleculeLines_.front().size() == 4) {
        // Cartesian form; the numbers may still be parameters.
        for (const auto& t : moleculeLines_) {
            Atom atom;
            atom.symbol = t.empty() ? std::string() : t[0];
            const std::size_t first = hasFreezeCode(t) ? 2 : 1;
            atom.x = t.size() > first ? fieldValue(parameters_, t[first]) : 0.0;
            atom.y = t.size() > first + 1 ? fieldValue(parameters_, t[first + 1]) : 0.0;
            atom.z = t.size() > first + 2 ? fieldValue(parameters_, t[first + 2]) : 0.0;
            result.atoms.push_back(std::move(atom));
        }
    } else {
        auto atoms = ZMatrixBuilder(moleculeLines_, parameters_).build();
        if (!atoms) {
            result.status = InputReadStatus::BadZMatrix;
            return result;
        }
        result.atoms = std::move(*atoms);
    }
    for (Atom& a : result.atoms)
        symbolFromNumber(a);
    return result;
}

InputReadResult parseInputText(std::string_view text) {
    GaussianInputParser parser;
    forEachLine(text, [&](std::string_view line) { parser.feedLine(line); });
    return parser.finish();
}

InputReadResult parseInputFile(const std::string& path) {
    GaussianInputParser parser;
    if (!forEachLineOfFile(path, [&](std::string_view line) { parser.feedLine(line); }))
        return {InputReadStatus::CannotOpen, {}};
    return parser.finish();
}


} // namespace kalviro
