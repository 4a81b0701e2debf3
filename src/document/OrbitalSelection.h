#pragma once
// The orbital commands without windows: opening a checkpoint file, computing
// the orbital typed in the "MO" group of the data selection dialog, and the
// values that group shows.

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace kalviro {

// The "MO" group of the data selection dialog.
struct OrbitalFields {
    std::int32_t orbitalMax = 0;    // largest valid orbital number
    std::int32_t orbitalNumber = 0; // 1-based, shown in and read from the edit box
    std::string orbitalRange;       // "(1-N)"
    std::string homoLabel;          // "HOMO"
    std::int32_t homoValue = 0;
};

// What the dialog provides; the desktop dialog implements it, tests record.
class OrbitalFieldsView {
  public:
    virtual ~OrbitalFieldsView() = default;
    virtual OrbitalFields& orbitalFields() = 0;
    // Writes the four values into the edit boxes.
    virtual void showOrbitalFields() = 0;
    // The text typed in the orbital number box.
    virtual std::string orbitalNumberText() const = 0;
};

// The typed number if it is within 1 .. orbitalMax; otherwise the message
// and 0 (so that the HOMO is computed).
int getOrbitalNumber(OrbitalFieldsView& dialog);

// Opening a checkpoint file the user chose: checks the extension, reads the
// file computing its HOMO, fills the dialog's group and raises orbitalLoaded.
// False (message shown) when the file was not taken.
bool openCheckpoint(const std::string& path, OrbitalFieldsView& dialog);

// The open-file request of "開く(*..Fchk)".
FileDialogRequest checkpointOpenRequest();
// "MOを計算": re-reads the current file for the typed orbital. The caller then
// returns the molecule and the contours to their loaded orientation.
bool computeOrbital(OrbitalFieldsView& dialog);

} // namespace kalviro
