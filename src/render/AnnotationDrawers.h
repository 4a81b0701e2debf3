#pragma once
// The drawers that annotate the molecule: dipole and displacement arrows,
// the rotating axes, the substrate surface, the angle totals and the atom
// numbers; and the bitmap text they write with.

#include <string>

namespace kalviro {

struct Document;
struct MoleculeState;
struct RotationTotals;

// Text at the current raster position in the given GLUT bitmap font.
void bitmapText(void* font, const std::string& text);

// A rotation total as shown: reduced into (-360, 360), two decimals.
std::string angleText(float total);
// The label of the k-th (zero-based) drawn atom.
std::string atomLabel(int k);

// The three totals at the top right.
void drawAngleLabels(const Document& doc, const RotationTotals& totals);
void drawDipole(const Document& doc);
// From the atoms of m (doc's molecule, or its moved copy while animating).
void drawModeVectors(const Document& doc, const MoleculeState& m);
void drawAxes(const Document& doc);
void drawSurface(const Document& doc);
// The measurement of the picked atoms beside them.
void drawMeasurement(const Document& doc);
void drawAtomNumbers(const Document& doc);

} // namespace kalviro
