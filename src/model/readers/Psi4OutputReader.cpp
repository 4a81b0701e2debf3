#include "model/readers/Psi4OutputReader.h"

#include <cctype>
#include <cmath>

#include "model/LineTokens.h"
#include "model/NumberText.h"

namespace kalviro {
using namespace output;

namespace {

// Titles looked for in every line.
constexpr LineNeedle kDisplacementTitle{"Loading displacement"};
constexpr LineNeedle kAnalysisTitle{"==> Harmonic Vibrational Analysis <=="};
constexpr LineNeedle kThermochemistryTitle{"Thermochemistry"};

// "123.4567i" is an imaginary wavenumber: "-123.4567". Anything that is not
// a number gives an empty text.
std::string frequencyText(std::string_view token) {
    double ignored;
    if (!token.empty() && token.back() == 'i') {
        token.remove_suffix(1);
        if (!parseWholeNumber(token, ignored))
            return {};
        return token[0] == '-' ? std::string(token) : "-" + std::string(token);
    }
    return parseWholeNumber(token, ignored) ? std::string(token) : std::string();
}

// The texts after a row title such as "Freq [cm^-1]" (the title ends where
// the columns start, after "]" or after the title word).
std::vector<std::string_view> afterTitle(std::string_view text, std::string_view title) {
    std::string_view rest = text.substr(title.size());
    if (const auto close = rest.find(']');
        close != std::string_view::npos && rest.find('[') < close)
        rest = rest.substr(close + 1);
    std::vector<std::string_view> out;
    LineTokens<32> t(rest);
    for (std::size_t k = 0; k < t.count; ++k)
        out.push_back(t[k]);
    return out;
}

} // namespace

void Psi4OutputParser::feedLine(std::string_view line) {
    const std::string_view text = trim(line);
    if (!text.empty())
        draft_.sawText = true;
    if (draft_.program.empty() && startsWith(text, "Psi4 ") && text.size() > 5 &&
        std::isdigit(static_cast<unsigned char>(text[5]))) {
        LineTokens<2> t(text);
        draft_.program = "Psi4 " + std::string(t[1]);
        return;
    }
    if (startsWith(text, "Geometry (in ")) {
        geometryOpen_ = true;
        geometryLine_ = 0;
        geometryScale_ = startsWith(text, "Geometry (in Bohr") ? kBohrToAngstrom : 1.0;
        reading_.clear();
        readingRows_ = 0;
        return;
    }
    if (geometryOpen_) {
        readGeometryLine(text);
        return;
    }
    // Only a line with two letters side by side can hold a title.
    const bool words = hasLetterPair(text);
    if (words && kDisplacementTitle.in(text)) {
        displacing_ = true;
        return;
    }
    if (words && kAnalysisTitle.in(text)) {
        startAnalysis();
        return;
    }
    if (startsWith(text, "Irrep") && contains(text, "Harmonic Frequency")) {
        layout_ = Layout::OldTable;
        oldIrreps_.clear();
        oldTableRows_ = false;
        return;
    }
    if (startsWith(text, "Normal Modes") && layout_ != Layout::Columns) {
        const auto irreps = oldIrreps_;
        startAnalysis();
        oldIrreps_ = irreps;
        layout_ = Layout::OldModes;
        return;
    }
    switch (layout_) {
    case Layout::Columns:
        if (startsWith(text, "==>") || (words && kThermochemistryTitle.in(text)))
            layout_ = Layout::None;
        else
            columns_.add(text);
        break;
    case Layout::OldTable: {
        LineTokens<3> t(text);
        if (t.count == 2) {
            const std::string f = frequencyText(t[1]);
            if (!f.empty()) {
                oldIrreps_.emplace_back(std::string(t[0]), parseNumber(f));
                oldTableRows_ = true;
            }
        } else if (oldTableRows_ && startsWith(text, "---")) {
            layout_ = Layout::None;
        }
        break;
    }
    case Layout::OldModes:
        readOldModeLine(text);
        break;
    case Layout::None:
        break;
    }
}

void Psi4OutputParser::startAnalysis() {
    layout_ = Layout::Columns;
    draft_.modes.clear();
    draft_.atoms = geometry_;
    blockColumns_ = 0;
    displacing_ = false;
    columns_.clear();
}

void Psi4OutputParser::readGeometryLine(std::string_view text) {
    RowTokens<6> t(text);
    double x, y, z;
    if ((t.count == 4 || t.count == 5) && std::isalpha(static_cast<unsigned char>(t[0][0])) &&
        parseWholeNumber(t[1], x) && parseWholeNumber(t[2], y) && parseWholeNumber(t[3], z)) {
        // A displaced geometry is never used: its rows are only counted.
        if (!displacing_)
            reading_.push_back(makeAtom(atomicNumberOfLabel(t[0]), x * geometryScale_,
                                        y * geometryScale_, z * geometryScale_));
        ++readingRows_;
        return;
    }
    if (readingRows_ != 0) {
        if (!displacing_)
            geometry_ = std::move(reading_);
        reading_.clear();
        readingRows_ = 0;
        geometryOpen_ = false;
    } else if (++geometryLine_ > 4) {
        geometryOpen_ = false;
    }
}

void Psi4OutputParser::readColumnsLine(std::string_view text) {
    auto column = [&](std::size_t c) -> ModeDraft& { return draft_.modes[blockFirst_ + c]; };
    if (startsWith(text, "Vibration")) {
        const auto v = afterTitle(text, "Vibration");
        blockFirst_ = draft_.modes.size();
        blockColumns_ = v.size();
        draft_.modes.resize(blockFirst_ + blockColumns_);
        return;
    }
    if (blockColumns_ == 0)
        return;
    if (startsWith(text, "Freq [")) {
        const auto v = afterTitle(text, "Freq");
        for (std::size_t c = 0; c < v.size() && c < blockColumns_; ++c)
            column(c).frequency = frequencyText(v[c]);
    } else if (startsWith(text, "Irrep")) {
        const auto v = afterTitle(text, "Irrep");
        if (v.size() == blockColumns_)
            for (std::size_t c = 0; c < blockColumns_; ++c)
                column(c).symmetry = std::string(v[c]);
    } else if (startsWith(text, "IR activ [km/mol]")) {
        const auto v = afterTitle(text, "IR activ");
        for (std::size_t c = 0; c < v.size() && c < blockColumns_; ++c)
            column(c).intensity = std::string(v[c]);
    } else {
        // "  1   C   -0.00  0.00 -0.11    0.00 ..."
        LineTokens<2> head(text);
        long index;
        if (head.count < 2 || !parseWholeInteger(head[0], index))
            return;
        const auto at = static_cast<std::size_t>(head[1].data() - text.data()) + head[1].size();
        if (!readNumbers(text.substr(at), rowNumbers_) || rowNumbers_.size() != 3 * blockColumns_)
            return;
        for (std::size_t k = 0; k < rowNumbers_.size(); ++k)
            column(k / 3).components.push_back(rowNumbers_[k]);
    }
}

void Psi4OutputParser::readOldModeLine(std::string_view text) {
    if (startsWith(text, "Frequency:")) {
        ModeDraft m;
        LineTokens<2> t(text.substr(10));
        m.frequency = frequencyText(t[0]);
        draft_.modes.push_back(std::move(m));
        return;
    }
    if (draft_.modes.empty())
        return;
    // "C      -0.000   0.000  -0.110       12.000000": the element, x y z, mass.
    LineTokens<6> t(text);
    double x, y, z, mass;
    if (t.count == 5 && std::isalpha(static_cast<unsigned char>(t[0][0])) &&
        parseWholeNumber(t[1], x) && parseWholeNumber(t[2], y) && parseWholeNumber(t[3], z) &&
        parseWholeNumber(t[4], mass)) {
        auto& c = draft_.modes.back().components;
        c.insert(c.end(), {x, y, z});
    } else if (contains(text, "==>")) {
        layout_ = Layout::None;
    }
}

ReadResult<FrequencyJob> Psi4OutputParser::finish(std::string_view fileName) {
    // The old layout gives the irreps in a table of their own, in the order
    // of the modes; they are kept only when that table matches the modes.
    columns_.replay([&](std::string_view text) { readColumnsLine(text); });
    auto& modes = draft_.modes;
    draft_.tableOpen = layout_ == Layout::Columns && !modes.empty();
    if (!oldIrreps_.empty() && oldIrreps_.size() == modes.size()) {
        bool same = true;
        for (std::size_t k = 0; k < modes.size(); ++k)
            same = same && std::fabs(oldIrreps_[k].second - parseNumber(modes[k].frequency)) < 0.01;
        if (same)
            for (std::size_t k = 0; k < modes.size(); ++k)
                modes[k].symmetry = oldIrreps_[k].first;
    }
    return finishJob(std::move(draft_), fileName);
}

ReadResult<FrequencyJob> readPsi4Output(std::string_view text, std::string_view fileName) {
    return parseText<Psi4OutputParser>(text, fileName);
}

ReadResult<FrequencyJob> readPsi4OutputFile(const std::string& path) {
    return parseFile<Psi4OutputParser>(path);
}

} // namespace kalviro
