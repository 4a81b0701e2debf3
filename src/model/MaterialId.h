#pragma once
// The seventeen material presets everything in the 3D view is coloured with.
// The model only records which one an element uses; the renderer holds their
// values.

namespace kalviro {

enum class MaterialId {
    Bond,
    Green,
    Blue,
    Red,
    Yellow,
    Copper,
    Purple,
    Dark,
    Selection,
    Grey,
    Gold,
    Vector,
    Dipole,
    Label,
    Surface,
    ContourBlue,
    ContourRed,
};

// The material an element is drawn in, by atomic number: H green, C blue,
// O red, S yellow, Cl grey, Cu copper, Pd purple, Ag dark, all else gold.
MaterialId materialForElement(int atomicNumber);

} // namespace kalviro
