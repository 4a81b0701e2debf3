#pragma once
// What the readers of other programs' frequency outputs share: a draft of
// the job that the line parsers fill, the check that turns it into content
// or a reason, and small helpers for the tables these programs print.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/Atom.h"
#include "model/LineTokens.h"
#include "model/TextLineReader.h"
#include "model/Vector3.h"
#include "model/readers/FrequencyJob.h"
#include "model/readers/ReadResult.h"

namespace kalviro::output {

// CODATA 2018 Bohr radius.
constexpr double kBohrToAngstrom = 0.529177210903;

// One mode as the parsers collect it. Displacements are appended in the
// order x1 y1 z1 x2 ..., which is the order every one of these programs
// prints them in.
struct ModeDraft {
    std::string frequency;
    std::string intensity; // empty when the file gives none
    std::string symmetry;
    std::string raman;
    std::vector<double> components;
    bool hasDipole = false;
    Vector3 dipole; // direction of the dipole derivative, any length
};

struct JobDraft {
    std::string program;
    std::vector<Atom> atoms;
    std::vector<ModeDraft> modes; // translations and rotations already left out
    double intensityToKmPerMol = 1.0;
    bool sawText = false;   // any non-blank line
    bool tableOpen = false; // the file ended inside the vibration tables
};

// The draft as content, or a Japanese reason naming fileName: no text, no
// vibrations, no atoms, or a table that stopped short (a mode missing some
// displacements or a column that only some modes have).
ReadResult<FrequencyJob> finishJob(JobDraft draft, std::string_view fileName);

// A failure for a file that could not be opened.
ReadResult<FrequencyJob> cannotOpen(std::string_view fileName);

// An atom at (x, y, z) angstrom with its atomic number and element symbol.
Atom makeAtom(int atomicNumber, double x, double y, double z);
// Atomic number of a label such as "C", "Cl", "H12", "CARBON" is not one:
// 0 when no element symbol starts it.
int atomicNumberOfLabel(std::string_view label);

// The numbers of a line, blank-separated, where a minus sign after a digit
// also starts a new number ("0.000021-0.000018" is two).
std::vector<std::string_view> numberTokens(std::string_view text);
// The same into `out`, whose storage is reused from row to row.
void numberTokens(std::string_view text, std::vector<std::string_view>& out);
// Whether every token is a number.
bool allNumbers(const std::vector<std::string_view>& tokens);
double toNumber(std::string_view token);
// The tokens as numbers into `values` (reused); false, and no more read, at
// the first token that is not a number.
bool readNumbers(const std::vector<std::string_view>& tokens, std::vector<double>& values);
// The numbers of a line (split as numberTokens does) into `values` (reused);
// false at the first word that is not a number. For the rows of the mode
// tables, where a reader spends most of its time.
bool readNumbers(std::string_view text, std::vector<double>& values);
// Whether two ASCII letters stand side by side somewhere in text, eight
// bytes at a time: every title the readers look for has such a pair, and
// many rows of a table (a label and numbers) have none.
bool hasLetterPair(std::string_view text);
// The first byte at or after i that is not a space, eight bytes at a time:
// the rows of the tables are mostly runs of spaces.
inline std::size_t skipSpaces(std::string_view text, std::size_t i) {
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t x;
        std::memcpy(&x, text.data() + i, 8);
        x ^= 0x2020202020202020ull; // zero bytes where the spaces are
        if (x != 0)
            return i + static_cast<std::size_t>(std::countr_zero(x) / 8);
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    return i;
}

// The first blank at or after i (the end of a token), eight bytes at a time.
inline std::size_t skipToBlank(std::string_view text, std::size_t i) {
    constexpr std::uint64_t k01 = 0x0101010101010101ull;
    constexpr std::uint64_t k80 = 0x8080808080808080ull;
    while (i + 8 <= text.size()) {
        std::uint64_t x;
        std::memcpy(&x, text.data() + i, 8);
        // The high bit of bytes below '!': exact for the first such byte.
        const std::uint64_t low = (x - k01 * 0x21) & ~x & k80;
        if (low == 0) {
            i += 8;
            continue;
        }
        i += static_cast<std::size_t>(std::countr_zero(low) / 8);
        if (isBlank(text[i]))
            return i;
        ++i; // a control byte inside the token
    }
    while (i < text.size() && !isBlank(text[i]))
        ++i;
    return i;
}

// The tokens LineTokens<N> gives, found faster in rows with long runs of
// spaces.
template <std::size_t N> struct RowTokens {
    std::array<std::string_view, N> token{};
    std::size_t count = 0;

    explicit RowTokens(std::string_view line) {
        std::size_t i = 0;
        const std::size_t n = line.size();
        while (count < N) {
            for (i = skipSpaces(line, i); i < n && isBlank(line[i]);)
                i = skipSpaces(line, i + 1);
            if (i == n)
                break;
            const std::size_t start = i;
            i = skipToBlank(line, i);
            token[count++] = line.substr(start, i - start);
        }
    }

    std::string_view operator[](std::size_t k) const { return k < count ? token[k] : std::string_view{}; }
};

// Leading and trailing blanks removed.
std::string_view trim(std::string_view text);
// Inline, with the first byte tested before the rest: it runs for most
// lines of a file against several titles.
inline bool startsWith(std::string_view text, std::string_view prefix) {
    return prefix.empty() || (text.size() >= prefix.size() && text[0] == prefix[0] &&
                              text.compare(0, prefix.size(), prefix) == 0);
}

// Drops up to `most` leading modes whose frequency is zero (the rows left
// for translations and rotations).
void dropLeadingZeroModes(std::vector<ModeDraft>& modes, std::size_t most);

// Lines kept as they came, to be parsed later: a file may hold many jobs and
// only the last one's tables are wanted, so the tables are only copied while
// the file is read and parsed once its end shows which job is last.
class HeldLines {
  public:
    void clear() { text_.clear(); }
    void add(std::string_view line) {
        text_.append(line);
        text_.push_back('\n');
    }
    // feed(line) for every line added since the last clear, in order.
    template <class Feed> void replay(Feed&& feed) const {
        std::string_view rest(text_);
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            feed(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
    }

  private:
    std::string text_; // each line ends in '\n', which no line holds
};

// Runs a parser (feedLine, finish(fileName)) over text or a file.
template <class Parser>
ReadResult<FrequencyJob> parseText(std::string_view text, std::string_view fileName) {
    Parser parser;
    forEachLine(text, [&](std::string_view line) { parser.feedLine(line); });
    return parser.finish(fileName);
}
template <class Parser> ReadResult<FrequencyJob> parseFile(const std::string& path) {
    Parser parser;
    if (!forEachLineOfFile(path, [&](std::string_view line) { parser.feedLine(line); }))
        return cannotOpen(path);
    return parser.finish(path);
}

} // namespace kalviro::output
