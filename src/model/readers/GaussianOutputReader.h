#pragma once
// Reader of Gaussian frequency-job output (.log / .out): the molecule, the
// normal modes with their IR texts and displacement vectors, and the dipole
// derivative of every mode, in one forward pass.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Atom.h"
#include "model/Vector3.h"
#include "model/readers/FrequencyJob.h"

namespace kalviro {

// The line-driven state machine; feed every line (without its end) in order.
class GaussianOutputParser {
public:
    void feedLine(std::string_view line);
    // The content once the last line was fed.
    FrequencyJob finish();

private:
    // An orientation table being read: lines counted from its title line.
    // Rows are kept as text and turned into atoms only for the table that
    // is used, since a long optimisation prints hundreds of them.
    struct OrientationTable {
        bool active = false;
        int lineNumber = 0;
        bool hasTypeColumn = false;
        std::string rows; // row lines, each ended by '\n'
        std::size_t rowCount = 0;
        std::size_t typedFrom = 0; // rows from this one on have a type column
        void start();
        // True when this line closed the table. words: the line holds a
        // letter.
        bool feed(std::string_view line, bool words);
        std::vector<Atom> atoms() const;
    };

    void readFrequencyLines(std::string_view line);
    void readPreciseTable(std::string_view line, bool words);
    void keepPreciseModesIfWhole();
    void readDipoleDerivative(std::string_view line);
    void readGeometry(std::string_view line, bool words);
    bool convergedTableEnds(std::string_view line) const;

    FrequencyJob content_;
    bool readFrequencies_ = true;
    bool inFrequencyGroup_ = false;
    bool inDisplacementTable_ = false;
    std::size_t modeCount_ = 0;

    // The high-precision table before the ordinary one: blocks of up to
    // five modes, one row per atom and coordinate. A block's rows are
    // counted; a row out of order spoils the whole table.
    std::size_t preciseColumns_ = 0; // modes in the current block; 0 outside
    std::size_t preciseRow_ = 0;
    std::size_t preciseAtoms_ = 0; // atoms of the first block
    bool inPreciseRows_ = false;
    bool preciseSpoilt_ = false;

    bool geometryPending_ = true;
    bool converged_ = false;
    bool haveSelected_ = false;
    OrientationTable standard_;
    OrientationTable input_;
    std::vector<Atom> selected_;    // first standard table after convergence
    OrientationTable lastStandard_; // last complete standard table
    OrientationTable lastInput_;    // last complete input table
    bool haveLastStandard_ = false;
    bool haveLastInput_ = false;

    // The three lines before the current one, in a ring: previous(0) is the
    // line just before.
    const std::string& previous(int k) const { return previous_[(newest_ + 3 - k) % 3]; }
    std::string previous_[3];
    int newest_ = 0;
};

// Reads the file at path. nullopt when it cannot be opened. progress, when
// given, is called now and then with the bytes read so far and stops the
// reading (nullopt) when it returns false.
std::optional<FrequencyJob>
parseOutputFile(const std::string& path,
                const std::function<bool(std::uint64_t)>& progress = nullptr);


} // namespace kalviro
