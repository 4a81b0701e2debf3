#include "document/ViewFit.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "document/Document.h"

namespace kalviro {
namespace {

// What the mode drawer adds beyond the atom: shaft plus cone, cone radius.
constexpr double kConeLength = 0.3;
constexpr double kConeRadius = 0.1;
// The eye stays this far in front of the nearest ball (the near plane is
// closer still).
constexpr double kNearMargin = 0.5;

bool drawnAtom(const Atom& a) {
    return a.symbol != "X" && a.atomicNumber != -1;
}

void addArrowTips(const Document& doc, std::vector<Ball>& balls) {
    const ViewSettings& s = doc.view;
    const VibrationStore& v = doc.vibrations;
    const long mode = doc.scene.selectedMode;
    if (!s.modesShown || mode < 0 || static_cast<std::size_t>(mode) >= v.modes.size())
        return;
    const std::vector<Vector3>& d = v.modes[static_cast<std::size_t>(mode)];
    const std::vector<Atom>& atoms = doc.molecule.atoms;
    for (std::size_t i = 0; i < atoms.size() && i < d.size(); ++i) {
        const double L = std::sqrt(d[i].x * d[i].x + d[i].y * d[i].y + d[i].z * d[i].z);
        if (!(L >= 1e-4) || !std::isfinite(L) || (!s.hydrogenVectors && atoms[i].isHydrogen()))
            continue;
        const double k = s.vectorSign * (s.vectorLength + kConeLength) / L;
        balls.push_back({{atoms[i].x + k * d[i].x, atoms[i].y + k * d[i].y, atoms[i].z + k * d[i].z},
                         kConeRadius});
    }
}

void addDipoleArrow(const Document& doc, std::vector<Ball>& balls) {
    if (!doc.view.dipoleShown)
        return;
    const auto arrow = dipoleArrowOf(doc);
    if (!arrow)
        return;
    const double k = (kDipoleShaft + kDipoleCone) / arrow->length;
    const Vector3& a = arrow->anchor;
    const Vector3& w = arrow->vector;
    balls.push_back({a, kDipoleConeRadius});
    balls.push_back({{a.x + k * w.x, a.y + k * w.y, a.z + k * w.z}, kDipoleConeRadius});
}

} // namespace

long dipoleAnchorIndex(const std::string& typed) {
    errno = 0;
    const long n = std::strtol(typed.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return -1;
    return n - 1;
}

std::optional<DipoleArrow> dipoleArrowOf(const Document& doc) {
    const VibrationStore& v = doc.vibrations;
    const long mode = doc.scene.selectedMode;
    if (mode < 0 || static_cast<std::size_t>(mode) >= v.dipoleDerivatives.size())
        return std::nullopt;
    const auto k = static_cast<std::size_t>(mode);
    if (k >= v.intensities.size() || std::atof(v.intensities[k].c_str()) == 0.0)
        return std::nullopt;
    const Vector3 d = v.dipoleDerivatives[k];
    const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (!(length > 0.0) || !std::isfinite(length))
        return std::nullopt;
    DipoleArrow arrow;
    const std::vector<Atom>& atoms = doc.molecule.atoms;
    const long n = dipoleAnchorIndex(doc.scene.dipoleOrigin);
    if (n >= 0 && static_cast<std::size_t>(n) < atoms.size())
        arrow.anchor = atoms[static_cast<std::size_t>(n)].position();
    const double sign = doc.view.vectorSign;
    arrow.vector = {sign * d.x, sign * d.y, sign * d.z};
    arrow.length = length;
    return arrow;
}

std::vector<Ball> drawnBalls(const Document& doc) {
    std::vector<Ball> balls;
    for (const Atom& a : doc.molecule.atoms)
        if (drawnAtom(a))
            balls.push_back({a.position(), doc.view.atomScale * a.radius});
    addArrowTips(doc, balls);
    addDipoleArrow(doc, balls);
    return balls;
}

CameraFit fitCamera(const std::vector<Ball>& all, double aspect, double fill) {
    CameraFit fit;
    // A damaged file's non-numbers have no place on the screen.
    std::vector<Ball> balls;
    for (const Ball& b : all)
        if (std::isfinite(b.centre.x) && std::isfinite(b.centre.y) && std::isfinite(b.centre.z) &&
            std::isfinite(b.radius))
            balls.push_back(b);
    if (balls.empty())
        return fit;
    double lo[2] = {balls[0].centre.x, balls[0].centre.y};
    double hi[2] = {lo[0], lo[1]};
    for (const Ball& b : balls) {
        const double c[2] = {b.centre.x, b.centre.y};
        for (int k = 0; k < 2; ++k) {
            lo[k] = std::min(lo[k], c[k] - b.radius);
            hi[k] = std::max(hi[k], c[k] + b.radius);
        }
    }
    const double mid[2] = {(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2};
    // At depth D a world length w covers w / (D tan h) of the view's half
    // height; the shorter side is the height times min(aspect, 1).
    const double reach = fill * std::min(aspect > 0 ? aspect : 1.0, 1.0) *
                         std::tan(kHalfFieldOfView * std::acos(-1.0) / 180.0);
    double eye = 1.0; // the look-at needs the eye in front of the model origin
    for (const Ball& b : balls) {
        const double half = std::max(std::abs(b.centre.x - mid[0]), std::abs(b.centre.y - mid[1])) +
                            b.radius;
        eye = std::max({eye, b.centre.z + half / reach, b.centre.z + b.radius + kNearMargin});
    }
    // Beyond the far plane (or a float) a fit would show nothing anyway.
    constexpr double kFarthest = 1000.0;
    if (!(eye <= kFarthest) || !(std::abs(mid[0]) <= kFarthest) || !(std::abs(mid[1]) <= kFarthest))
        return fit;
    fit.panX = static_cast<float>(-mid[0]);
    fit.panY = static_cast<float>(-mid[1]);
    fit.eyeDistance = static_cast<float>(eye);
    return fit;
}

void fitView(Document& doc, double aspect) {
    const CameraFit fit = fitCamera(drawnBalls(doc), aspect);
    ViewSettings& s = doc.view;
    s.resetCamera();
    s.eyeDistance = fit.eyeDistance;
    s.axisLength = 7.0f * fit.eyeDistance / 20.0f;
    doc.molecule.panX = fit.panX;
    doc.molecule.panY = fit.panY;
    doc.zoom = ZoomCounter();
    s.fitPending = false;
}

} // namespace kalviro
