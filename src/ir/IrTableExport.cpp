#include "ir/IrTableExport.h"

#include <utility>

#include "model/VibrationStore.h"

namespace kalviro {
namespace {

// "波数, 強度, 対称種" in code page 932: the files are read by spreadsheet
// programs that expect it.
constexpr char kHeader[] =
    "\x94\x67\x90\x94\x2C\x20\x8B\xAD\x93\x78\x2C\x20\x91\xCE\x8F\xCC\x8E\xED";

} // namespace

std::vector<IrRow> irRows(const VibrationStore& store) {
    std::vector<IrRow> rows;
    rows.reserve(store.frequencies.size());
    for (std::size_t i = 0; i < store.frequencies.size(); ++i) {
        // The reader fills a short last group up to three with empty
        // entries; a spreadsheet should not get them as blank rows (nor the
        // sorted table a block of them at its top).
        if (store.frequencies[i].empty())
            continue;
        IrRow r;
        r.wavenumber = store.frequencies[i];
        if (i < store.intensities.size())
            r.intensity = store.intensities[i];
        if (i < store.symmetries.size())
            r.symmetry = store.symmetries[i];
        rows.push_back(std::move(r));
    }
    return rows;
}

void sortIrRowsBySymmetry(std::vector<IrRow>& rows) {
    const std::size_t n = rows.size();
    if (n < 2)
        return;
    // std::string compares as unsigned bytes, which is the order wanted.
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (rows[i].symmetry > rows[j].symmetry)
                std::swap(rows[i], rows[j]);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (rows[j].symmetry != rows[i].symmetry)
                break;
            if (rows[i].wavenumber > rows[j].wavenumber)
                std::swap(rows[i], rows[j]);
        }
    }
}

std::string irTableBytes(const std::vector<IrRow>& rows) {
    std::string out = kHeader;
    out += "\r\n";
    for (const IrRow& r : rows) {
        out += r.wavenumber;
        out += ", ";
        out += r.intensity;
        out += ", ";
        out += r.symmetry;
        out += "\r\n";
    }
    return out;
}

} // namespace kalviro
