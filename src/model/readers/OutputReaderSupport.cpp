#include "model/readers/OutputReaderSupport.h"

#include <cctype>
#include <cmath>
#include <cstdint>

#include "model/ElementTable.h"
#include "model/NumberText.h"
#include "platform/Messages.h"

namespace kalviro::output {
namespace {

// Texts the user sees.

ReadResult<FrequencyJob> fail(std::string_view fileName, std::string_view reason) {
    std::string text;
    if (!fileName.empty()) {
        text.append(fileName);
        text.append("：");
    }
    text.append(reason);
    return ReadResult<FrequencyJob>::failure(std::move(text));
}

// Some modes have the column and some not: the table stopped short.
template <class Has> bool partly(const std::vector<ModeDraft>& modes, Has has) {
    std::size_t n = 0;
    for (const ModeDraft& m : modes)
        n += has(m) ? 1 : 0;
    return n != 0 && n != modes.size();
}

} // namespace

ReadResult<FrequencyJob> cannotOpen(std::string_view fileName) {
    return fail(fileName, msg::kOutputCannotOpen);
}

ReadResult<FrequencyJob> finishJob(JobDraft draft, std::string_view fileName) {
    if (!draft.sawText)
        return fail(fileName, msg::kOutputEmptyFile);
    if (draft.modes.empty())
        return fail(fileName, msg::kOutputNoVibrations);
    if (draft.atoms.empty())
        return fail(fileName, msg::kOutputNoAtoms);
    if (draft.tableOpen)
        return fail(fileName, msg::kOutputModeTableCut);
    const std::size_t n = draft.atoms.size();
    double ignored;
    for (const ModeDraft& m : draft.modes)
        if (m.components.size() != 3 * n || !parseWholeNumber(m.frequency, ignored))
            return fail(fileName, msg::kOutputModeTableCut);
    const auto& modes = draft.modes;
    if (partly(modes, [](const ModeDraft& m) { return !m.intensity.empty(); }) ||
        partly(modes, [](const ModeDraft& m) { return m.hasDipole; }))
        return fail(fileName, msg::kOutputIntensityTableCut);
    if (partly(modes, [](const ModeDraft& m) { return !m.symmetry.empty(); }) ||
        partly(modes, [](const ModeDraft& m) { return !m.raman.empty(); }))
        return fail(fileName, msg::kOutputColumnCut);

    FrequencyJob job;
    job.program = std::move(draft.program);
    job.atoms = std::move(draft.atoms);
    job.intensityToKmPerMol = draft.intensityToKmPerMol;
    const bool withIntensity = !modes.front().intensity.empty();
    const bool withSymmetry = !modes.front().symmetry.empty();
    const bool withRaman = !modes.front().raman.empty();
    const bool withDipole = modes.front().hasDipole;
    for (ModeDraft& m : draft.modes) {
        std::vector<Vector3> vectors(n);
        for (std::size_t a = 0; a < n; ++a)
            vectors[a] = {m.components[3 * a], m.components[3 * a + 1], m.components[3 * a + 2]};
        job.modes.push_back(std::move(vectors));
        if (withIntensity)
            job.intensities.push_back(m.intensity);
        if (withSymmetry)
            job.symmetries.push_back(m.symmetry);
        if (withRaman)
            job.ramanActivities.push_back(m.raman);
        if (withDipole) {
            // Only the direction is taken from the file; the length comes
            // from the intensity, which is printed with more digits.
            const double km = parseNumber(m.intensity) * job.intensityToKmPerMol;
            const Vector3 d = m.dipole;
            const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
            Vector3 v;
            if (length > 0.0 && km > 0.0) {
                const double s = std::sqrt(km) / length;
                v = {d.x * s, d.y * s, d.z * s};
            }
            job.dipoleDerivatives.push_back(v);
        }
        job.frequencies.push_back(std::move(m.frequency));
    }
    return job;
}

Atom makeAtom(int atomicNumber, double x, double y, double z) {
    Atom atom;
    atom.atomicNumber = atomicNumber;
    atom.symbol = std::string(elementSymbol(atomicNumber));
    atom.x = x;
    atom.y = y;
    atom.z = z;
    return atom;
}

int atomicNumberOfLabel(std::string_view label) {
    if (auto exact = elementByExactSymbol(label))
        return *exact;
    // Labels are single letters or a capital and a small letter in front of
    // a number; a whole word such as "CARBON" is not a label.
    std::size_t letters = 0;
    while (letters < label.size() && std::isalpha(static_cast<unsigned char>(label[letters])))
        ++letters;
    if (letters == 0 || letters > 2)
        return 0;
    if (auto prefix = elementByLabelPrefix(label))
        return *prefix;
    return 0;
}

namespace {

// Calls take(token) for each number token of text while it returns true.
template <class Take> void splitNumbers(std::string_view text, Take take) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r'))
            ++i;
        if (i == text.size())
            break;
        const std::size_t start = i++;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') {
            const char before = text[i - 1];
            if (text[i] == '-' && std::isdigit(static_cast<unsigned char>(before)))
                break;
            ++i;
        }
        if (!take(text.substr(start, i - start)))
            return;
    }
}

} // namespace

std::vector<std::string_view> numberTokens(std::string_view text) {
    std::vector<std::string_view> out;
    numberTokens(text, out);
    return out;
}

void numberTokens(std::string_view text, std::vector<std::string_view>& out) {
    out.clear();
    splitNumbers(text, [&](std::string_view t) {
        out.push_back(t);
        return true;
    });
}

bool readNumbers(const std::vector<std::string_view>& tokens, std::vector<double>& values) {
    values.clear();
    double v;
    for (std::string_view t : tokens) {
        if (!parseWholeNumber(t, v))
            return false;
        values.push_back(v);
    }
    return true;
}

bool readNumbers(std::string_view text, std::vector<double>& values) {
    values.clear();
    bool all = true;
    splitNumbers(text, [&](std::string_view t) {
        double v;
        all = parseWholeNumber(t, v);
        if (all)
            values.push_back(v);
        return all;
    });
    return all;
}

bool allNumbers(const std::vector<std::string_view>& tokens) {
    double ignored;
    for (std::string_view t : tokens)
        if (!parseWholeNumber(t, ignored))
            return false;
    return true;
}

double toNumber(std::string_view token) {
    return parseNumber(token);
}

bool hasLetterPair(std::string_view text) {
    std::uint64_t before = 0;
    return anyLetterWord(text, [&before](std::uint64_t letters) {
        // Byte k+1 shifted onto byte k; the last byte of the word before
        // pairs with the first of this one.
        const bool pair = ((letters & (letters >> 8)) | (letters & (before >> 56))) != 0;
        before = letters;
        return pair;
    });
}

// A plain loop: find_first_not_of looks each byte up in the set with a call.
std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    std::size_t first = 0, end = text.size();
    while (first < end && blank(text[first]))
        first = skipSpaces(text, first + 1);
    while (end > first && blank(text[end - 1]))
        --end;
    return text.substr(first, end - first);
}

void dropLeadingZeroModes(std::vector<ModeDraft>& modes, std::size_t most) {
    std::size_t zeros = 0;
    while (zeros < modes.size() && zeros < most && parseNumber(modes[zeros].frequency) == 0.0)
        ++zeros;
    modes.erase(modes.begin(), modes.begin() + static_cast<std::ptrdiff_t>(zeros));
}

} // namespace kalviro::output
