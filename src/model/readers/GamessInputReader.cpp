#include "model/readers/GamessInputReader.h"

#include <cmath>
#include <memory>

#include "model/LineTokens.h"
#include "model/MoleculeState.h"
#include "model/NumberText.h"
#include "model/TextLineReader.h"
#include "model/readers/GamessSymmetry.h"

namespace kalviro {
namespace {

// $CONTRL sits near the top; a file with megabytes before $DATA is no input.
constexpr std::size_t kPreambleLimit = 1 << 16;

bool containsIgnoringCase(std::string_view line, std::string_view lowerText) {
    return contains(lowerCase(line), lowerText);
}

// Whether token starts with a number the C library would read; sets out.
bool scanNumber(std::string_view token, double& out) {
    if (token.empty())
        return false;
    std::size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i < token.size() && token[i] == '.')
        ++i;
    if (i >= token.size() || token[i] < '0' || token[i] > '9')
        return false;
    out = parseNumber(token);
    return true;
}

// Charges far outside the periodic table still have to fit an int.
int truncatedCharge(float charge) {
    if (!std::isfinite(charge) || std::fabs(charge) > 1.0e6f)
        return 1000000;
    return static_cast<int>(charge);
}

} // namespace

void GamessInputParser::feedLine(std::string_view line) {
    if (ended_)
        return;
    if (groupLine_ == 0) {
        if (containsIgnoringCase(line, "$data"))
            groupLine_ = 1;
        else if (beforeData_.size() < kPreambleLimit)
            beforeData_.append(line).push_back('\n');
        return;
    }
    ++groupLine_;
    if (containsIgnoringCase(line, "$end")) {
        ended_ = true;
        return;
    }
    if (groupLine_ == 3) {
        pointGroup_ = std::string(line);
        // Group C1 has no line after the point-group line: its atoms start at once.
        if (lowerCase(LineTokens<1>(line)[0]) == "c1")
            firstAtomLine_ = 4;
        return;
    }
    if (groupLine_ >= firstAtomLine_ && !isBlankLine(line))
        readAtomLine(line);
}

void GamessInputParser::readAtomLine(std::string_view line) {
    // "label charge x y z"; what cannot be read stays 0 and later fields are
    // not read, as a formatted scan stops at the first field it cannot read.
    LineTokens<5> t(line);
    Atom atom;
    atom.symbol = std::string(t[0]);
    double v = 0.0;
    if (scanNumber(t[1], v)) {
        charge_ = static_cast<float>(v);
        double* coords[3] = {&atom.x, &atom.y, &atom.z};
        std::size_t read = 0;
        for (; read < 3 && scanNumber(t[2 + read], v); ++read)
            *coords[read] = v;
        if (read == 3)
            ++completeLines_;
    }
    atom.atomicNumber = truncatedCharge(charge_);
    atoms_.push_back(std::move(atom));
}

GamessReadResult GamessInputParser::finish() const {
    // A group without a single "label charge x y z" line holds no Cartesian
    // atoms (a Z-matrix, say); reading it would stack atoms at the origin.
    if (!ended_ || completeLines_ == 0)
        return {GamessReadStatus::BadGroup, {}};
    // Symmetry-unique atoms stand for the whole molecule; a group the
    // expansion does not know keeps the atoms as listed.
    const auto group = parseGamessPointGroup(pointGroup_);
    if (group && group->name != "C1" && gamessListsUniqueAtoms(beforeData_)) {
        auto all = expandGamessSymmetry(*group, atoms_);
        if (all)
            return {GamessReadStatus::Ok, std::move(*all)};
    }
    return {GamessReadStatus::Ok, atoms_};
}

GamessReadResult parseGamessText(std::string_view text) {
    GamessInputParser parser;
    forEachLine(text, [&](std::string_view line) { parser.feedLine(line); });
    return parser.finish();
}

GamessReadResult parseGamessFile(const std::string& path) {
    GamessInputParser parser;
    if (!forEachLineOfFile(path, [&](std::string_view line) { parser.feedLine(line); }))
        return {GamessReadStatus::CannotOpen, {}};
    return parser.finish();
}

} // namespace kalviro
