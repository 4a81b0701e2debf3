#include "orbital/MoldenReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "model/LineTokens.h"
#include "model/NumberText.h"
#include "platform/Messages.h"

namespace kalviro {

namespace {

constexpr const char* kLineEnd = ")";

constexpr double kBohrInAngstrom = 0.52917721067;

std::vector<std::string_view> tokens(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

struct Line {
    int number;
    std::string_view text;
};

// A section: its name in capitals, what follows the name on its line, and
// its lines.
struct Section {
    std::string name;
    std::string argument;
    std::vector<Line> lines;
};

std::vector<Section> splitSections(std::string_view text) {
    std::vector<Section> out;
    int number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string_view t = trimmed(line);
        const std::size_t close = t.find(']');
        if (!t.empty() && t.front() == '[' && close != std::string_view::npos) {
            out.push_back({upperCase(t.substr(1, close - 1)), upperCase(trimmed(t.substr(close + 1))), {}});
        } else if (!out.empty()) {
            out.back().lines.push_back({number, line});
        }
    }
    return out;
}

std::string lineError(const char* what, int line) {
    return what + std::to_string(line) + kLineEnd;
}

bool numbers(const std::vector<std::string_view>& t, std::size_t from, std::size_t count,
             std::vector<double>& out) {
    out.clear();
    if (t.size() < from + count)
        return false;
    for (std::size_t i = from; i < from + count; ++i) {
        double v;
        if (!parseWholeNumber(t[i], v) || !std::isfinite(v))
            return false;
        out.push_back(v);
    }
    return true;
}

double doubleFactorial(int n) {
    return n <= 1 ? 1.0 : n * doubleFactorial(n - 2);
}

// Largest departure from orthonormality of some orbitals of the same spin.
double orthonormalityError(const std::vector<const Orbital*>& orbitals,
                           const std::vector<std::vector<double>>& coefficients,
                           const std::vector<double>& s) {
    const std::size_t n = coefficients.empty() ? 0 : coefficients[0].size();
    double worst = 0.0;
    std::vector<double> sc(n);
    for (std::size_t q = 0; q < orbitals.size(); ++q) {
        for (std::size_t i = 0; i < n; ++i) {
            double v = 0.0;
            for (std::size_t j = 0; j < n; ++j)
                v += s[i * n + j] * coefficients[q][j];
            sc[i] = v;
        }
        for (std::size_t p = 0; p <= q; ++p) {
            if (orbitals[p]->spin != orbitals[q]->spin)
                continue;
            double v = 0.0;
            for (std::size_t i = 0; i < n; ++i)
                v += coefficients[p][i] * sc[i];
            worst = std::max(worst, std::abs(v - (p == q ? 1.0 : 0.0)));
        }
    }
    return worst;
}

// Molden files mostly give Cartesian coefficients for functions normalised
// each on its own; some programs (psi4 among them) for functions all
// normalised like x^l. The reading that keeps the occupied orbitals
// orthonormal is the file's.
void fixCartesianNormalisation(OrbitalSet& set) {
    std::vector<double> scale;
    bool any = false;
    for (const Shell& s : set.basis.shells()) {
        if (s.pure || s.l < 2) {
            scale.insert(scale.end(), s.functionCount(), 1.0);
            continue;
        }
        any = true;
        for (const CartesianPowers& p : s.powers)
            scale.push_back(
                std::sqrt(doubleFactorial(2 * p[0] - 1) * doubleFactorial(2 * p[1] - 1) *
                          doubleFactorial(2 * p[2] - 1) / doubleFactorial(2 * s.l - 1)));
    }
    if (!any || set.orbitals.empty())
        return;
    constexpr std::size_t kChecked = 12;
    std::vector<const Orbital*> checked;
    for (const Orbital& o : set.orbitals)
        if (o.occupation > 0.0 && checked.size() < kChecked)
            checked.push_back(&o);
    for (std::size_t i = 0; checked.empty() && i < set.orbitals.size() && i < kChecked; ++i)
        checked.push_back(&set.orbitals[i]);
    std::vector<std::vector<double>> asRead, scaled;
    for (const Orbital* o : checked) {
        asRead.push_back(o->coefficients);
        scaled.push_back(o->coefficients);
        for (std::size_t i = 0; i < scale.size(); ++i)
            scaled.back()[i] *= scale[i];
    }
    const std::vector<double> s = set.basis.overlapMatrix();
    if (orthonormalityError(checked, scaled, s) < orthonormalityError(checked, asRead, s))
        for (Orbital& o : set.orbitals)
            for (std::size_t i = 0; i < scale.size(); ++i)
                o.coefficients[i] *= scale[i];
}

struct PureFlags {
    bool d = false, f = false, g = false, h = false;
};

class Reader {
  public:
    ReadResult<MoldenContents> read(std::string_view text) {
        const auto sections = splitSections(text);
        std::map<std::string, const Section*> byName;
        for (const Section& s : sections)
            byName.emplace(s.name, &s);
        if (byName.empty())
            return fail(msg::kMoldenNotMolden);
        if (byName.count("STO") && byName.count("MO"))
            return fail(msg::kMoldenStoBasis);
        PureFlags pure;
        if (byName.count("5D") || byName.count("5D7F"))
            pure.d = pure.f = true;
        if (byName.count("5D10F"))
            pure.d = true;
        if (byName.count("7F"))
            pure.f = true;
        pure.g = byName.count("9G") > 0;
        pure.h = byName.count("11H") > 0;

        if (auto it = byName.find("ATOMS"); it != byName.end() && !readAtoms(*it->second))
            return fail(error_);
        if (auto it = byName.find("GTO"); it != byName.end() && !readBasis(*it->second, pure))
            return fail(error_);
        if (auto it = byName.find("MO"); it != byName.end()) {
            if (result_.orbitals.basis.shells().empty())
                return fail(msg::kMoldenNoBasis);
            if (!readOrbitals(*it->second))
                return fail(error_);
            fixCartesianNormalisation(result_.orbitals);
        }
        if (auto it = byName.find("FREQ"); it != byName.end()) {
            if (!readFrequencies(byName))
                return fail(error_);
        }
        if (result_.orbitals.atoms.empty() && !result_.frequencies)
            return fail(msg::kMoldenNotMolden);
        return std::move(result_);
    }

