#include "model/readers/QChemOutputReader.h"

#include <cctype>

#include "model/LineTokens.h"
#include "model/NumberText.h"

namespace kalviro {
using namespace output;

namespace {

// Titles looked for in every line.
constexpr LineNeedle kOrientationTitle{"Standard Nuclear Orientation"};
constexpr LineNeedle kAnalysisTitle{"VIBRATIONAL ANALYSIS"};
constexpr LineNeedle kThermochemistryTitle{"STANDARD THERMODYNAMIC QUANTITIES"};
constexpr LineNeedle kArchiveTitle{"Archival summary"};

// The words after a label such as "IR Intens:" as texts, or nothing when
// the line does not start with it.
bool valuesAfter(std::string_view text, std::string_view label,
                 std::vector<std::string_view>& out) {
    if (!startsWith(text, label))
        return false;
    out = numberTokens(text.substr(label.size()));
    return true;
}

} // namespace

ModeDraft* QChemOutputParser::column(std::size_t c) {
    return c < blockColumns_ ? &draft_.modes[blockFirst_ + c] : nullptr;
}

void QChemOutputParser::feedLine(std::string_view line) {
    const std::string_view text = trim(line);
    if (!text.empty())
        draft_.sawText = true;
    if (draft_.program.empty() && startsWith(text, "Q-Chem ") && text.size() > 7 &&
        std::isdigit(static_cast<unsigned char>(text[7]))) {
        LineTokens<2> t(text);
        std::string_view version = t[1];
        if (!version.empty() && version.back() == ',')
            version.remove_suffix(1);
        draft_.program = "Q-Chem " + std::string(version);
        return;
    }
    // Only a line with two letters side by side can hold a title.
    const bool words = hasLetterPair(text);
    if (words && kOrientationTitle.in(text)) {
        orientationLine_ = 1;
        reading_.clear();
        return;
    }
    if (orientationLine_ > 0) {
        ++orientationLine_;
        LineTokens<6> t(text);
        long index;
        double x, y, z;
        if (t.count == 5 && parseWholeInteger(t[0], index) && parseWholeNumber(t[2], x) &&
            parseWholeNumber(t[3], y) && parseWholeNumber(t[4], z)) {
            reading_.push_back(makeAtom(atomicNumberOfLabel(t[1]), x, y, z));
        } else if (startsWith(text, "---") && !reading_.empty()) {
            orientation_ = std::move(reading_);
            reading_.clear();
            orientationLine_ = 0;
        } else if (orientationLine_ > 3) {
            orientationLine_ = 0; // not a table after all
        }
        return;
    }
    if (words && kAnalysisTitle.in(text)) {
        // The analysis belongs to the orientation just before it; a later
        // job's analysis replaces it.
        inAnalysis_ = true;
        draft_.modes.clear();
        draft_.atoms = orientation_;
        blockColumns_ = 0;
        analysis_.clear();
        return;
    }
    if (!inAnalysis_)
        return;
    if (words && (kThermochemistryTitle.in(text) || kArchiveTitle.in(text)))
        inAnalysis_ = false;
    else
        analysis_.add(text);
}

void QChemOutputParser::readVibrationLine(std::string_view text) {
    std::vector<std::string_view> v;
    if (valuesAfter(text, "Mode:", v)) {
        blockFirst_ = draft_.modes.size();
        blockColumns_ = v.size();
        draft_.modes.resize(blockFirst_ + blockColumns_);
        return;
    }
    if (blockColumns_ == 0)
        return;
    auto setTexts = [&](std::string ModeDraft::*field) {
        for (std::size_t c = 0; c < v.size() && c < blockColumns_; ++c)
            column(c)->*field = std::string(v[c]);
    };
    if (valuesAfter(text, "Frequency:", v)) {
        setTexts(&ModeDraft::frequency);
    } else if (valuesAfter(text, "IR Intens:", v)) {
        setTexts(&ModeDraft::intensity);
    } else if (valuesAfter(text, "Raman Intens:", v)) {
        setTexts(&ModeDraft::raman);
    } else if (valuesAfter(text, "TransDip", v)) {
        if (v.size() == 3 * blockColumns_ && allNumbers(v))
            for (std::size_t c = 0; c < blockColumns_; ++c) {
                column(c)->dipole = {toNumber(v[3 * c]), toNumber(v[3 * c + 1]),
                                     toNumber(v[3 * c + 2])};
                column(c)->hasDipole = true;
            }
    } else {
        // An atom row: the element, then X Y Z of every mode of the block.
        LineTokens<1> label(text);
        if (label.count == 0 || !std::isalpha(static_cast<unsigned char>(label[0][0])))
            return;
        if (!readNumbers(text.substr(label[0].size()), rowNumbers_) ||
            rowNumbers_.size() != 3 * blockColumns_)
            return;
        for (std::size_t k = 0; k < rowNumbers_.size(); ++k)
            column(k / 3)->components.push_back(rowNumbers_[k]);
    }
}

ReadResult<FrequencyJob> QChemOutputParser::finish(std::string_view fileName) {
    analysis_.replay([&](std::string_view text) { readVibrationLine(text); });
    draft_.tableOpen = inAnalysis_ && !draft_.modes.empty();
    return finishJob(std::move(draft_), fileName);
}

ReadResult<FrequencyJob> readQChemOutput(std::string_view text, std::string_view fileName) {
    return parseText<QChemOutputParser>(text, fileName);
}

ReadResult<FrequencyJob> readQChemOutputFile(const std::string& path) {
    return parseFile<QChemOutputParser>(path);
}

} // namespace kalviro
