#pragma once
// Reader of Q-Chem 4 and 5 frequency jobs: the "VIBRATIONAL ANALYSIS" blocks
// (frequency, IR and Raman intensities, the X Y Z displacement columns and
// "TransDip", the direction of the mode's dipole derivative) and the standard
// orientation the analysis belongs to.

#include <string>
#include <string_view>
#include <vector>

#include "model/readers/OutputReaderSupport.h"

namespace kalviro {

class QChemOutputParser {
  public:
    void feedLine(std::string_view line);
    ReadResult<FrequencyJob> finish(std::string_view fileName);

  private:
    // A table row's numbers (and words), their storage reused row after row.
    std::vector<double> rowNumbers_;
    void readVibrationLine(std::string_view text);
    // The modes of the block being read.
    output::ModeDraft* column(std::size_t c);

    output::JobDraft draft_;
    std::vector<Atom> orientation_; // last complete standard orientation
    std::vector<Atom> reading_;     // the orientation table being read
    int orientationLine_ = 0;       // lines since its title, 0 outside
    bool inAnalysis_ = false;
    output::HeldLines analysis_; // the last analysis, read at the end
    std::size_t blockFirst_ = 0; // first mode of the current block
    std::size_t blockColumns_ = 0;
};

ReadResult<FrequencyJob> readQChemOutput(std::string_view text, std::string_view fileName = {});
ReadResult<FrequencyJob> readQChemOutputFile(const std::string& path);

} // namespace kalviro