  private:
    static ReadResult<MoldenContents> fail(const std::string& reason) {
        return ReadResult<MoldenContents>::failure(reason);
    }

    bool bad(const char* what, int line) {
        error_ = lineError(what, line);
        return false;
    }

    bool readAtoms(const Section& s) {
        const double scale =
            s.argument.find("ANGS") != std::string::npos ? 1.0 / kBohrInAngstrom : 1.0;
        std::vector<double> v;
        for (const Line& line : s.lines) {
            const auto t = tokens(line.text);
            if (t.empty())
                continue;
            long sequence = 0, z = 0;
            if (t.size() < 6 || !parseWholeInteger(t[1], sequence) || !parseWholeInteger(t[2], z) ||
                !numbers(t, 3, 3, v))
                return bad(msg::kMoldenBadLine, line.number);
            atomBySequence_[sequence] = static_cast<int>(result_.orbitals.atoms.size());
            result_.orbitals.atoms.push_back(
                {static_cast<int>(z), {v[0] * scale, v[1] * scale, v[2] * scale}});
        }
        return true;
    }

    bool readBasis(const Section& s, const PureFlags& pure) {
        int atom = -1;
        std::vector<double> v;
        for (std::size_t i = 0; i < s.lines.size(); ++i) {
            const auto t = tokens(s.lines[i].text);
            const int number = s.lines[i].number;
            if (t.empty())
                continue;
            long sequence = 0;
            if (parseWholeInteger(t[0], sequence)) {
                const auto it = atomBySequence_.find(sequence);
                if (it == atomBySequence_.end())
                    return bad(msg::kMoldenUnknownAtom, number);
                atom = it->second;
                continue;
            }
            long count = 0;
            if (atom < 0 || t.size() < 2 || !parseWholeInteger(t[1], count) || count < 1)
                return bad(msg::kMoldenBadLine, number);
            double scale = 1.0;
            if (t.size() >= 3 && (!parseWholeNumber(t[2], scale) || scale <= 0.0))
                return bad(msg::kMoldenBadLine, number);
            const std::string label = upperCase(t[0]);
            const bool sp = label == "SP";
            static const std::string letters = "SPDFGH";
            const std::size_t l = letters.find(label);
            if (!sp && (label.size() != 1 || l == std::string::npos))
                return bad(msg::kMoldenUnknownShell, number);
            std::vector<double> exponents, c1, c2;
            for (long k = 0; k < count; ++k) {
                if (i + 1 >= s.lines.size())
                    return bad(msg::kMoldenBadLine, number);
                const Line& p = s.lines[++i];
                if (!numbers(tokens(p.text), 0, sp ? 3 : 2, v) || v[0] <= 0.0)
                    return bad(msg::kMoldenBadLine, p.number);
                exponents.push_back(v[0] * scale * scale);
                c1.push_back(v[1]);
                if (sp)
                    c2.push_back(v[2]);
            }
            const Point3 centre = result_.orbitals.atoms[atom].position;
            auto& basis = result_.orbitals.basis;
            if (sp) {
                basis.addShell(centre, atom, 0, false, exponents, c1, CartesianOrder::Molden);
                basis.addShell(centre, atom, 1, false, exponents, c2, CartesianOrder::Molden);
            } else {
                const bool isPure = (l == 2 && pure.d) || (l == 3 && pure.f) ||
                                    (l == 4 && pure.g) || (l == 5 && pure.h);
                basis.addShell(centre, atom, static_cast<int>(l), isPure, exponents, c1,
                               CartesianOrder::Molden);
            }
        }
        return true;
    }

