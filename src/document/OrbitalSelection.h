#pragma once
// The orbital commands without windows: opening a checkpoint file, computing
// the orbital typed in the "MO" group of the data selection dialog, and the
// values that group shows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/FrameAlignment.h"
#include "orbital/OrbitalSet.h"
#include "platform/Platform.h"

namespace kalviro {

// The "MO" group of the data selection dialog.
struct OrbitalFields {
    std::int32_t orbitalMax = 0;    // largest valid orbital number
    std::int32_t orbitalNumber = 0; // 1-based, shown in and read from the edit box
    std::string orbitalRange;       // "(1-N)"
    std::string homoLabel;          // "HOMO"
    std::int32_t homoValue = 0;
    std::int32_t betaMax = 0; // beta orbitals of an open-shell file, else 0
};

struct Document;
struct ViewSettings;

// The typed number (kept in fields.orbitalNumber) if it is within
// 1 .. orbitalMax; otherwise the message and 0 (so that the HOMO is computed).
int getOrbitalNumber(OrbitalFields& fields, std::string_view typed);

// Opening a checkpoint or Molden file the user chose: checks the extension,
// reads the file computing its highest occupied alpha orbital, fills
// doc.orbitalFields and raises orbitalLoaded. False (message shown) when the
// file was not taken: not readable, or without orbital coefficients. With a
// placement, this and every later orbital of the file is carried by it into
// the frame of the molecule shown.
bool openCheckpoint(Document& doc, const std::string& path,
                    std::optional<FrameAlignment> placement = std::nullopt);

// The isosurface value typed in the "MO" group: a number above 0 becomes
// view.isoValue for the next calculation; anything else is told and changes
// nothing (false).
bool setIsoValue(ViewSettings& view, std::string_view typed);

// The open-file request of "開く(*..Fchk)".
FileDialogRequest checkpointOpenRequest();
// "MOを計算": re-reads the current file for the orbital typed in the "MO"
// group, of that spin (a beta number is checked against orbitalMax too); a
// file without coefficients for the spin changes nothing. The caller then
// returns the molecule and the contours to their loaded orientation.
bool computeOrbital(Document& doc, std::string_view typedNumber, Spin spin = Spin::Alpha);

} // namespace kalviro
