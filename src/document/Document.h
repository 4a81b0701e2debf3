#pragma once
// What one opened file produced and what the analyses and the view made of
// it: the molecule, its vibrations and spectra, the orbital's contours, and
// the view's settings and picks. The desktop program owns one; each batch
// command makes its own. Commands, drawers and exporters take it (or the
// part they need) as an argument.

#include "document/Animation.h"
#include "document/OrbitalFlags.h"
#include "document/OrbitalSelection.h"
#include "document/PickedAtoms.h"
#include "document/SceneChoices.h"
#include "document/SpectrumWindowState.h"
#include "document/ViewSettings.h"
#include "model/MoleculeState.h"
#include "model/VibrationStore.h"
#include "orbital/CheckpointReader.h"
#include "orbital/ContourStore.h"
#include "orbital/Isosurface.h"

#include <memory>

namespace kalviro {

struct KeptHessian; // document/IsotopeChange.h

struct Document {
    MoleculeState molecule;    // atoms; rotation, pan and mouse drag of the view
    VibrationStore vibrations; // IR texts, modes, dipole derivatives, spectra
    ViewSettings view;
    ZoomCounter zoom;
    PickedAtoms picked;
    SceneChoices scene; // the mode whose arrows are drawn, the dipole origin
    OrbitalFlags orbitalFlags;
    OrbitalFields orbitalFields; // the "MO" group of the data selection dialog
    CheckpointState checkpoint;
    ContourStore contours;
    SpectrumWindowState spectrum; // the spectrum window's settings and measured spectra
    OrbitalSurfaces surfaces; // the orbital's +value and -value isosurfaces
    Animation animation; // the selected mode in motion, in what is drawn only
    // The Hessian the modes came from, for changing masses; none for files without one.
    // Replaced, never changed in place.
    std::shared_ptr<const KeptHessian> hessian;

    std::uint32_t atomCount() const { return static_cast<std::uint32_t>(molecule.atoms.size()); }
};

} // namespace kalviro
