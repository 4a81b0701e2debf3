#pragma once
// Reader of NWChem frequency jobs: the projected normal-mode table
// ("P.Frequency" and the Cartesian eigenvectors, zero rows of translations
// and rotations left out), "Projected Derivative Dipole Moments" (the
// direction of each mode's dipole derivative), "Projected Infra Red
// Intensities" (the KM/mol column) and the last geometry printed in angstrom
// before them.

#include <string>
#include <string_view>
#include <vector>

#include "model/readers/OutputReaderSupport.h"

namespace kalviro {

class NWChemOutputParser {
  public:
    void feedLine(std::string_view line);
    ReadResult<FrequencyJob> finish(std::string_view fileName);

  private:
    // A table row's numbers (and words), their storage reused row after row.
    std::vector<double> rowNumbers_;
    std::vector<std::string_view> tokens_;
    enum class Section { None, Geometry, Modes, Dipoles, Intensities };
    void readGeometryLine(std::string_view text);
    void readModeLine(std::string_view text);
    void readModeValues(std::string_view text);

    output::JobDraft draft_;
    Section section_ = Section::None;
    std::vector<Atom> geometry_;
    std::vector<Atom> reading_;
    int geometryLine_ = 0;
    bool projectedSeen_ = false;
    bool valueRows_ = false; // rows of the dipole or intensity table seen
    std::size_t blockFirst_ = 0, blockColumns_ = 0;
    // The lines from the last projected analysis on, whose tables are
    // parsed at the end (by a parser that does not defer them).
    bool deferTables_ = true;
    bool holding_ = false;
    output::HeldLines job_;
    std::string jobProgram_; // the program as known at that title
};

ReadResult<FrequencyJob> readNWChemOutput(std::string_view text, std::string_view fileName = {});
ReadResult<FrequencyJob> readNWChemOutputFile(const std::string& path);

} // namespace kalviro