    bool readOrbitals(const Section& s) {
        auto& orbitals = result_.orbitals.orbitals;
        const int functions = result_.orbitals.basis.functionCount();
        bool open = false; // the current orbital has coefficients already
        int alphaCount = 0, betaCount = 0;
        auto start = [&]() {
            Orbital o;
            o.coefficients.assign(functions, 0.0);
            orbitals.push_back(std::move(o));
            open = false;
        };
        for (const Line& line : s.lines) {
            const std::string_view t = trimmed(line.text);
            if (t.empty())
                continue;
            const std::size_t eq = t.find('=');
            if (eq != std::string_view::npos) {
                if (orbitals.empty() || open)
                    start();
                Orbital& o = orbitals.back();
                const std::string key = upperCase(trimmed(t.substr(0, eq)));
                const std::string_view value = trimmed(t.substr(eq + 1));
                double number = 0.0;
                if (key == "SYM") {
                    o.symmetry = std::string(value);
                } else if (key == "SPIN") {
                    o.spin = upperCase(value) == "BETA" ? Spin::Beta : Spin::Alpha;
                } else if (key == "ENE" || key == "OCCUP") {
                    if (!parseWholeNumber(value, number))
                        return bad(msg::kMoldenBadLine, line.number);
                    (key == "ENE" ? o.energy : o.occupation) = number;
                }
                continue;
            }
            const auto tk = tokens(t);
            long index = 0;
            double c = 0.0;
            if (tk.size() < 2 || !parseWholeInteger(tk[0], index) || !parseWholeNumber(tk[1], c))
                return bad(msg::kMoldenBadLine, line.number);
            if (index < 1 || index > functions)
                return bad(msg::kMoldenBadIndex, line.number);
            if (orbitals.empty())
                start();
            orbitals.back().coefficients[index - 1] = c;
            open = true;
        }
        for (Orbital& o : orbitals)
            o.number = o.spin == Spin::Alpha ? ++alphaCount : ++betaCount;
        // Alpha orbitals first, as the checkpoint files list them.
        std::stable_partition(orbitals.begin(), orbitals.end(),
                              [](const Orbital& o) { return o.spin == Spin::Alpha; });
        return true;
    }

