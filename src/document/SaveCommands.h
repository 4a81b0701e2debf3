#pragma once
// The save commands of the document: each checks that there is something to
// save, asks for the file, writes it without ever leaving a truncated file,
// and tells the user when it could not.

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace kalviro {

struct MoleculeState;
struct VibrationStore;

// writeFileAtomically, and on failure "ファイルを保存できません: name" with the
// reason on the next line.
bool saveFileOrTell(const std::string& path, std::string_view content);

FileDialogRequest coordinateSaveRequest();
FileDialogRequest irTableSaveRequest(const std::string& defaultFileName);

// "座標データの保存": nothing without atoms; otherwise dialog, then the file.
// The atoms are not moved. True when a file was written.
bool askAndSaveCoordinates(const MoleculeState& m);
// "IRデータの保存": dialog, then ir.csv. True when a file was written.
bool askAndSaveIrTable(const VibrationStore& store);
// "IRデータの保存(対称種別)": the sorted table, "IRデータの読み込みができていません"
// when there is none. True when a file was written.
bool askAndSaveIrTableBySymmetry(const VibrationStore& store);

// Write the store's spectra to path; false (message shown) when the
// spectrum was not calculated yet or the file could not be saved.
bool writeIrSpectrum(const VibrationStore& store, const std::string& path);
bool writeRelativeIntensity(const VibrationStore& store, const std::string& path);

// The menu commands: check that a spectrum exists, ask for the file, write.
void askAndSaveIrSpectrum(const VibrationStore& store);
void askAndSaveRelativeIntensity(const VibrationStore& store);

} // namespace kalviro
