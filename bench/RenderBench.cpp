// Frames of the 3D view on Mesa's software renderer: a full frame and a
// rotating frame (right button held) for 10, 100 and 1,000 atoms, with the
// sphere and cylinder geometry replayed from display lists or drawn anew, and
// with or without the bond tube work that cannot show.
// And the animation of a normal mode against the still picture, 300 atoms.
// Needs an X display: run under xvfb-run -a.
//
// The molecules are chains of carbon atoms 1.5 apart (bonded) laid side by
// side 2.5 apart (not bonded), centred on the origin: about one bond per atom,
// as in real molecules.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "document/Document.h"
#include "render/Frame.h"
#include "render/Geometry.h"
#include "render/HiddenBondTubes.h"
#include "render/OffscreenSurface.h"

namespace {

using namespace kalviro;

// The document the frames draw; the GL context lives as long.
Document& theDocument() {
    static Document doc;
    return doc;
}

void loadChains(int n) {
    const int chainLength = 10;
    const int chains = (n + chainLength - 1) / chainLength;
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(chains))));
    std::vector<Atom> atoms;
    for (int i = 0; i < n; ++i) {
        const int chain = i / chainLength;
        Atom a;
        a.atomicNumber = 6;
        a.x = 1.5 * (i % chainLength - (chainLength - 1) / 2.0);
        a.y = 2.5 * (chain % side - (side - 1) / 2.0);
        a.z = 2.5 * (chain / side - (side - 1) / 2.0);
        atoms.push_back(a);
    }
    Document& doc = theDocument();
    doc = Document();
    replaceAtoms(doc.molecule, atoms, ElementSource::ByNumber);
}

OffscreenSurface* surface(benchmark::State& state) {
    static std::unique_ptr<OffscreenSurface> s;
    static std::string error;
    if (!s && error.empty())
        s = OffscreenSurface::open(600, 600, error);
    if (!s)
        state.SkipWithError(("no GL context: " + error).c_str());
    return s.get();
}

// Kept out of line so a profiler can count the timed frames alone
// (valgrind --tool=callgrind --toggle-collect='*timedFrame*').
[[gnu::noinline]] void timedFrame(OffscreenSurface& s) {
    drawFrame(s, theDocument());
}

void frames(benchmark::State& state, bool rotating) {
    OffscreenSurface* s = surface(state);
    if (!s)
        return;
    loadChains(static_cast<int>(state.range(0)));
    setGeometryLists(state.range(1) != 0);
    theDocument().view.hiddenTubesSkipped = state.range(1) == 2;
    theDocument().molecule.drag.rotating = rotating;
    drawFrame(*s, theDocument()); // compiles the lists outside the timing
    for (auto _ : state) {
        if (rotating)
            theDocument().molecule.pendingRotationY = 1.0f;
        timedFrame(*s);
    }
    state.counters["atoms"] = static_cast<double>(state.range(0));
    setGeometryLists(true);
    theDocument().view.hiddenTubesSkipped = true;
}

void BM_FullFrame(benchmark::State& state) {
    frames(state, false);
}
void BM_RotatingFrame(benchmark::State& state) {
    frames(state, true);
}

// Second argument: 0 drawn anew and 1 from display lists, every tube drawn in
// full; 2 from display lists, skipping the tube work an opaque frame never
// shows (the product's way).
BENCHMARK(BM_FullFrame)
    ->ArgsProduct({{10, 100, 1000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
BENCHMARK(BM_RotatingFrame)
    ->ArgsProduct({{10, 100, 1000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

// The animation against the still picture, 300 atoms, in one run: every
// atom swings along its own direction; the animated frame copies and moves
// the atoms, turns the bonds and draws thinner-faceted tubes.
void BM_StillAnd300AnimatedFrame(benchmark::State& state) {
    OffscreenSurface* s = surface(state);
    if (!s)
        return;
    loadChains(300);
    Document& doc = theDocument();
    std::vector<Vector3> mode;
    for (int i = 0; i < 300; ++i)
        mode.push_back({0.3 * std::sin(i), 0.3 * std::cos(i), 0.1});
    doc.vibrations.modes = {mode};
    doc.vibrations.frequencies = {"1000.0000"};
    doc.vibrations.symmetries = {"A"};
    doc.animation.playing = state.range(0) != 0;
    drawFrame(*s, doc);
    for (auto _ : state) {
        doc.animation.phase += 0.2;
        timedFrame(*s);
    }
    doc.animation = Animation();
    state.counters["animated"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_StillAnd300AnimatedFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.5);

} // namespace
