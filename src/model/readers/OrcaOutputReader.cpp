#include "model/readers/OrcaOutputReader.h"

#include <algorithm>

#include "model/LineTokens.h"
#include "model/NumberText.h"

namespace kalviro {
using namespace output;

namespace {

bool isIndex(std::string_view token, long& out) {
    return parseWholeInteger(token, out) && out >= 0;
}

// "12:" as a mode number.
bool modeLabel(std::string_view token, std::size_t& out) {
    long n;
    if (token.size() < 2 || token.back() != ':' || !isIndex(token.substr(0, token.size() - 1), n))
        return false;
    out = static_cast<std::size_t>(n);
    return true;
}

// ORCA numbers modes from 0; a label beyond every sensible mode count is
// not a table row.
constexpr std::size_t kMostModes = 300000;

} // namespace

ModeDraft& OrcaOutputParser::mode(std::size_t number) {
    if (draft_.modes.size() <= number)
        draft_.modes.resize(number + 1);
    return draft_.modes[number];
}

void OrcaOutputParser::feedLine(std::string_view line) {
    if (holding_)
        job_.add(line);
    const std::string_view text = trim(line);
    if (!text.empty())
        draft_.sawText = true;
    if (draft_.program.empty() && startsWith(text, "Program Version")) {
        LineTokens<3> t(text);
        draft_.program = "ORCA " + std::string(t[2]);
        return;
    }
    if (text == "CARTESIAN COORDINATES (ANGSTROEM)") {
        section_ = Section::Geometry;
        rowsSeen_ = false;
        geometry_.clear();
        return;
    }
    if (text == "VIBRATIONAL FREQUENCIES") {
        // A later frequency job replaces an earlier one.
        section_ = Section::Frequencies;
        rowsSeen_ = false;
        draft_.modes.clear();
        if (deferTables_) {
            job_.clear();
            job_.add(line);
            jobProgram_ = draft_.program;
            holding_ = true;
        }
        return;
    }
    if (text == "NORMAL MODES") {
        section_ = Section::Modes;
        rowsSeen_ = false;
        columns_.clear();
        return;
    }
    if (text == "IR SPECTRUM") {
        section_ = Section::Infrared;
        rowsSeen_ = false;
        intensityInIntColumn_ = false;
        return;
    }
    if (section_ == Section::None)
        return;
    if (text.empty()) {
        if (rowsSeen_) {
            if (section_ == Section::Geometry)
                draft_.atoms = std::move(geometry_);
            section_ = Section::None;
        }
        return;
    }
    switch (section_) {
    case Section::Geometry: {
        LineTokens<5> t(text);
        double x, y, z;
        if (t.count == 4 && parseWholeNumber(t[1], x) && parseWholeNumber(t[2], y) &&
            parseWholeNumber(t[3], z)) {
            geometry_.push_back(makeAtom(atomicNumberOfLabel(t[0]), x, y, z));
            rowsSeen_ = true;
        }
        break;
    }
    case Section::Frequencies: {
        if (deferTables_)
            break;
        LineTokens<3> t(text);
        std::size_t n;
        double value;
        if (modeLabel(t[0], n) && n < kMostModes && parseWholeNumber(t[1], value)) {
            mode(n).frequency = std::string(t[1]);
            rowsSeen_ = true;
        }
        break;
    }
    case Section::Modes:
        if (!deferTables_)
            readModeRow(text);
        break;
    case Section::Infrared:
        if (!deferTables_)
            readInfraredRow(text);
        break;
    case Section::None:
        break;
    }
}

void OrcaOutputParser::readModeRow(std::string_view text) {
    std::vector<std::string_view>& t = tokens_;
    numberTokens(text, t);
    if (t.empty() || !readNumbers(t, rowNumbers_))
        return;
    long first;
    if (!isIndex(t[0], first))
        return;
    const bool header = std::all_of(t.begin(), t.end(), [](std::string_view s) {
        long n;
        return parseWholeInteger(s, n) && n >= 0 && static_cast<std::size_t>(n) < kMostModes;
    });
    if (header) {
        columns_.clear();
        for (std::string_view s : t)
            columns_.push_back(static_cast<std::size_t>(parseNumber(s)));
        return;
    }
    if (t.size() != columns_.size() + 1)
        return;
    rowsSeen_ = true;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        ModeDraft& m = mode(columns_[c]);
        // Rows come in order; one out of place means the table is not whole.
        if (m.components.size() == static_cast<std::size_t>(first))
            m.components.push_back(rowNumbers_[c + 1]);
    }
}

void OrcaOutputParser::readInfraredRow(std::string_view text) {
    if (contains(text, "Int") && contains(text, "T**2")) {
        intensityInIntColumn_ = true;
        return;
    }
    std::string clean(text);
    std::replace(clean.begin(), clean.end(), '(', ' ');
    std::replace(clean.begin(), clean.end(), ')', ' ');
    LineTokens<10> t(clean);
    std::size_t n;
    if (!modeLabel(t[0], n) || n >= draft_.modes.size())
        return;
    // mode:, frequency, [eps, Int,] T**2, TX, TY, TZ
    const std::size_t numbers = t.count - 1;
    const std::size_t wanted = intensityInIntColumn_ ? 7 : 5;
    if (numbers < wanted)
        return;
    std::vector<std::string_view> values;
    for (std::size_t k = 1; k < t.count; ++k)
        values.push_back(t[k]);
    if (!allNumbers(values))
        return;
    ModeDraft& m = draft_.modes[n];
    m.intensity = std::string(values[intensityInIntColumn_ ? 2 : 1]);
    m.dipole = {toNumber(values[numbers - 3]), toNumber(values[numbers - 2]),
                toNumber(values[numbers - 1])};
    m.hasDipole = true;
    rowsSeen_ = true;
}

ReadResult<FrequencyJob> OrcaOutputParser::finish(std::string_view fileName) {
    if (holding_) {
        // The last job's tables, read by a parser in the state this one had
        // at their title; the geometry stays this parser's.
        OrcaOutputParser tables;
        tables.deferTables_ = false;
        tables.draft_.program = jobProgram_;
        job_.replay([&](std::string_view line) { tables.feedLine(line); });
        draft_.modes = std::move(tables.draft_.modes);
    }
    if (section_ == Section::Geometry && rowsSeen_)
        draft_.atoms = std::move(geometry_); // a table the file ends in
    // Rows with no frequency (never printed) are not modes.
    auto& modes = draft_.modes;
    modes.erase(std::remove_if(modes.begin(), modes.end(),
                               [](const ModeDraft& m) { return m.frequency.empty(); }),
                modes.end());
    dropLeadingZeroModes(modes, 6);
    return finishJob(std::move(draft_), fileName);
}

ReadResult<FrequencyJob> readOrcaOutput(std::string_view text, std::string_view fileName) {
    return parseText<OrcaOutputParser>(text, fileName);
}

ReadResult<FrequencyJob> readOrcaOutputFile(const std::string& path) {
    return parseFile<OrcaOutputParser>(path);
}

} // namespace kalviro
