#include "document/SaveCommands.h"

#include <vector>

#include "ir/CoordinateExport.h"
#include "ir/IrTableExport.h"
#include "ir/SpectrumExport.h"
#include "model/MoleculeState.h"
#include "model/SafeFileWriter.h"
#include "model/VibrationStore.h"
#include "platform/Messages.h"

namespace kalviro {
namespace {

// The save dialogs of the tables: a filter, its extension, a proposed name.
FileDialogRequest tableSaveRequest(const char* filter, const char* extension,
                                   const std::string& fileName) {
    FileDialogRequest r;
    r.filter = filter;
    r.defaultExtension = extension;
    r.defaultFileName = fileName;
    r.hideReadOnly = false;
    r.overwritePrompt = true;
    return r;
}

FileDialogRequest csvRequest(const char* fileName) {
    return tableSaveRequest("text|*.csv|AllFile(*.*)|*.*||", "csv", fileName);
}

bool checkReady(const char* message) {
    if (vibrationStore().spectrumReady)
        return true;
    showMessage(message);
    return false;
}

} // namespace

bool saveFileOrTell(const std::string& path, std::string_view content) {
    if (writeFileAtomically(path, content))
        return true;
    showMessage(msg::kCannotSaveFile);
    return false;
}

FileDialogRequest coordinateSaveRequest() {
    return tableSaveRequest("text|*.txt|AllFile(*.*)|*.*||", "txt", "default.txt");
}

FileDialogRequest irTableSaveRequest(const std::string& defaultFileName) {
    return tableSaveRequest("csv|*.csv|AllFile(*.*)|*.*||", "csv", defaultFileName);
}

bool askAndSaveCoordinates() {
    const MoleculeState& m = moleculeState();
    if (m.atoms.empty())
        return false;
    const auto path = platform().chooseOpenPath(coordinateSaveRequest());
    if (!path)
        return false;
    return saveFileOrTell(*path, coordinateFileBytes(m));
}

bool askAndSaveIrTable() {
    const auto path = platform().chooseOpenPath(irTableSaveRequest("ir.csv"));
    if (!path)
        return false;
    return saveFileOrTell(*path, irTableBytes(irRows(vibrationStore())));
}

bool askAndSaveIrTableBySymmetry() {
    const VibrationStore& store = vibrationStore();
    if (store.frequencies.empty()) {
        showMessage(msg::kNoIrData);
        return false;
    }
    std::vector<IrRow> rows = irRows(store);
    sortIrRowsBySymmetry(rows);
    const auto path = platform().chooseOpenPath(irTableSaveRequest("irsorted.csv"));
    if (!path)
        return false;
    return saveFileOrTell(*path, irTableBytes(rows));
}

bool writeIrSpectrum(const std::string& path) {
    return checkReady(msg::kSpectrumFirst) && saveFileOrTell(path, irSpectrumCsv(vibrationStore()));
}

bool writeRelativeIntensity(const std::string& path) {
    return checkReady(msg::kProjectionFirst) &&
           saveFileOrTell(path, relativeIntensityCsv(vibrationStore()));
}

void askAndSaveIrSpectrum() {
    if (!checkReady(msg::kSpectrumFirst))
        return;
    if (auto path = platform().chooseOpenPath(csvRequest("IRSpec.csv")))
        writeIrSpectrum(*path);
}

void askAndSaveRelativeIntensity() {
    if (!checkReady(msg::kProjectionFirst))
        return;
    if (auto path = platform().chooseOpenPath(csvRequest("spec.csv")))
        writeRelativeIntensity(*path);
}

} // namespace kalviro
