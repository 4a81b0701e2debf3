#pragma once
// The IR table as CSV: "ir.csv" in reading order and "irsorted.csv" grouped
// by symmetry species. Texts go out exactly as the output file printed them.

#include <string>
#include <vector>

namespace kalviro {

struct VibrationStore;

struct IrRow {
    std::string wavenumber;
    std::string intensity;
    std::string symmetry;
};

// One row per wavenumber, in reading order; a missing intensity or species
// text is an empty field.
std::vector<IrRow> irRows(const VibrationStore& store);

// Groups by species, then orders each group by wavenumber text: two exchange
// sorts, byte-wise text comparisons.
void sortIrRowsBySymmetry(std::vector<IrRow>& rows);

// The file: the Shift_JIS header "波数, 強度, 対称種", then "%s, %s, %s" per
// row, CR LF after every line.
std::string irTableBytes(const std::vector<IrRow>& rows);

} // namespace kalviro
