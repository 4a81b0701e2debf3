#include "orbital/OrbitalSelection.h"

#include <cstdio>
#include <memory>

#include "model/TextLineReader.h"
#include "orbital/CheckpointReader.h"
#include "orbital/OrbitalFlags.h"
#include "platform/Platform.h"

namespace kalviro {

int getOrbitalNumber(OrbitalFieldsView& dialog) {
    OrbitalFields& f = dialog.orbitalFields();
    f.orbitalNumber = integerAtStart(dialog.orbitalNumberText());
    if (f.orbitalNumber > 0 && f.orbitalNumber <= f.orbitalMax)
        return f.orbitalNumber;
    showMessage("適切な番号を指定してください\nデフォルトのHOMOを計算します");
    return 0;
}

bool openCheckpoint(const std::string& path, OrbitalFieldsView& dialog) {
    if (!isCheckpointPath(path)) {
        showMessage("このファイル形式には対応していません");
        return false;
    }
    {
        // Refuse before anything changes, so the previous file stays current.
        std::unique_ptr<std::FILE, FileCloser> probe(openForReading(path));
        if (!probe) {
            showMessage("ファイルが開けません");
            return false;
        }
    }
    CheckpointState& state = checkpointState();
    state.checkpointPath = path;
    // A failed calculation has been reported and left no contours; the file's
    // numbers are still shown so that another orbital can be chosen.
    readCheckpoint(-1);

    const int n = integerAtStart(state.electronCountText);
    state.homoNumber = n / 2;
    OrbitalFields& f = dialog.orbitalFields();
    f.orbitalNumber = n / 2;
    f.homoLabel = "HOMO";
    f.homoValue = n / 2;
    f.orbitalRange = "(1-" + state.basisCountText + ")";
    f.orbitalMax = integerAtStart(state.basisCountText);
    dialog.showOrbitalFields();
    orbitalFlags().orbitalLoaded = 1;
    return true;
}

FileDialogRequest checkpointOpenRequest() {
    FileDialogRequest r;
    r.filter = "FCHK(*.FChk)|*.FChk;*.fchk;*.FCHK;*.fch;*.FCH|";
    // A name typed without extension is meant as a checkpoint file.
    r.defaultExtension = "fchk";
    r.hideReadOnly = true;
    r.overwritePrompt = true;
    return r;
}

bool OnOpenCheckpoint(OrbitalFieldsView& dialog) {
    const std::optional<std::string> path = platform().chooseOpenPath(checkpointOpenRequest());
    return path && openCheckpoint(*path, dialog);
}

bool computeOrbital(OrbitalFieldsView& dialog) {
    const int n = getOrbitalNumber(dialog);
    return readCheckpoint(n - 1);
}

} // namespace kalviro
