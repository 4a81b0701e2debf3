#include "document/Animation.h"

#include <cmath>
#include <cstdio>

#include "document/Document.h"

namespace kalviro {

const std::vector<Vector3>* modeVectors(const Document& doc, int mode) {
    const auto& modes = doc.vibrations.modes;
    if (mode < 0 || static_cast<std::size_t>(mode) >= modes.size())
        return nullptr;
    const std::vector<Vector3>& d = modes[static_cast<std::size_t>(mode)];
    return d.size() == doc.molecule.atoms.size() && !d.empty() ? &d : nullptr;
}

const std::vector<Vector3>* playingModeVectors(const Document& doc) {
    return doc.animation.playing ? modeVectors(doc, doc.scene.selectedMode) : nullptr;
}

std::vector<Vector3> displacedPositions(const Document& doc, const std::vector<Vector3>& d,
                                        double amplitude, double phase) {
    const double s = amplitude * std::sin(phase);
    std::vector<Vector3> out;
    out.reserve(doc.molecule.atoms.size());
    for (std::size_t i = 0; i < doc.molecule.atoms.size(); ++i) {
        const Vector3 x0 = doc.molecule.atoms[i].position();
        out.push_back(i < d.size() ? x0 + d[i] * s : x0);
    }
    return out;
}

std::string modeCaption(const Document& doc, int mode) {
    const VibrationStore& v = doc.vibrations;
    if (mode < 0 || static_cast<std::size_t>(mode) >= v.frequencies.size())
        return {};
    const auto k = static_cast<std::size_t>(mode);
    std::string text = v.frequencies[k] + " cm-1";
    if (k < v.symmetries.size() && !v.symmetries[k].empty())
        text += "  " + v.symmetries[k];
    return text;
}

std::string animationXyz(const Document& doc, int mode, int frames, double amplitude) {
    const std::vector<Vector3>* d = modeVectors(doc, mode);
    if (!d || frames < 1)
        return {};
    const double twoPi = 8.0 * std::atan(1.0);
    const auto& atoms = doc.molecule.atoms;
    std::size_t shown = 0;
    for (const Atom& a : atoms)
        shown += a.isDummy() ? 0 : 1;
    std::string out;
    char line[160];
    for (int k = 0; k < frames; ++k) {
        const std::vector<Vector3> p = displacedPositions(doc, *d, amplitude, twoPi * k / frames);
        out += std::to_string(shown) + "\n";
        out += modeCaption(doc, mode) + "  frame " + std::to_string(k + 1) + "/" +
               std::to_string(frames) + "\n";
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            if (atoms[i].isDummy())
                continue;
            std::snprintf(line, sizeof line, "%-3s %14.8f %14.8f %14.8f\n",
                          atoms[i].symbol.c_str(), p[i].x, p[i].y, p[i].z);
            out += line;
        }
    }
    return out;
}

} // namespace kalviro
