#pragma once
// Reader of GAMESS-US (2004 to 2018) and Firefly frequency jobs: the
// "NORMAL COORDINATE ANALYSIS" tables (imaginary frequencies, printed with
// an "I", become negative; the modes the program takes as rotations and
// translations are left out), the geometry they belong to and the dipole
// derivative tensor, which gives each mode's dipole derivative.
// IR intensities stay in debye^2/(amu angstrom^2), the unit printed.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/readers/OutputReaderSupport.h"

namespace kalviro {

// 1 debye^2/(amu angstrom^2) in km/mol: N_A / (12 eps0 c^2) times
// (1 D / 1 angstrom)^2 / 1 amu, with 1 D = 1e-21/c C m (CODATA 2018),
// is 42.25606 km/mol.
constexpr double kDebye2PerAmuAngstrom2ToKmPerMol = 42.2561;

class GamessOutputParser {
  public:
    void feedLine(std::string_view line);
    ReadResult<FrequencyJob> finish(std::string_view fileName);

  private:
    // A table row's numbers (and words), their storage reused row after row.
    std::vector<double> rowNumbers_;
    void readAnalysisLine(std::string_view line, std::string_view text);
    void readTensorLine(std::string_view text);
    void readGeometryLine(std::string_view text);

    output::JobDraft draft_;
    // Geometry tables: in bohr from the input echo, in angstrom from an
    // optimisation; the last one before the analysis is the one used.
    std::vector<Atom> geometry_;
    std::vector<Atom> reading_;
    bool geometryOpen_ = false;
    double geometryScale_ = 1.0;
    int geometryLine_ = 0; // lines before the first row

    // Rows of the dipole derivative tensor: [atom * 3 + d/dx..d/dz][mu x..z].
    std::vector<std::array<double, 3>> tensor_;
    bool tensorOpen_ = false;

    bool inAnalysis_ = false;
    output::HeldLines analysis_; // the last analysis, read at the end
    long dropFirst_ = 0, dropLast_ = -1; // 1-based mode numbers
    std::vector<long> numbers_;          // mode number of each draft mode
    std::size_t blockFirst_ = 0, blockColumns_ = 0;
    bool rowsOpen_ = false; // displacement rows of the block may follow
};

ReadResult<FrequencyJob> readGamessOutput(std::string_view text, std::string_view fileName = {});
ReadResult<FrequencyJob> readGamessOutputFile(const std::string& path);

} // namespace kalviro
