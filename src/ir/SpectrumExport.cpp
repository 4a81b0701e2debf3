#include "ir/SpectrumExport.h"

#include <algorithm>

#include "model/NumberText.h"

namespace kalviro {
namespace {

constexpr const char* kLineEnd = "\r\n";

int blockCount(const VibrationStore& store) {
    return std::clamp<int>(store.spectrumCount, 0, kSpectrumBlocks);
}

} // namespace

std::string irSpectrumCsv(const VibrationStore& store) {
    std::string out;
    out.reserve(kSpectrumPoints * 24);
    for (int j = 0; j < kSpectrumPoints; ++j) {
        out += std::to_string(kSpectrumFirstWavenumber + j);
        out += ',';
        out += formatG(store.spectra[0][j]);
        out += ',';
        out += kLineEnd;
    }
    return out;
}

std::string relativeIntensityCsv(const VibrationStore& store) {
    const int blocks = blockCount(store);
    std::string out;
    out.reserve((kSpectrumPoints + 1) * (blocks + 1) * 14);
    out += ',';
    for (int a = 0; a < blocks; ++a) {
        out += std::to_string(15 * a);
        out += ',';
    }
    out += kLineEnd;
    for (int j = 0; j < kSpectrumPoints; ++j) {
        out += std::to_string(kSpectrumFirstWavenumber + j);
        out += ',';
        for (int a = 0; a < blocks; ++a) {
            out += formatG(store.spectra[static_cast<std::size_t>(a)][j]);
            out += ',';
        }
        out += kLineEnd;
    }
    return out;
}

} // namespace kalviro
