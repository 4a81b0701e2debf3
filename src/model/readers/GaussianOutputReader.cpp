#include "model/readers/GaussianOutputReader.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/LineTokens.h"
#include "model/MoleculeState.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"
#include "model/VibrationStore.h"

namespace kalviro {
namespace {

constexpr std::string_view kFrequencies = "Frequencies";
constexpr std::string_view kIrInten = "IR Inten";
constexpr std::string_view kRamanActiv = "Raman Activ";
constexpr std::string_view kPreciseFrequencies = "Frequencies ---";
constexpr std::string_view kPreciseRowsTitle = "Coord Atom Element:";
// Five decimals against two: a precise value further than this from the
// ordinary table's belongs to another table.
constexpr double kPreciseAgreement = 0.01;

// The keyword right after one leading character: " Frequencies --".
bool keywordAtColumnOne(std::string_view line, std::string_view keyword) {
    return line.size() > keyword.size() && line.compare(1, keyword.size(), keyword) == 0;
}

// The keyword after any leading blanks: "       Frequencies ---".
bool keywordAfterSpaces(std::string_view line, std::string_view keyword) {
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string_view::npos && line.compare(first, keyword.size(), keyword) == 0;
}

bool near(const Vector3& a, const Vector3& b, double tolerance) {
    return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance &&
           std::abs(a.z - b.z) <= tolerance;
}

std::string tokenText(std::string_view token) { return std::string(token); }

bool isInteger(std::string_view token) {
    long ignored;
    return parseWholeInteger(token, ignored);
}

// Reads tokens from first on as numbers into out[0..n) until one is not a
// number; the rest stay 0, as a formatted scan leaves them. Returns how many
// were numbers.
template <std::size_t N>
std::size_t scanNumbers(const LineTokens<N>& t, std::size_t first, double* out, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const std::string_view token = t[first + k];
        if (!parsePlainDecimal(token, out[k]) && !parseWholeNumber(token, out[k]))
            return k;
    }
    return n;
}

// A displacement row: at least five tokens, two integers, then three numbers.
// The numbers after the integers go into v.
bool readDisplacementRow(const LineTokens<11>& t, double (&v)[9]) {
    return t.count >= 5 && isInteger(t[0]) && isInteger(t[1]) && scanNumbers(t, 2, v, 9) >= 3;
}

// An orientation-table row, as " %d %d [%d] %lf %lf %lf" scans it.
Atom parseOrientationRow(std::string_view line, bool hasTypeColumn) {
    LineTokens<6> t(line);
    Atom atom;
    long center = 0, number = 0, type = 0;
    double xyz[3] = {0, 0, 0};
    if (parseWholeInteger(t[0], center) && parseWholeInteger(t[1], number)) {
        atom.atomicNumber = static_cast<int>(number);
        std::size_t next = 2;
        if (!hasTypeColumn || parseWholeInteger(t[next++], type))
            scanNumbers(t, next, xyz, 3);
    }
    atom.x = xyz[0];
    atom.y = xyz[1];
    atom.z = xyz[2];
    return atom;
}

// Whether the line holds an ASCII letter. Every keyword has one, and most
// lines of a long output are rows of numbers that need no keyword search.
bool hasLetter(std::string_view s) {
    return anyLetterWord(s, [](std::uint64_t letters) { return letters != 0; });
}

// Whether the line holds six dashes in a row. Such a run covers one of every
// sixth character, so only those are looked at first.
bool hasDashRun(std::string_view s) {
    for (std::size_t i = 5; i < s.size(); i += 6) {
        if (s[i] != '-')
            continue;
        std::size_t first = i, last = i + 1;
        while (first > 0 && s[first - 1] == '-')
            --first;
        while (last < s.size() && s[last] == '-')
            ++last;
        if (last - first >= 6)
            return true;
    }
    return false;
}

} // namespace

void GaussianOutputParser::OrientationTable::start() {
    active = true;
    lineNumber = 1; // the title line
    hasTypeColumn = false;
    rows.clear();
    rowCount = 0;
    typedFrom = 0;
}

bool GaussianOutputParser::OrientationTable::feed(std::string_view line, bool words) {
    ++lineNumber;
    if (lineNumber >= 6 && hasDashRun(line)) {
        active = false;
        return true;
    }
    if (words && !hasTypeColumn && contains(line, "Type")) {
        hasTypeColumn = true;
        typedFrom = rowCount;
    }
    if (lineNumber >= 6) {
        rows.append(line);
        rows.push_back('\n');
        ++rowCount;
    }
    return false;
}

