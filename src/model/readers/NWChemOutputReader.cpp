#include "model/readers/NWChemOutputReader.h"

#include <cmath>

#include "model/LineTokens.h"
#include "model/NumberText.h"

namespace kalviro {
using namespace output;

namespace {

// Titles looked for in every line.
constexpr LineNeedle kDipoleTitle{"Projected Derivative Dipole Moments"};
constexpr LineNeedle kIntensityTitle{"Projected Infra Red Intensities"};

} // namespace

void NWChemOutputParser::feedLine(std::string_view line) {
    if (holding_)
        job_.add(line);
    const std::string_view text = trim(line);
    if (!text.empty())
        draft_.sawText = true;
    if (draft_.program.empty() && contains(text, "Northwest Computational Chemistry Package")) {
        const auto close = text.find(')');
        LineTokens<1> t(close == std::string_view::npos ? std::string_view{}
                                                        : text.substr(close + 1));
        draft_.program = "NWChem";
        if (t.count)
            draft_.program += " " + std::string(t[0]);
        return;
    }
    if (startsWith(text, "Output coordinates in angstroms")) {
        section_ = Section::Geometry;
        reading_.clear();
        geometryLine_ = 0;
        return;
    }
    if (startsWith(text, "(Projected Frequencies expressed in cm-1)")) {
        // A later analysis replaces an earlier one; the geometry is the one
        // printed last before it.
        section_ = Section::Modes;
        projectedSeen_ = true;
        draft_.modes.clear();
        draft_.atoms = geometry_;
        blockColumns_ = 0;
        if (deferTables_) {
            job_.clear();
            job_.add(line);
            jobProgram_ = draft_.program;
            holding_ = true;
        }
        return;
    }
    if (kDipoleTitle.in(text)) {
        section_ = Section::Dipoles;
        valueRows_ = false;
        return;
    }
    if (kIntensityTitle.in(text)) {
        section_ = Section::Intensities;
        valueRows_ = false;
        return;
    }
    switch (section_) {
    case Section::Geometry:
        readGeometryLine(text);
        break;
    case Section::Modes:
        if (!deferTables_)
            readModeLine(text);
        break;
    case Section::Dipoles:
    case Section::Intensities:
        if (!deferTables_)
            readModeValues(text);
        break;
    case Section::None:
        break;
    }
}

void NWChemOutputParser::readGeometryLine(std::string_view text) {
    LineTokens<7> t(text);
    long index;
    double charge, x, y, z;
    if (t.count == 6 && parseWholeInteger(t[0], index) && parseWholeNumber(t[2], charge) &&
        parseWholeNumber(t[3], x) && parseWholeNumber(t[4], y) && parseWholeNumber(t[5], z)) {
        int number = atomicNumberOfLabel(t[1]);
        if (number == 0)
            number = static_cast<int>(std::lround(charge));
        reading_.push_back(makeAtom(number, x, y, z));
        return;
    }
    if (!reading_.empty()) {
        geometry_ = std::move(reading_);
        reading_.clear();
        section_ = Section::None;
    } else if (++geometryLine_ > 4) {
        section_ = Section::None;
    }
}

void NWChemOutputParser::readModeLine(std::string_view text) {
    if (startsWith(text, "P.Frequency")) {
        const std::vector<std::string_view> f = numberTokens(text.substr(11));
        for (std::size_t c = 0; c < f.size() && c < blockColumns_; ++c)
            draft_.modes[blockFirst_ + c].frequency = std::string(f[c]);
        return;
    }
    std::vector<std::string_view>& v = tokens_;
    numberTokens(text, v);
    if (v.empty() || !readNumbers(v, rowNumbers_))
        return;
    bool header = true;
    for (std::string_view s : v)
        header = header && s.find('.') == std::string_view::npos;
    if (header) {
        blockFirst_ = draft_.modes.size();
        blockColumns_ = v.size();
        draft_.modes.resize(blockFirst_ + blockColumns_);
        return;
    }
    if (v.size() != blockColumns_ + 1)
        return;
    const auto row = static_cast<std::size_t>(rowNumbers_[0]);
    for (std::size_t c = 0; c < blockColumns_; ++c) {
        ModeDraft& m = draft_.modes[blockFirst_ + c];
        // Rows are numbered from 1 in order; one out of place is not taken.
        if (m.components.size() + 1 == row)
            m.components.push_back(rowNumbers_[c + 1]);
    }
}

// "  7   37.565 ||   0.000   0.000   0.006" (dipoles) or
// "  7   37.565 ||   0.000001   0.000   0.001   0.003" (intensities).
void NWChemOutputParser::readModeValues(std::string_view text) {
    if (startsWith(text, "---") && valueRows_) {
        section_ = Section::None;
        return;
    }
    const auto bars = text.find("||");
    if (bars == std::string_view::npos)
        return;
    LineTokens<3> head(text.substr(0, bars));
    long number;
    if (head.count != 2 || !parseWholeInteger(head[0], number) || number < 1 ||
        static_cast<std::size_t>(number) > draft_.modes.size())
        return;
    const std::vector<std::string_view> v = numberTokens(text.substr(bars + 2));
    if (!allNumbers(v))
        return;
    ModeDraft& m = draft_.modes[static_cast<std::size_t>(number) - 1];
    valueRows_ = true;
    if (section_ == Section::Dipoles && v.size() == 3) {
        m.dipole = {toNumber(v[0]), toNumber(v[1]), toNumber(v[2])};
        m.hasDipole = true;
    } else if (section_ == Section::Intensities && v.size() == 4) {
        m.intensity = std::string(v[2]);
    }
}

ReadResult<FrequencyJob> NWChemOutputParser::finish(std::string_view fileName) {
    if (holding_) {
        // The last analysis, read by a parser in the state this one had at
        // its title; the geometry stays this parser's.
        NWChemOutputParser tables;
        tables.deferTables_ = false;
        tables.draft_.program = jobProgram_;
        job_.replay([&](std::string_view line) { tables.feedLine(line); });
        draft_.modes = std::move(tables.draft_.modes);
        section_ = tables.section_;
    }
    if (!projectedSeen_)
        draft_.modes.clear();
    // The projected table has all 3N rows, zero ones included.
    draft_.tableOpen = (section_ == Section::Dipoles || section_ == Section::Intensities) ||
                       (!draft_.modes.empty() && draft_.modes.size() != 3 * draft_.atoms.size());
    dropLeadingZeroModes(draft_.modes, 6);
    return finishJob(std::move(draft_), fileName);
}

ReadResult<FrequencyJob> readNWChemOutput(std::string_view text, std::string_view fileName) {
    return parseText<NWChemOutputParser>(text, fileName);
}

ReadResult<FrequencyJob> readNWChemOutputFile(const std::string& path) {
    return parseFile<NWChemOutputParser>(path);
}

} // namespace kalviro
