#pragma once
// Every message the program shows in a message box or prints from a batch
// command, in one place. Readers and calculations return these texts (or
// build them with the helpers below); only the windows and the batch
// front end show them. Menu, toolbar and status-bar texts live with the
// commands in the view's command table.

#include <string>

namespace kalviro::msg {

// Opening and reading files.
inline constexpr const char* kCannotOpenFile = "ファイルが開けません";
inline constexpr const char* kUnsupportedFile = "このファイル形式には対応していません";
inline constexpr const char* kBadZMatrix = "Zマトリックスを読み込めません";
inline constexpr const char* kBadDataGroup = "$DATA グループを読み込めません";
inline constexpr const char* kCannotSaveFile = "ファイルを保存できません";

// Checkpoint files and orbitals.
inline constexpr const char* kCheckpointNoSections = "チェックポイントファイルの項目が見つかりません";
inline constexpr const char* kCheckpointShortSection =
    "チェックポイントファイルの項目が途中で終わっています: ";
inline constexpr const char* kCheckpointBadValue =
    "チェックポイントファイルの項目に数値でない値があります: ";
inline constexpr const char* kUnsupportedBasis = "対応できない基底関数系です";
inline constexpr const char* kElementBeyondBasis = "原子番号19以上は対応していません";
inline constexpr const char* kBadOrbitalNumber = "適切な番号を指定してください";
inline constexpr const char* kBadOrbitalNumberUseHomo =
    "適切な番号を指定してください\nデフォルトのHOMOを計算します";

// Analyses and exports.
inline constexpr const char* kNoIrData = "IRデータの読み込みができていません";
inline constexpr const char* kSpectrumFirst = "まずIRスペクトルを計算してください";
inline constexpr const char* kProjectionFirst = "まず相対強度を計算してください";
inline constexpr const char* kHalfWidthNotZero = "半値幅には0以外の整数を入力してください";
inline constexpr const char* kBadAtomSelection = "原子番号の選択が不適切です。";

// Batch commands.
inline constexpr const char* kNoAtomsToWrite = "no atoms to write";

// "text" and, on a line of its own, the detail (when there is one).
inline std::string withDetail(const std::string& text, const std::string& detail) {
    return detail.empty() ? text : text + "\n" + detail;
}

} // namespace kalviro::msg
