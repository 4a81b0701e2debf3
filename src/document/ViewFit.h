#pragma once
// Where the camera goes so that the molecule as drawn fills the view: the
// balls the drawers paint (atoms at their drawn radii, arrow tips when the
// arrows are shown), centred by the pan and brought into frame by the eye
// distance. The molecule is never turned.

#include <optional>
#include <string>
#include <vector>

#include "model/Vector3.h"

namespace kalviro {

struct Document;

struct Ball {
    Vector3 centre;
    double radius = 0.0;
};

// Share of the view's shorter side the fitted molecule fills.
constexpr double kFitFill = 0.8;
// Half the vertical field of view of the projection, degrees.
constexpr double kHalfFieldOfView = 22.5;

// The dipole-derivative arrow of the selected mode as the drawer paints it:
// from anchor along vector (the derivative, sign applied) a shaft of
// kDipoleShaft and a cone of kDipoleCone, radius kDipoleConeRadius; nullopt
// when the mode has no arrow (no derivative, a zero intensity or length).
constexpr double kDipoleShaft = 3.0;
constexpr double kDipoleCone = 0.8;
constexpr double kDipoleConeRadius = 0.3;
struct DipoleArrow {
    Vector3 anchor;
    Vector3 vector;
    double length = 0.0;
};
std::optional<DipoleArrow> dipoleArrowOf(const Document& doc);

// The atom the dipole arrow starts from: the typed 1-based number made
// zero-based, or -1 and below for the origin.
long dipoleAnchorIndex(const std::string& typed);

// What the drawers paint for doc, as balls in model coordinates.
std::vector<Ball> drawnBalls(const Document& doc);

struct CameraFit {
    float panX = 0.0f, panY = 0.0f;
    float eyeDistance = 20.0f; // eye to the model origin
};

// The pan that centres the balls and the eye distance at which their
// extent fills `fill` of the shorter side of a view width/height = aspect.
// No balls: the start camera.
CameraFit fitCamera(const std::vector<Ball>& balls, double aspect, double fill = kFitFill);

// Fits doc's camera to a view of the given aspect: pan, eye distance, axis
// length (the angle labels keep their corner), zoom steps from here.
void fitView(Document& doc, double aspect);

} // namespace kalviro
