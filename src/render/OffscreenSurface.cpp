#include "render/OffscreenSurface.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csetjmp>
#include <cstdarg>
#include <cstdlib>
#include <thread>

#include "render/Geometry.h"

namespace kalviro {

struct OffscreenSurface::Handles {
    Display* display = nullptr;
    Window window = 0;
    Colormap colormap = 0;
    GLXContext context = nullptr;
};

namespace {

// A busy X server refuses connections now and then (EAGAIN on its socket):
// try again for a while, but not when no display is named at all.
Display* openDisplay() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return nullptr;
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (Display* d = XOpenDisplay(nullptr))
            return d;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return nullptr;
}

// GLUT opens its own connection and exits the process when that fails; its
// error hook brings control back here so the connection can be retried.
std::jmp_buf glutFailure;
void onGlutError(const char*, va_list) {
    std::longjmp(glutFailure, 1);
}

} // namespace

bool ensureGlut() {
    static int state = -1; // -1 not tried, 0 failed, 1 ready
    if (state >= 0)
        return state == 1;
    Display* d = openDisplay();
    if (d == nullptr) {
        state = 0;
        return false;
    }
    XCloseDisplay(d);
    if (glutGet(GLUT_INIT_STATE) != 0) {
        state = 1;
        return true;
    }
    static char name[] = "kalviro";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    static volatile int attempts = 0;
    state = 0;
    glutInitErrorFunc(onGlutError);
    if (setjmp(glutFailure) != 0) {
        attempts = attempts + 1;
        if (attempts >= 40) {
            glutInitErrorFunc(nullptr);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    argc = 1;
    glutInit(&argc, argv);
    glutInitErrorFunc(nullptr);
    state = 1;
    return true;
}

std::unique_ptr<OffscreenSurface> OffscreenSurface::open(int width, int height,
                                                         std::string& error) {
    if (width <= 0 || height <= 0) {
        error = "the picture size must be positive";
        return nullptr;
    }
    if (!ensureGlut()) {
        error = "no X display (set DISPLAY, or run under xvfb-run)";
        return nullptr;
    }
    auto h = std::make_unique<Handles>();
    h->display = openDisplay();
    if (h->display == nullptr) {
        error = "no X display (set DISPLAY, or run under xvfb-run)";
        return nullptr;
    }
    // 32 depth bits as the view asks for, 24 where the driver has no more.
    XVisualInfo* vi = nullptr;
    int depthBits = 0;
    for (int bits : {32, 24}) {
        int attrs[] = {
            GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
            8,        GLX_DEPTH_SIZE,   bits,         None};
        vi = glXChooseVisual(h->display, DefaultScreen(h->display), attrs);
        if (vi) {
            depthBits = bits;
            break;
        }
    }
    if (vi == nullptr) {
        XCloseDisplay(h->display);
        error = "no double-buffered RGB visual with a depth buffer";
        return nullptr;
    }
    const Window root = RootWindow(h->display, vi->screen);
    h->colormap = XCreateColormap(h->display, root, vi->visual, AllocNone);
    XSetWindowAttributes swa{};
    swa.colormap = h->colormap;
    swa.border_pixel = 0;
    h->window = XCreateWindow(h->display, root, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), 0, vi->depth, InputOutput, vi->visual,
                              CWColormap | CWBorderPixel, &swa);
    h->context = glXCreateContext(h->display, vi, nullptr, True);
    XFree(vi);
    if (h->context == nullptr) {
        XDestroyWindow(h->display, h->window);
        XFreeColormap(h->display, h->colormap);
        XCloseDisplay(h->display);
        error = "no GL context could be created";
        return nullptr;
    }
    std::unique_ptr<OffscreenSurface> s(new OffscreenSurface());
    s->handles_ = std::move(h);
    s->width_ = width;
    s->height_ = height;
    s->depthBits_ = depthBits;
    if (!s->makeCurrent()) {
        error = "the GL context could not be made current";
        return nullptr;
    }
    return s;
}

OffscreenSurface::~OffscreenSurface() {
    if (!handles_)
        return;
    // The compiled solids belong to this context.
    if (glXGetCurrentContext() == handles_->context) {
        forgetGeometryLists();
        glXMakeCurrent(handles_->display, None, nullptr);
    }
    if (handles_->context)
        glXDestroyContext(handles_->display, handles_->context);
    if (handles_->window)
        XDestroyWindow(handles_->display, handles_->window);
    if (handles_->colormap)
        XFreeColormap(handles_->display, handles_->colormap);
    XCloseDisplay(handles_->display);
}

bool OffscreenSurface::makeCurrent() {
    return handles_ && glXMakeCurrent(handles_->display, handles_->window, handles_->context) == True;
}

void OffscreenSurface::swapBuffers() {
    if (handles_)
        glXSwapBuffers(handles_->display, handles_->window);
}

} // namespace kalviro
