#include "render/Frame.h"

#include <GL/gl.h>

#include "document/Document.h"
#include "document/ViewFit.h"
#include "render/BitmapWriter.h"
#include "render/Camera.h"
#include "render/FrameSteps.h"
#include "render/SceneRunner.h"

namespace kalviro {
namespace {

bool drawUnswapped(GlSurface& surface, Document& doc) {
    if (!surface.makeCurrent())
        return false;
    startFrame(doc, surface.clientWidth(), surface.clientHeight());
    drawScene(doc);
    return true;
}

} // namespace

void beginFrame(int width, int height) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

void startFrame(Document& doc, int width, int height) {
    beginFrame(width, height);
    if (doc.view.fitPending && width > 0 && height > 0) {
        // A turn asked for with the fit (a view along an axis) comes first.
        runFrameSteps(doc);
        fitView(doc, static_cast<double>(width) / height);
    }
    setupCamera(doc.molecule, doc.view);
}

void drawFrame(GlSurface& surface, Document& doc) {
    if (drawUnswapped(surface, doc))
        surface.swapBuffers();
}

Picture captureFrame(GlSurface& surface, Document& doc) {
    Picture p;
    if (!drawUnswapped(surface, doc))
        return p;
    p.width = bmpWidth(surface.clientWidth());
    p.height = surface.clientHeight();
    if (p.width > 0 && p.height > 0) {
        p.rgb.assign(static_cast<std::size_t>(p.width) * p.height * 3, 0);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, p.width, p.height, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
    }
    surface.swapBuffers();
    return p;
}

} // namespace kalviro
