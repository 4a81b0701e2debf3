#pragma once
// Reader of Psi4 (1.0 to 1.9) frequency jobs: the harmonic vibrational
// analysis, in the layout of 1.2 and later ("Vibration" / "Freq [cm^-1]" /
// "Irrep" / "IR activ [km/mol]" columns with the displacement rows below)
// and in the older one (the "Irrep  Harmonic Frequency" table and one
// "Frequency:" block per mode), with the reference geometry of the job.
// Imaginary frequencies ("123.4i") become negative.

#include <string>
#include <string_view>
#include <vector>

#include "model/readers/OutputReaderSupport.h"

namespace kalviro {

class Psi4OutputParser {
  public:
    void feedLine(std::string_view line);
    ReadResult<FrequencyJob> finish(std::string_view fileName);

  private:
    // A table row's numbers (and words), their storage reused row after row.
    std::vector<double> rowNumbers_;
    void readGeometryLine(std::string_view text);
    void readColumnsLine(std::string_view text);
    void readOldModeLine(std::string_view text);
    void startAnalysis();

    output::JobDraft draft_;
    std::vector<Atom> geometry_; // last complete table
    std::vector<Atom> reading_;
    std::size_t readingRows_ = 0; // rows of the table being read
    bool geometryOpen_ = false;
    int geometryLine_ = 0;
    double geometryScale_ = 1.0;
    // Finite differences print every displaced geometry after the reference
    // one; those are not the geometry of the modes.
    bool displacing_ = false;

    enum class Layout { None, Columns, OldTable, OldModes };
    Layout layout_ = Layout::None;
    output::HeldLines columns_; // the last analysis in columns, read at the end
    std::size_t blockFirst_ = 0, blockColumns_ = 0;
    std::vector<std::pair<std::string, double>> oldIrreps_; // irrep, frequency
    bool oldTableRows_ = false;
};

ReadResult<FrequencyJob> readPsi4Output(std::string_view text, std::string_view fileName = {});
ReadResult<FrequencyJob> readPsi4OutputFile(const std::string& path);

} // namespace kalviro
