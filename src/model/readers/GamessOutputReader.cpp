#include "model/readers/GamessOutputReader.h"

#include <algorithm>
#include <cmath>

#include "model/LineTokens.h"
#include "model/NumberText.h"

namespace kalviro {
using namespace output;

namespace {

// Titles looked for in every line.
constexpr LineNeedle kAnalysisEnd{"END OF NORMAL COORDINATE ANALYSIS"};
constexpr LineNeedle kAngstromGeometryTitle{"COORDINATES OF ALL ATOMS ARE (ANGS)"};

// Everything after the first occurrence of key, or empty.
std::string_view after(std::string_view text, std::string_view key) {
    const auto at = text.find(key);
    return at == std::string_view::npos ? std::string_view{} : text.substr(at + key.size());
}

bool allIntegers(std::string_view text, std::vector<long>& out) {
    LineTokens<16> t(text);
    out.clear();
    if (t.count == 0 || t.count == 16)
        return false;
    for (std::size_t k = 0; k < t.count; ++k) {
        long n;
        if (!parseWholeInteger(t[k], n))
            return false;
        out.push_back(n);
    }
    return true;
}

} // namespace

void GamessOutputParser::feedLine(std::string_view line) {
    const std::string_view text = trim(line);
    if (!text.empty())
        draft_.sawText = true;
    if (draft_.program.empty()) {
        if (std::string_view v = after(text, "GAMESS VERSION ="); !v.empty()) {
            v = trim(v.substr(0, v.find('*')));
            draft_.program = "GAMESS-US " + std::string(v);
            return;
        }
        // Firefly was called PC GAMESS before version 8.
        for (std::string_view name : {"Firefly", "PC GAMESS"}) {
            std::string_view v = after(text, std::string(name) + " version ");
            if (v.empty())
                continue;
            LineTokens<1> t(v);
            std::string_view version = t[0];
            if (!version.empty() && version.back() == ',')
                version.remove_suffix(1);
            draft_.program = std::string(name) + " " + std::string(version);
            return;
        }
    }
    if (inAnalysis_) {
        if (kAnalysisEnd.in(text))
            inAnalysis_ = false;
        else
            analysis_.add(line);
        return;
    }
    if (text == "NORMAL COORDINATE ANALYSIS IN THE HARMONIC APPROXIMATION") {
        inAnalysis_ = true;
        draft_.modes.clear();
        numbers_.clear();
        blockColumns_ = 0;
        dropFirst_ = 0;
        dropLast_ = -1;
        draft_.atoms = geometry_;
        draft_.intensityToKmPerMol = kDebye2PerAmuAngstrom2ToKmPerMol;
        analysis_.clear();
        return;
    }
    if (startsWith(text, "DIPOLE DERIVATIVE TENSOR")) {
        tensor_.clear();
        tensorOpen_ = true;
        return;
    }
    if (tensorOpen_) {
        readTensorLine(text);
        return;
    }
    if (startsWith(text, "ATOM") && contains(text, "COORDINATES (BOHR)")) {
        geometryOpen_ = true;
        geometryScale_ = kBohrToAngstrom;
        geometryLine_ = 0;
        reading_.clear();
        return;
    }
    if (kAngstromGeometryTitle.in(text)) {
        geometryOpen_ = true;
        geometryScale_ = 1.0;
        geometryLine_ = 0;
        reading_.clear();
        return;
    }
    if (geometryOpen_)
        readGeometryLine(text);
}

void GamessOutputParser::readGeometryLine(std::string_view text) {
    LineTokens<6> t(text);
    double charge, x, y, z;
    if (t.count == 5 && parseWholeNumber(t[1], charge) && parseWholeNumber(t[2], x) &&
        parseWholeNumber(t[3], y) && parseWholeNumber(t[4], z)) {
        reading_.push_back(makeAtom(static_cast<int>(std::lround(charge)), x * geometryScale_,
                                    y * geometryScale_, z * geometryScale_));
        return;
    }
    // The first line that is not a row ends the table; column titles and
    // rules before the rows are passed over.
    if (!reading_.empty()) {
        geometry_ = std::move(reading_);
        reading_.clear();
        geometryOpen_ = false;
    } else if (++geometryLine_ > 3) {
        geometryOpen_ = false;
    }
}

void GamessOutputParser::readTensorLine(std::string_view text) {
    const std::string_view rest = after(text, "D/D");
    if (rest.empty()) {
        if (!tensor_.empty())
            tensorOpen_ = false;
        return;
    }
    const std::vector<std::string_view> v = numberTokens(rest.substr(1));
    if (v.size() != 3 || !allNumbers(v)) {
        tensorOpen_ = false;
        return;
    }
    tensor_.push_back({toNumber(v[0]), toNumber(v[1]), toNumber(v[2])});
}

void GamessOutputParser::readAnalysisLine(std::string_view line, std::string_view text) {
    if (startsWith(text, "MODES") && contains(text, "ARE TAKEN AS ROTATIONS AND TRANSLATIONS")) {
        LineTokens<4> t(text);
        if (!parseWholeInteger(t[1], dropFirst_) || !parseWholeInteger(t[3], dropLast_))
            dropLast_ = -1;
        return;
    }
    std::vector<long> header;
    if (allIntegers(text, header)) {
        blockFirst_ = draft_.modes.size();
        blockColumns_ = header.size();
        draft_.modes.resize(blockFirst_ + blockColumns_);
        numbers_.insert(numbers_.end(), header.begin(), header.end());
        rowsOpen_ = false;
        return;
    }
    if (blockColumns_ == 0)
        return;
    auto column = [&](std::size_t c) -> ModeDraft& { return draft_.modes[blockFirst_ + c]; };
    if (startsWith(text, "FREQUENCY:")) {
        LineTokens<24> t(text.substr(10));
        std::size_t c = 0;
        for (std::size_t k = 0; k < t.count; ++k) {
            if (t[k] == "I" && c > 0) {
                ModeDraft& m = column(c - 1);
                if (!m.frequency.empty() && m.frequency[0] != '-')
                    m.frequency.insert(0, 1, '-');
            } else if (c < blockColumns_) {
                column(c++).frequency = std::string(t[k]);
            }
        }
        rowsOpen_ = true;
        return;
    }
    if (startsWith(text, "SYMMETRY:")) {
        LineTokens<16> t(text.substr(9));
        for (std::size_t c = 0; c < t.count && c < blockColumns_; ++c)
            column(c).symmetry = std::string(t[c]);
        return;
    }
    if (startsWith(text, "IR INTENSITY:")) {
        const std::vector<std::string_view> v = numberTokens(text.substr(13));
        for (std::size_t c = 0; c < v.size() && c < blockColumns_; ++c)
            column(c).intensity = std::string(v[c]);
        return;
    }
    if (contains(text, "SAYVETZ")) {
        rowsOpen_ = false;
        return;
    }
    if (!rowsOpen_)
        return;
    // "  1   C            X  0.00000000 ..." or "   Y  0.00000000 ...": the
    // numbers follow the axis letter.
    LineTokens<4> t(line);
    for (std::size_t k = 0; k < t.count && k < 3; ++k) {
        if (t[k] != "X" && t[k] != "Y" && t[k] != "Z")
            continue;
        const std::size_t at = static_cast<std::size_t>(t[k].data() - line.data()) + 1;
        if (readNumbers(line.substr(at), rowNumbers_) && rowNumbers_.size() == blockColumns_)
            for (std::size_t c = 0; c < blockColumns_; ++c)
                column(c).components.push_back(rowNumbers_[c]);
        return;
    }
}

ReadResult<FrequencyJob> GamessOutputParser::finish(std::string_view fileName) {
    analysis_.replay([&](std::string_view line) { readAnalysisLine(line, trim(line)); });
    auto& modes = draft_.modes;
    draft_.tableOpen = inAnalysis_ && !modes.empty();
    // Each mode's dipole derivative: the tensor (d mu_c / d r) times the
    // displacements, when the tensor covers every atom.
    const std::size_t n = draft_.atoms.size();
    if (n > 0 && tensor_.size() == 3 * n)
        for (ModeDraft& m : modes) {
            if (m.components.size() != 3 * n)
                continue;
            double d[3] = {0, 0, 0};
            for (std::size_t row = 0; row < 3 * n; ++row)
                for (int c = 0; c < 3; ++c)
                    d[c] += tensor_[row][c] * m.components[row];
            m.dipole = {d[0], d[1], d[2]};
            m.hasDipole = true;
        }
    std::vector<ModeDraft> kept;
    for (std::size_t k = 0; k < modes.size(); ++k)
        if (numbers_[k] < dropFirst_ || numbers_[k] > dropLast_)
            kept.push_back(std::move(modes[k]));
    modes = std::move(kept);
    return finishJob(std::move(draft_), fileName);
}

ReadResult<FrequencyJob> readGamessOutput(std::string_view text, std::string_view fileName) {
    return parseText<GamessOutputParser>(text, fileName);
}

ReadResult<FrequencyJob> readGamessOutputFile(const std::string& path) {
    return parseFile<GamessOutputParser>(path);
}

} // namespace kalviro
