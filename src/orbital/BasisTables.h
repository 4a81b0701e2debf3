#pragma once
// The built-in basis sets: STO-3G and 6-31G for H to Ar, with the diffuse and
// polarization exponents of the 6-31G family.

namespace kalviro {

constexpr int kBuiltInElements = 18; // H .. Ar

// STO-3G: Slater exponents per element (index Z - 1) for the 1s, 2sp and 3sp
// shells (0 where the element has no such shell), and the three-primitive
// expansions of zeta = 1. The exponent used for an atom is alpha * zeta^2.
extern const double kSto3gZeta[kBuiltInElements][3];
extern const double kSto3gAlpha[3][3];        // [shell][primitive]
extern const double kSto3gSCoefficient[3][3]; // [shell][primitive]
extern const double kSto3gPCoefficient[3][3]; // [shell][primitive], row 0 unused

// 6-31G: one column per element (index Z - 1), rows in the published order
// of primitives; an sp shell shares the rows of its exponents between s and p.
//   H, He:  exponent/s rows 0-2 inner s, row 3 outer s.
//   Li-Ne:  rows 0-5 core 1s, 6-8 inner valence sp, 9 outer valence sp;
//           p rows 0-2 inner valence, 3 outer valence.
//   Na-Ar:  rows 0-5 core 1s, 6-11 2sp, 12-14 inner 3sp, 15 outer 3sp;
//           p rows 0-5 2p, 6-8 inner 3p, 9 outer 3p.
extern const double k631gExponents[16][kBuiltInElements];
extern const double k631gSCoefficients[16][kBuiltInElements];
extern const double k631gPCoefficients[10][kBuiltInElements];

// Polarization exponent (p on H and He, six Cartesian d from Li on) and
// diffuse exponent (s on H and He, s and p from Li on; 0 where the set has
// none) per element.
extern const double k631gPolarization[kBuiltInElements];
extern const double k631gDiffuse[kBuiltInElements];

} // namespace kalviro
