#pragma once
// A normal mode as a movie: frame k of N drawn at phase 2 pi k / N, saved
// as an animated GIF, a folder of numbered PNG pictures, or a multi-frame
// XYZ file for other viewers.

#include <string>
#include <vector>

#include "render/Frame.h"

namespace kalviro {

struct Document;

struct MovieRequest {
    int mode = 0;      // zero-based
    int frames = 20;
    double amplitude = 0.5;
    double periodSeconds = 1.0; // one swing: the GIF's frame delay
};

// How path asks to be written: by its ending, else a folder of PNG frames.
enum class MovieKind { Gif, Xyz, PngFolder };
MovieKind movieKindOf(const std::string& path);

// The frames drawn on surface with the animation of doc set to the request;
// doc's animation and selected mode are as before afterwards.
std::vector<Picture> captureMovie(GlSurface& surface, Document& doc, const MovieRequest& r);

// An animated GIF looping for ever, each frame with a 6 x 7 x 6 colour cube
// palette of its own and the given delay; empty without frames.
std::string gifBytes(const std::vector<Picture>& frames, int delayCentiseconds);

// "frame_001.png" .. : the name of frame k (zero-based) of a folder.
std::string frameFileName(int k);

// Writes the movie to path (kind by movieKindOf). An empty string on success,
// else the reason (no such mode, no picture, a file not written).
std::string writeMovie(GlSurface& surface, Document& doc, const std::string& path,
                       const MovieRequest& r);

// "アニメーションの保存": asks for a path, writes the selected mode with the
// view's amplitude and speed, tells the user when it could not. True when
// written.
bool askAndSaveAnimation(GlSurface& surface, Document& doc);

} // namespace kalviro