    bool readFrequencies(const std::map<std::string, const Section*>& byName) {
        FrequencyJob job;
        std::vector<double> v;
        std::vector<bool> keep;
        for (const Line& line : byName.at("FREQ")->lines) {
            const auto t = tokens(line.text);
            if (t.empty())
                continue;
            double f = 0.0;
            if (!parseWholeNumber(t[0], f))
                return bad(msg::kMoldenBadLine, line.number);
            // Some programs list the translations and rotations as zeros.
            keep.push_back(f != 0.0);
            if (f != 0.0)
                job.frequencies.emplace_back(t[0]);
        }
        if (auto it = byName.find("FR-COORD"); it != byName.end()) {
            for (const Line& line : it->second->lines) {
                const auto t = tokens(line.text);
                if (t.empty())
                    continue;
                if (t.size() < 4 || !numbers(t, 1, 3, v))
                    return bad(msg::kMoldenBadLine, line.number);
                Atom a;
                a.symbol = std::string(t[0]);
                a.setElementBySymbol();
                a.x = v[0] * kBohrInAngstrom;
                a.y = v[1] * kBohrInAngstrom;
                a.z = v[2] * kBohrInAngstrom;
                job.atoms.push_back(a);
            }
        } else {
            for (const OrbitalAtom& o : result_.orbitals.atoms) {
                Atom a;
                a.setElementByNumber(o.atomicNumber);
                a.x = o.position[0] * kBohrInAngstrom;
                a.y = o.position[1] * kBohrInAngstrom;
                a.z = o.position[2] * kBohrInAngstrom;
                job.atoms.push_back(a);
            }
        }
        if (auto it = byName.find("FR-NORM-COORD"); it != byName.end()) {
            std::vector<std::vector<Vector3>> modes;
            for (const Line& line : it->second->lines) {
                const auto t = tokens(line.text);
                if (t.empty())
                    continue;
                if (upperCase(t[0]) == "VIBRATION") {
                    modes.emplace_back();
                    continue;
                }
                if (modes.empty() || !numbers(t, 0, 3, v))
                    return bad(msg::kMoldenBadLine, line.number);
                modes.back().push_back({v[0], v[1], v[2]});
            }
            if (modes.size() != keep.size()) {
                error_ = msg::kMoldenModeCount;
                return false;
            }
            for (std::size_t m = 0; m < modes.size(); ++m)
                if (keep[m])
                    job.modes.push_back(std::move(modes[m]));
        }
        if (auto it = byName.find("INT"); it != byName.end()) {
            std::size_t m = 0;
            for (const Line& line : it->second->lines) {
                const auto t = tokens(line.text);
                if (t.empty())
                    continue;
                double x;
                if (!parseWholeNumber(t[0], x))
                    return bad(msg::kMoldenBadLine, line.number);
                if (m < keep.size() && keep[m])
                    job.intensities.emplace_back(t[0]);
                ++m;
            }
        }
        result_.frequencies = std::move(job);
        return true;
    }

    MoldenContents result_;
    std::map<long, int> atomBySequence_;
    std::string error_;
};

} // namespace

ReadResult<MoldenContents> parseMolden(std::string_view text) {
    return Reader().read(text);
}

ReadResult<MoldenContents> readMolden(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ReadResult<MoldenContents>::failure(msg::kCannotOpenFile);
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad())
        return ReadResult<MoldenContents>::failure(msg::kCannotOpenFile);
    return parseMolden(s.str());
}

bool isMoldenPath(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string ext = upperCase(path.substr(dot + 1));
    return ext == "MOLDEN" || ext == "MOLF";
}

} // namespace kalviro
