#pragma once
// A real GL context for tests: an off-screen surface on the X display
// (Xvfb under test.sh), a fresh document, and pixels read back
// straight from the back buffer of a frame drawn for the purpose.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/MoleculeState.h"
#include "render/Camera.h"
#include "render/Frame.h"
#include "render/OffscreenSurface.h"
#include "render/SceneRunner.h"
#include "document/ViewSettings.h"
#include "support/TestSupport.h"

namespace kalviro::test {

struct Rgb {
    int r, g, b;
};

// RGB rows of the back buffer's bottom-left w x h, bottom row first.
inline std::vector<unsigned char> readBackBuffer(int w, int h) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// The box around what differs from the black background: left, right,
// bottom, top (right < left when nothing is drawn).
struct LitBox {
    int left, right, bottom, top;
    int width() const { return right - left + 1; }
    int height() const { return top - bottom + 1; }
};
inline LitBox litBox(const Picture& p) {
    LitBox b{p.width, -1, p.height, -1};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t* c = &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
            if (c[0] || c[1] || c[2])
                b = {std::min(b.left, x), std::max(b.right, x), std::min(b.bottom, y),
                     std::max(b.top, y)};
        }
    return b;
}

class GlFrameTest : public DocumentTest {
  protected:
    // Odd sizes put the optical axis on a pixel centre: column and row 100.
    static constexpr int kSize = 201;

    void SetUp() override {
        DocumentTest::SetUp();
        std::string error;
        surface_ = OffscreenSurface::open(kSize, kSize, error);
        if (!surface_)
            GTEST_SKIP() << "no GL context: " << error;
    }

    // One frame, read before any swap; rows bottom-up (GL window order).
    void render() {
        ASSERT_TRUE(surface_->makeCurrent());
        beginFrame(kSize, kSize);
        setupCamera(doc.molecule, doc.view);
        drawScene(doc);
        pixels_ = readBackBuffer(kSize, kSize);
        surface_->swapBuffers();
    }

    // Column x, row y counted from the bottom.
    Rgb at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * kSize + x) * 3;
        return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
    }
    bool isBlack(int x, int y) const {
        const Rgb c = at(x, y);
        return c.r == 0 && c.g == 0 && c.b == 0;
    }

    // Atoms placed as a reader would install them.
    void placeAtoms(const std::vector<std::pair<int, Vector3>>& atoms) {
        std::vector<Atom> parsed;
        for (const auto& [number, p] : atoms) {
            parsed.push_back(atomAt("", p.x, p.y, p.z));
            parsed.back().atomicNumber = number;
        }
        replaceAtoms(doc.molecule, parsed, ElementSource::ByNumber);
    }

    std::unique_ptr<OffscreenSurface> surface_;
    std::vector<unsigned char> pixels_;
};

} // namespace kalviro::test
