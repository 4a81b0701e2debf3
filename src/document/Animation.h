#pragma once
// The selected normal mode set in motion: x0 + a sin(phase) d for every atom,
// only in what is drawn. The molecule's coordinates never move, so picking,
// the saved coordinates and the analyses see the still molecule.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Vector3.h"

namespace kalviro {

struct Document;

struct Animation {
    bool playing = false;
    double phase = 0.0;         // radians, of the frame drawn next
    double amplitude = 0.5;     // angstrom per unit of the printed displacement
    double periodSeconds = 1.0; // one full swing
    // Arrows as long as the atom's displacement relative to the largest one,
    // instead of all of one length.
    bool scaledArrows = false;

    void faster() { periodSeconds = periodSeconds > 0.25 ? periodSeconds / 1.25 : periodSeconds; }
    void slower() { periodSeconds = periodSeconds < 8.0 ? periodSeconds * 1.25 : periodSeconds; }
    void larger() { amplitude = amplitude < 3.0 ? amplitude * 1.25 : amplitude; }
    void smaller() { amplitude = amplitude > 0.05 ? amplitude / 1.25 : amplitude; }
};

// The vectors of mode (zero-based) when it has one for every atom; else null
// (no modes, a shrunk list, a molecule replaced since).
const std::vector<Vector3>* modeVectors(const Document& doc, int mode);

// The selected mode's vectors while the animation plays; else null.
const std::vector<Vector3>* playingModeVectors(const Document& doc);

// The atoms' current positions moved by amplitude * sin(phase) * d.
std::vector<Vector3> displacedPositions(const Document& doc, const std::vector<Vector3>& d,
                                        double amplitude, double phase);

// "1234.5678 cm-1  A1": the mode's wavenumber and species as read.
std::string modeCaption(const Document& doc, int mode);

// frames geometries in XYZ form, frame k at phase 2 pi k / frames, the
// caption on each comment line; dummy atoms left out.
std::string animationXyz(const Document& doc, int mode, int frames, double amplitude);

} // namespace kalviro
