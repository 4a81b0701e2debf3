#pragma once
// Reader of ORCA frequency jobs (versions 2 to 6): the last Cartesian
// geometry in angstrom, "VIBRATIONAL FREQUENCIES" without the zero rows of
// translations and rotations, "NORMAL MODES" and "IR SPECTRUM". ORCA 4.2 and
// earlier print the intensity in km/mol under "T**2"; later versions print it
// under "Int" and T**2 in atomic units. TX, TY, TZ give the direction of the
// dipole derivative.

#include <string>
#include <string_view>
#include <vector>

#include "model/readers/OutputReaderSupport.h"

namespace kalviro {

class OrcaOutputParser {
  public:
    void feedLine(std::string_view line);
    ReadResult<FrequencyJob> finish(std::string_view fileName);

  private:
    // A table row's numbers (and words), their storage reused row after row.
    std::vector<double> rowNumbers_;
    std::vector<std::string_view> tokens_;
    enum class Section { None, Geometry, Frequencies, Modes, Infrared };
    output::ModeDraft& mode(std::size_t number);
    void readModeRow(std::string_view line);
    void readInfraredRow(std::string_view line);

    output::JobDraft draft_;
    Section section_ = Section::None;
    bool rowsSeen_ = false;
    bool intensityInIntColumn_ = false;
    std::vector<std::size_t> columns_; // mode numbers of the normal-mode block
    std::vector<Atom> geometry_;       // the table being read
    // The lines from the last "VIBRATIONAL FREQUENCIES" on, whose tables
    // are parsed at the end (by a parser that does not defer them).
    bool deferTables_ = true;
    bool holding_ = false;
    output::HeldLines job_;
    std::string jobProgram_; // the program as known at that title
};

// The file's content, or why it cannot be read (the reason names fileName).
ReadResult<FrequencyJob> readOrcaOutput(std::string_view text, std::string_view fileName = {});
ReadResult<FrequencyJob> readOrcaOutputFile(const std::string& path);

} // namespace kalviro
