#include "document/SaveCommands.h"

#include <cerrno>
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

bool checkReady(const VibrationStore& store, const char* message) {
    if (store.spectrumReady)
        return true;
    showMessage(message);
    return false;
}

} // namespace

namespace {

// Why a save failed, from the errno writeFileAtomically left.
const char* saveFailureReason(int cause) {
    switch (cause) {
    case ENOENT:
    case ENOTDIR:
        return msg::kReasonNoFolder;
    case EACCES:
    case EPERM:
    case EROFS:
        return msg::kReasonNotPermitted;
    case ENOSPC:
    case EDQUOT:
        return msg::kReasonDiskFull;
    case EISDIR:
        return msg::kReasonFolderOfThatName;
    default:
        return msg::kReasonWriteFailed;
    }
}

} // namespace

bool saveFileOrTell(const std::string& path, std::string_view content) {
    if (writeFileAtomically(path, content))
        return true;
    showMessage(msg::saveProblem(path, saveFailureReason(errno)));
    return false;
}

FileDialogRequest coordinateSaveRequest() {
    return tableSaveRequest("text|*.txt|AllFile(*.*)|*.*||", "txt", "default.txt");
}

FileDialogRequest irTableSaveRequest(const std::string& defaultFileName) {
    return tableSaveRequest("csv|*.csv|AllFile(*.*)|*.*||", "csv", defaultFileName);
}

bool askAndSaveCoordinates(const MoleculeState& m) {
    if (m.atoms.empty())
        return false;
    const auto path = platform().chooseOpenPath(coordinateSaveRequest());
    if (!path)
        return false;
    return saveFileOrTell(*path, coordinateFileBytes(m));
}

bool askAndSaveIrTable(const VibrationStore& store) {
    const auto path = platform().chooseOpenPath(irTableSaveRequest("ir.csv"));
    if (!path)
        return false;
    return saveFileOrTell(*path, irTableBytes(irRows(store)));
}

bool askAndSaveIrTableBySymmetry(const VibrationStore& store) {
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

bool writeIrSpectrum(const VibrationStore& store, const std::string& path) {
    return checkReady(store, msg::kSpectrumFirst) && saveFileOrTell(path, irSpectrumCsv(store));
}

bool writeRelativeIntensity(const VibrationStore& store, const std::string& path) {
    return checkReady(store, msg::kProjectionFirst) &&
           saveFileOrTell(path, relativeIntensityCsv(store));
}

void askAndSaveIrSpectrum(const VibrationStore& store) {
    if (!checkReady(store, msg::kSpectrumFirst))
        return;
    if (auto path = platform().chooseOpenPath(csvRequest("IRSpec.csv")))
        writeIrSpectrum(store, *path);
}

void askAndSaveRelativeIntensity(const VibrationStore& store) {
    if (!checkReady(store, msg::kProjectionFirst))
        return;
    if (auto path = platform().chooseOpenPath(csvRequest("spec.csv")))
        writeRelativeIntensity(store, *path);
}

} // namespace kalviro
