#include "ir/SpectrumExport.h"

#include <algorithm>

#include "model/NumberText.h"
#include "model/SafeFileWriter.h"
#include "platform/Platform.h"

namespace kalviro {
namespace {

constexpr const char* kLineEnd = "\r\n";

const char* const kSpectrumFirst = "まずIRスペクトルを計算してください";
const char* const kProjectionFirst = "まず相対強度を計算してください";

int blockCount(const VibrationStore& store) {
    return std::clamp<int>(store.spectrumCount, 0, kSpectrumBlocks);
}

FileDialogRequest csvRequest(const char* fileName) {
    FileDialogRequest r;
    r.filter = "text|*.csv|AllFile(*.*)|*.*||";
    r.defaultExtension = "csv";
    r.defaultFileName = fileName;
    r.hideReadOnly = false;
    r.overwritePrompt = true;
    return r;
}

bool checkReady(const char* message) {
    if (vibrationStore().spectrumReady)
        return true;
    showMessage(message);
    return false;
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

bool writeIrSpectrum(const std::string& path) {
    return checkReady(kSpectrumFirst) && saveFileOrTell(path, irSpectrumCsv(vibrationStore()));
}

bool writeRelativeIntensity(const std::string& path) {
    return checkReady(kProjectionFirst) &&
           saveFileOrTell(path, relativeIntensityCsv(vibrationStore()));
}

void OnSaveIrSpectrum() {
    if (!checkReady(kSpectrumFirst))
        return;
    if (auto path = platform().chooseOpenPath(csvRequest("IRSpec.csv")))
        writeIrSpectrum(*path);
}

void OnSaveRelativeIntensity() {
    if (!checkReady(kProjectionFirst))
        return;
    if (auto path = platform().chooseOpenPath(csvRequest("spec.csv")))
        writeRelativeIntensity(*path);
}

} // namespace kalviro
