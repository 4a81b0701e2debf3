#pragma once
// The drawers that clear the picture and draw the viewpoint marks, the atoms,
// the bonds and the orbital contours. They only read; the frame steps have
// moved the molecule before.

namespace kalviro {

struct ContourStore;
struct Document;
struct MoleculeState;
struct OrbitalSurfaces;
struct ViewSettings;

// Which pass draws the scene: the picture, or the selection pass of picking,
// in which every atom carries its 1-based number as a name.
enum class ScenePass { Draw, Pick };

void clearPicture(const ViewSettings& s);

// The viewpoint yaw with its two arcs and arrowheads; leaves the yaw in the
// model-view matrix for the rest of the frame.
void drawViewpoint(const Document& doc);

// m is the molecule as the frame shows it: doc's own, or a moved copy of it
// while the animation plays.
void drawAtoms(const Document& doc, const MoleculeState& m, ScenePass pass);
void drawBonds(const Document& doc, const MoleculeState& m, ScenePass pass);
void drawOrbital(const Document& doc);

// The contour loops as line loops, blue for the positive level and red for
// the negative, at the model depth.
void drawContours(const ContourStore& store, const MoleculeState& m);

// The two isosurfaces, translucent and lit, in the contours' blue (+) and
// red (-), at the model depth; the depth buffer is read, not written.
void drawOrbitalSurfaces(const OrbitalSurfaces& surfaces, const MoleculeState& m);

} // namespace kalviro