std::vector<Atom> GaussianOutputParser::OrientationTable::atoms() const {
    std::vector<Atom> out;
    out.reserve(rowCount);
    std::string_view text(rows);
    for (std::size_t k = 0; k < rowCount; ++k) {
        const std::size_t end = text.find('\n');
        out.push_back(parseOrientationRow(text.substr(0, end), hasTypeColumn && k >= typedFrom));
        text.remove_prefix(end + 1);
    }
    return out;
}

void GaussianOutputParser::feedLine(std::string_view line) {
    const bool words = hasLetter(line);
    if (readFrequencies_) {
        if (modeCount_ == 0)
            readPreciseTable(line, words);
        readFrequencyLines(line);
    }
    if (words)
        readDipoleDerivative(line);
    if (geometryPending_)
        readGeometry(line, words);
    newest_ = (newest_ + 1) % 3;
    previous_[newest_].assign(line);
}

void GaussianOutputParser::readFrequencyLines(std::string_view line) {
    bool startedGroup = false;
    if (keywordAtColumnOne(line, kFrequencies)) {
        LineTokens<5> t(line);
        for (std::size_t k = 2; k < 5; ++k)
            content_.frequencies.push_back(tokenText(t[k]));
        LineTokens<3> s(previous(0));
        for (std::size_t k = 0; k < 3; ++k)
            content_.symmetries.push_back(tokenText(s[k]));
        inFrequencyGroup_ = true;
        startedGroup = true;
    }
    if (keywordAtColumnOne(line, kIrInten)) {
        LineTokens<6> t(line);
        for (std::size_t k = 3; k < 6; ++k)
            content_.intensities.push_back(tokenText(t[k]));
        modeCount_ += 3;
        content_.modes.resize(modeCount_);
        // Each group lists the same atoms: size the new modes like the last
        // one so a large molecule's rows are not copied again and again.
        if (modeCount_ > 3) {
            const std::size_t rows = content_.modes[modeCount_ - 4].size();
            for (std::size_t k = modeCount_ - 3; k < modeCount_; ++k)
                content_.modes[k].reserve(rows);
        }
    }
    if (keywordAtColumnOne(line, kRamanActiv)) {
        LineTokens<6> t(line);
        for (std::size_t k = 3; k < 6; ++k)
            content_.ramanActivities.push_back(tokenText(t[k]));
    }

    if (!inFrequencyGroup_ && !inDisplacementTable_)
        return;
    LineTokens<11> t(line);
    if (inDisplacementTable_) {
        double v[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
        if (!readDisplacementRow(t, v)) {
            // The first line that is not a row ends the table and the group;
            // an empty one ends the frequency tables for good.
            inDisplacementTable_ = false;
            if (!startedGroup)
                inFrequencyGroup_ = false;
            if (line.empty())
                readFrequencies_ = false;
            return;
        }
        if (modeCount_ >= 3) {
            for (std::size_t k = 0; k < 3; ++k)
                content_.modes[modeCount_ - 3 + k].push_back({v[3 * k], v[3 * k + 1], v[3 * k + 2]});
        }
        return;
    }
    if (inFrequencyGroup_ && t[0] == "Atom" && t[1] == "AN")
        inDisplacementTable_ = true;
}

void GaussianOutputParser::readPreciseTable(std::string_view line, bool words) {
    if (preciseSpoilt_)
        return;
    std::vector<std::vector<Vector3>>& modes = content_.preciseModes;
    if (inPreciseRows_) {
        LineTokens<9> t(line);
        long coord = 0, atom = 0, element = 0;
        double v[5] = {0, 0, 0, 0, 0};
        if (t.count == 3 + preciseColumns_ && parseWholeInteger(t[0], coord) &&
            parseWholeInteger(t[1], atom) && parseWholeInteger(t[2], element) &&
            scanNumbers(t, 3, v, preciseColumns_) == preciseColumns_) {
            // Rows go x, y, z of atom 1, then of atom 2, ...
            const std::size_t c = preciseRow_ % 3, a = preciseRow_ / 3;
            if (coord != static_cast<long>(c + 1) || atom != static_cast<long>(a + 1) ||
                (preciseAtoms_ > 0 && a >= preciseAtoms_)) {
                preciseSpoilt_ = true;
                return;
            }
            for (std::size_t k = 0; k < preciseColumns_; ++k) {
                std::vector<Vector3>& mode = modes[modes.size() - preciseColumns_ + k];
                if (c == 0)
                    mode.emplace_back();
                (c == 0 ? mode.back().x : c == 1 ? mode.back().y : mode.back().z) = v[k];
            }
            ++preciseRow_;
            return;
        }
        // The block ends: whole atoms, as many as the first block had.
        const std::size_t atoms = preciseRow_ / 3;
        if (preciseRow_ % 3 != 0 || atoms == 0 || (preciseAtoms_ > 0 && atoms != preciseAtoms_))
            preciseSpoilt_ = true;
        preciseAtoms_ = atoms;
        inPreciseRows_ = false;
        preciseColumns_ = 0;
    }
    if (!words || preciseSpoilt_)
        return;
    if (keywordAfterSpaces(line, kPreciseFrequencies)) {
        LineTokens<8> t(line);
        double ignored[5];
        // A block without rows before this one spoils the table too.
        const std::size_t columns = t[1] == "---" ? scanNumbers(t, 2, ignored, 5) : 0;
        preciseSpoilt_ = columns == 0 || preciseColumns_ != 0;
        preciseColumns_ = columns;
        preciseRow_ = 0;
        modes.resize(modes.size() + columns);
    } else if (preciseColumns_ != 0 && keywordAtColumnOne(line, kPreciseRowsTitle)) {
        inPreciseRows_ = true;
    }
}

void GaussianOutputParser::keepPreciseModesIfWhole() {
    std::vector<std::vector<Vector3>>& precise = content_.preciseModes;
    const std::vector<std::vector<Vector3>>& modes = content_.modes;
    bool whole = !preciseSpoilt_ && !inPreciseRows_ && precise.size() == modes.size();
    for (std::size_t k = 0; whole && k < modes.size(); ++k) {
        whole = precise[k].size() == modes[k].size();
        for (std::size_t a = 0; whole && a < modes[k].size(); ++a)
            whole = near(precise[k][a], modes[k][a], kPreciseAgreement);
    }
    if (!whole)
        precise.clear();
}

void GaussianOutputParser::readDipoleDerivative(std::string_view line) {
    const std::size_t wrt = line.find("wrt mode");
    if (wrt == std::string_view::npos)
        return;
    const std::string_view head = line.substr(0, wrt);
    if (!contains(head, "Dipole derivatives ") && !contains(head, "Dipole derivative "))
        return;
    const std::size_t colon = line.find(':', wrt);
    if (colon == std::string_view::npos)
        return;
    LineTokens<3> t(line.substr(colon + 1));
    content_.dipoleDerivatives.push_back(
        {parseNumber(t[0]), parseNumber(t[1]), parseNumber(t[2])});
}

bool GaussianOutputParser::convergedTableEnds(std::string_view line) const {
    return contains(line, "RMS") && contains(line, "Displacement") && contains(line, "YES") &&
           contains(previous(0), "YES") && contains(previous(1), "YES") &&
           contains(previous(2), "YES");
}

void GaussianOutputParser::readGeometry(std::string_view line, bool words) {
    if (words) {
        if (!converged_ && convergedTableEnds(line)) {
            converged_ = true;
            return;
        }
        if (contains(line, "Standard orientation:")) {
            standard_.start();
            return;
        }
        if (contains(line, "Input orientation:")) {
            input_.start();
            return;
        }
    }
    if (standard_.active && standard_.feed(line, words)) {
        if (converged_) {
            selected_ = standard_.atoms();
            haveSelected_ = true;
            geometryPending_ = false;
        } else {
            std::swap(lastStandard_, standard_);
            haveLastStandard_ = true;
        }
    }
    if (input_.active && input_.feed(line, words)) {
        std::swap(lastInput_, input_);
        haveLastInput_ = true;
    }
}

FrequencyJob GaussianOutputParser::finish() {
    keepPreciseModesIfWhole();
    if (haveSelected_) {
        content_.atoms = std::move(selected_);
    } else if (converged_ && standard_.active) {
        // The file ended inside the table the optimisation selected: keep
        // the rows that were complete.
        content_.atoms = standard_.atoms();
    } else if (haveLastStandard_) {
        content_.atoms = lastStandard_.atoms();
    } else if (haveLastInput_) {
        content_.atoms = lastInput_.atoms();
    }
    return std::move(content_);
}

std::optional<FrequencyJob>
parseOutputFile(const std::string& path, const std::function<bool(std::uint64_t)>& progress) {
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file)
        return std::nullopt;
    TextLineReader reader(file.get());
    GaussianOutputParser parser;
    std::string_view line;
    std::uint64_t nextReport = 0;
    while (reader.next(line)) {
        parser.feedLine(line);
        if (progress && reader.bytesConsumed() >= nextReport) {
            if (!progress(reader.bytesConsumed()))
                return std::nullopt;
            nextReport = reader.bytesConsumed() + (1u << 20);
        }
    }
    return parser.finish();
}


} // namespace kalviro
