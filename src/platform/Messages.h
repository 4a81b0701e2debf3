#pragma once
// Every message the program shows in a message box or prints from a batch
// command, in one place. Readers and calculations return these texts (or
// build them with the helpers below); only the windows and the batch
// front end show them. Menu, toolbar and status-bar texts live with the
// commands in the view's command table.

#include <string>
#include <string_view>

namespace kalviro::msg {

// Opening and reading files.
inline constexpr const char* kCannotOpenFile = "ファイルが開けません";
inline constexpr const char* kUnsupportedFile = "このファイル形式には対応していません";
inline constexpr const char* kBadZMatrix = "Zマトリックスを読み込めません";
inline constexpr const char* kBadDataGroup = "$DATA グループを読み込めません";
inline constexpr const char* kCannotSaveFile = "ファイルを保存できません";
// "{file}" and "{reason}" are filled by saveProblem.
inline constexpr const char* kFileNotSaved = "ファイルを保存できません: {file}\n{reason}";
inline constexpr const char* kReasonNoFolder = "保存先のフォルダがありません";
inline constexpr const char* kReasonNotPermitted = "書き込みが許可されていません";
inline constexpr const char* kReasonDiskFull = "ディスクの空きが足りません";
inline constexpr const char* kReasonFolderOfThatName = "同じ名前のフォルダがあります";
inline constexpr const char* kReasonWriteFailed = "書き込みに失敗しました";
// "{file}" and "{reason}" are filled by fileProblem.
inline constexpr const char* kFileNotOpened = "ファイルが開けません: {file}\n{reason}";
inline constexpr const char* kReasonUnreadable = "ファイルが存在しないか、読み取りが許可されていません";
inline constexpr const char* kReasonNoAtoms = "原子の座標が見つかりません";
inline constexpr const char* kReasonNotOutput =
    "計算結果の出力として読めません (途中で切れているか、別の種類のファイルです)";
inline constexpr const char* kReasonTooLarge = "大きすぎて読み込めません";
// The status-bar note after an output without a frequency calculation.
inline constexpr const char* kNoVibrationData = "振動データがありません";
// The status bar while the processing menu shows greyed items.
inline constexpr const char* kHintNoVibrations =
    "振動データのあるファイル (計算結果の出力) を開くと、スペクトルと相対強度を表示できます";
inline constexpr const char* kHintNoDipoleDerivatives =
    "このファイルには双極子微分がないため、相対強度は表示できません。"
    "「振動解析データを読み込む」で同じ計算のチェックポイントファイルから読み込めます";
// The status bar after an output was read: "{program}" is filled in.
inline constexpr const char* kOutputOfProgram = "{program} の出力";

// A calculation that found itself in a state it cannot be in; the detail
// names the place for a report.
inline constexpr const char* kInternalFault =
    "計算の途中で矛盾が見つかったため、中断しました。お手数ですが、開いたファイルと次の行を添えてお知らせください";

// Checkpoint files and orbitals.
inline constexpr const char* kCheckpointNoSections =
    "チェックポイントファイルの項目が見つかりません";
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

// Spectra: grid, line shapes, Raman.
inline constexpr const char* kSpectrumRangeOrder =
    "スペクトルの範囲が正しくありません: 開始波数は終了波数より小さくしてください";
inline constexpr const char* kSpectrumStepNotPositive = "スペクトルの刻み幅は正の値にしてください";
inline constexpr const char* kSpectrumTooManyPoints =
    "スペクトルの点の数が多すぎます (100万点まで)";
inline constexpr const char* kSpectrumWidthNotPositive = "半値全幅は正の値にしてください";
inline constexpr const char* kSpectrumEtaOutOfRange = "η は 0 以上 1 以下にしてください";
inline constexpr const char* kSpectrumScalingNotFinite =
    "スケーリング係数とシフトには有限の値を指定してください";
inline constexpr const char* kSpectrumLaserNotPositive = "励起光の波数は正の値にしてください";
inline constexpr const char* kSpectrumTemperatureNotPositive = "温度は正の値にしてください";
inline constexpr const char* kNoRamanActivities =
    "ファイル「{file}」には Raman 活性がありません (freq=raman の出力が必要です)";
inline constexpr const char* kSpectrumFieldNotNumber = "「{field}」には数値を入力してください";
inline constexpr const char* kSpectrumRamanLengths = "振動数と Raman 活性の数が一致しません";

// Measured spectra.
inline constexpr const char* kMeasuredReadFailed = "ファイル「{file}」を読み込めません: {reason}";
inline constexpr const char* kMeasuredCannotOpen = "ファイルを開けません";
inline constexpr const char* kMeasuredNotNumbers = "{line} 行目を 2 列の数値として読めません";
inline constexpr const char* kMeasuredNoTextPoints = "数値の行がありません";
inline constexpr const char* kMeasuredNotVibrational =
    "ファイル「{file}」のスペクトル ({type}) "
    "は赤外・ラマンスペクトルではないため重ねて表示できません";
inline constexpr const char* kMeasuredNotWavenumber =
    "ファイル「{file}」の X の単位 ({units}) は波数 (cm-1) に変換できないため重ねて表示できません";

// JCAMP-DX files.
inline constexpr const char* kJcampNoData =
    "スペクトルのデータ (##XYDATA, ##XYPOINTS, ##PEAK TABLE) がありません";
inline constexpr const char* kJcampNtuples = "##NTUPLES 形式のデータには対応していません";
inline constexpr const char* kJcampUnknownForm = "データ形式 {form} には対応していません";
inline constexpr const char* kJcampBadCharacter = "{line} 行目に読めない文字 '{char}' があります";
inline constexpr const char* kJcampDifWithoutStart =
    "{line} 行目: 差分 (DIF) の前に基準の値がありません";
inline constexpr const char* kJcampDupWithoutValue =
    "{line} 行目: 繰り返し (DUP) の前に値がありません";
inline constexpr const char* kJcampNoPoints = "データ点がありません";
inline constexpr const char* kJcampBadFactor = "{label} の値が正しくありません";
inline constexpr const char* kJcampPointCount =
    "##NPOINTS は {expected} ですが、{read} 点を読みました";
inline constexpr const char* kJcampFirstXMismatch =
    "##FIRSTX ({expected}) と最初の行の X ({read}) が一致しません";
inline constexpr const char* kJcampLastXMismatch =
    "##LASTX ({expected}) と最後の行から求めた X ({read}) が一致しません";
inline constexpr const char* kJcampDeltaXMismatch =
    "##DELTAX ({expected}) と点の間隔 ({read}) が一致しません";
inline constexpr const char* kJcampCheckMismatch =
    "{line} 行目の先頭の Y チェック値が前の行の最後の値と一致しません";
inline constexpr const char* kJcampOddPairs =
    "(XY..XY) の値の数が組の大きさで割り切れません。最後の値は無視しました";
inline constexpr const char* kJcampNotPositiveX =
    "X が 0 以下の点は波数に変換できないため 0 としました";
inline constexpr const char* kJcampNoEnd = "##END= がありません";
inline constexpr const char* kJcampTooManyPoints = "データ点が多すぎます (1000万点まで)";

// Spectrum files.
inline constexpr const char* kSpectrumFileEmptyCurve = "保存するスペクトルがありません";
inline constexpr const char* kSpectrumFileCurveLengths =
    "スペクトルの X と Y の点の数が一致しません";
inline constexpr const char* kSpectrumFileNotFinite =
    "スペクトルに有限でない値があるため保存できません";

// Isotopes.
inline constexpr const char* kIsotopeItemPrefix = "同位体の指定「";
inline constexpr const char* kIsotopeItemSuffix = "」: ";
inline constexpr const char* kIsotopeNotAnItem =
    "「原子番号=同位体名または質量(amu)」の形ではありません";
inline constexpr const char* kIsotopeEmptyList = "同位体の指定が空です";
inline constexpr const char* kIsotopeAtomOutOfRange =
    "原子番号が 1 から原子数までの範囲にありません";
inline constexpr const char* kIsotopeUnknownIsotope = "この同位体は知られていません";
inline constexpr const char* kIsotopeMassNotPositive = "質量は正の数でなければなりません";
// After the open file's name.
inline constexpr const char* kIsotopeNoHessian =
    " には力の定数(ヘシアン)がないため、同位体の質量を変えられません";
inline constexpr const char* kIsotopeChangeFailed = "同位体の質量を変更できません";
// The isotope dialog's fields; the bad item follows kIsotopeDialogBadAtoms.
inline constexpr const char* kIsotopeDialogBadAtoms =
    "原子番号は「3, 5-7」のように番号か範囲をコンマで区切って入力してください: ";
inline constexpr const char* kIsotopeDialogNoIsotope =
    "同位体名 (2H, D, 13C など) または質量 (amu) を1つ入力してください";
// Status bar after the change; the list of changes follows.
inline constexpr const char* kIsotopesChanged = "同位体の質量を変更し、基準振動を計算し直しました: ";

// Vibrational analysis from a Hessian.
inline constexpr const char* kHessianNoAtoms = "原子がありません";
inline constexpr const char* kHessianCoordinateCount = "座標の数が原子数に合いません";
inline constexpr const char* kHessianMassCount = "質量の数が原子数に合いません";
inline constexpr const char* kHessianMassNotPositive = "質量が正の数ではありません: 原子 ";
inline constexpr const char* kHessianNoStandardMass = "標準の質量が分からない元素があります: 原子 ";
inline constexpr const char* kHessianHessianLength = "ヘッセ行列の値の数が原子数に合いません";
inline constexpr const char* kHessianPolarTensorLength =
    "双極子微分（原子極性テンソル）の値の数が原子数に合いません";
inline constexpr const char* kHessianNotFinite = "数でない値 (NaN, 無限大) があります: ";
inline constexpr const char* kHessianWhatCoordinates = "座標";
inline constexpr const char* kHessianWhatHessian = "ヘッセ行列";
inline constexpr const char* kHessianWhatPolarTensor = "双極子微分";
inline constexpr const char* kHessianNoHessian =
    "ヘッセ行列 (Cartesian Force Constants) がありません";

// Matching two frames of one molecule.
inline constexpr const char* kFrameAtomCount = "原子の数が違います (別の分子です)";
inline constexpr const char* kFrameElements = "原子の種類が違います (別の分子です): 原子 ";
inline constexpr const char* kFrameGeometry =
    "回転で重ね合わせても構造が一致しません (別の分子か別の構造です): 最大のずれ ";
inline constexpr const char* kFrameAngstrom = " Å";

// Dipole derivatives of an output's modes.
inline constexpr const char* kModeDipoleNoPolarTensor =
    "双極子微分（原子極性テンソル）がありません";
inline constexpr const char* kModeDipoleModeCount =
    "振動モードの原子数が分子の原子数に合いません: モード ";
// Pairing an open output with a checkpoint file; the file name follows.
inline constexpr const char* kPairingFailed = "振動解析データを読み込めません: ";
inline constexpr const char* kPairingNoModes = "先に振動解析の出力ファイルを開いてください";
// Status-bar texts after pairing; the file name follows.
inline constexpr const char* kPairedFromHessian =
    "双極子微分: チェックポイントファイルのヘッセ行列の基準振動と原子極性テンソルから計算 ";
inline constexpr const char* kPairedFromOutputModes =
    "双極子微分: 出力の基準振動とチェックポイントファイルの原子極性テンソルから計算 ";
inline constexpr const char* kPairedFromPreciseModes =
    "双極子微分: 出力の高精度の基準振動とチェックポイントファイルの原子極性テンソルから計算 ";

// Basis sets from the file.
inline constexpr const char* kBasisNoShells = "このファイルには基底関数の情報がありません";
inline constexpr const char* kBasisCountMismatch = "基底関数の項目の個数が合いません: ";
inline constexpr const char* kBasisUnknownShellType = "知らない殻の種類があります: ";
inline constexpr const char* kBasisBadPrimitiveCount = "殻の原始関数の数が正しくありません";
inline constexpr const char* kBasisBadExponent = "原始関数の指数が正の数ではありません";

// Orbitals of a file.
inline constexpr const char* kOrbitalsNoCoefficients = "このファイルには分子軌道の係数がありません";
inline constexpr const char* kOrbitalsCoefficientCount =
    "分子軌道の係数の個数が基底関数の数と合いません";
inline constexpr const char* kOrbitalsNoAtoms = "このファイルには原子の座標がありません";
inline constexpr const char* kCubeGridFixed =
    "このファイルには基底関数の情報がないため、格子は 51 点と既定の余白に限られます";
inline constexpr const char* kBadGridPoints = "--points の格子点の数は 2 から 200 までで指定してください";
inline constexpr const char* kBadGridMargin = "--margin の余白は 0 より大きく 100 ボーア以下で指定してください";
inline constexpr const char* kBadIsoValue = "等値面の値は 0 より大きい数で入力してください";
inline constexpr const char* kBadIsosurfaceOption = "--isosurface の値は 0 より大きい数で指定してください";
inline constexpr const char* kIsosurfaceNeedsOrbital =
    "--isosurface には --orbital で分子軌道のファイルを指定してください";

// Molden files.
inline constexpr const char* kMoldenNotMolden = "Molden 形式の項目が見つかりません";
inline constexpr const char* kMoldenBadLine = "Molden ファイルの行が読めません (行 ";
inline constexpr const char* kMoldenUnknownShell =
    "Molden ファイルに知らない殻の種類があります (行 ";
inline constexpr const char* kMoldenUnknownAtom =
    "Molden ファイルの基底関数が存在しない原子を指しています (行 ";
inline constexpr const char* kMoldenStoBasis = "Slater 型の基底関数 ([STO]) には対応していません";
inline constexpr const char* kMoldenNoBasis =
    "Molden ファイルに [MO] がありますが [GTO] がありません";
inline constexpr const char* kMoldenBadIndex =
    "Molden ファイルの分子軌道の係数の番号が基底関数の数を超えています (行 ";
inline constexpr const char* kMoldenModeCount =
    "Molden ファイルの基準振動の数が振動数の数と合いません";

// Other programs' outputs.
inline constexpr std::string_view kOutputCannotOpen = "ファイルが開けません";
inline constexpr std::string_view kOutputEmptyFile = "ファイルが空です";
inline constexpr std::string_view kOutputNoVibrations = "振動解析の結果（振動数の表）がありません";
inline constexpr std::string_view kOutputNoAtoms = "振動解析に対応する原子の座標がありません";
inline constexpr std::string_view kOutputModeTableCut = "基準振動の表が途中で終わっています";
inline constexpr std::string_view kOutputIntensityTableCut = "赤外強度の表が途中で終わっています";
inline constexpr std::string_view kOutputColumnCut = "振動数の表の列がそろっていません";
inline constexpr std::string_view kOutputCannotOpenX = "ファイルが開けません";
inline constexpr std::string_view kOutputUnknownProgram = "どのプログラムの出力か判別できません";
inline constexpr std::string_view kOutputGaussianOutput =
    "Gaussian の出力です。Gaussian の出力として開いてください";

// GAMESS inputs with symmetry.
inline constexpr std::string_view kGamessUnknownGroup = "GAMESS の点群を展開できません";

// Animation of a normal mode and its movie.
inline constexpr const char* kNoModeToAnimate =
    "アニメーションにする基準振動がありません (振動データのあるファイルを開いてください)";
inline constexpr const char* kCannotSaveMovie = "アニメーションを保存できません: ";
inline constexpr const char* kCannotMakeFolder = "フォルダを作れません";
inline constexpr const char* kCannotDrawMovie = "画像を描けません";

// kFileNotOpened for path (its name, without the folder) and reason.
inline std::string fileProblem(const std::string& path, const std::string& reason) {
    std::string text = kFileNotOpened;
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    text.replace(text.find("{file}"), 6, name);
    text.replace(text.find("{reason}"), 8, reason);
    return text;
}

// kOutputOfProgram for program, and kNoVibrationData after it when the file
// had no frequency calculation.
inline std::string outputStatus(const std::string& program, bool hasVibrations) {
    std::string text = kOutputOfProgram;
    text.replace(text.find("{program}"), 9, program);
    return hasVibrations ? text : text + "：" + kNoVibrationData;
}

// kFileNotSaved for path (its name, without the folder) and reason.
inline std::string saveProblem(const std::string& path, const std::string& reason) {
    std::string text = kFileNotSaved;
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    text.replace(text.find("{file}"), 6, name);
    text.replace(text.find("{reason}"), 8, reason);
    return text;
}

// "text" and, on a line of its own, the detail (when there is one).
inline std::string withDetail(const std::string& text, const std::string& detail) {
    return detail.empty() ? text : text + "\n" + detail;
}

} // namespace kalviro::msg
