#include "orbital/ContourStore.h"

namespace kalviro {

void ContourStore::appendLoop(std::int32_t signCode, const std::vector<Vector3>& points) {
    loops.push_back({static_cast<std::int32_t>(points.size()), signCode});
    currentPoints.insert(currentPoints.end(), points.begin(), points.end());
    loadedPoints.insert(loadedPoints.end(), points.begin(), points.end());
}

void ContourStore::rotateContours(double a, double b) {
    for (Vector3& p : currentPoints)
        p.rotateXY(a, b);
}

void ContourStore::restoreContours() {
    currentPoints = loadedPoints;
}

} // namespace kalviro
