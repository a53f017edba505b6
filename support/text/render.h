/*
 * render.h - the two renderers of text and window lines: fixed function
 * and shader (internal, C++).
 *
 * Depends on: text_context.h (the per-context resources, their batch),
 * text_batch.h (texts placed as quads). Defined in render_fixed.cpp
 * (compatibility contexts: raster positions, display lists, textured quads
 * through the fixed pipeline) and render_shader.cpp (core and ES contexts:
 * one small program, a vertex array and a streamed buffer). Used by
 * text.cpp, which has placed the text already: the renderers draw what
 * they are given where they are told, in the current context, and give
 * back the GL state they found.
 *
 * A context's batch is drawn in one go: the state set up once, each run in
 * one call, in the order recorded; then the batch is emptied and the pages
 * of fonts freed meanwhile are closed.
 *
 * Positions are window pixels (origin at the bottom left of the window,
 * through the current viewport) and window depth (0 near, 1 far).
 */
#ifndef VESTRANE_SUPPORT_TEXT_RENDER_H
#define VESTRANE_SUPPORT_TEXT_RENDER_H

#include "support/text/text_batch.h"
#include "support/text/text_context.h"

#include <array>

namespace vestrane::detail {

/* Where an anchor landed: window x, y, depth and clip w; valid when the
 * point lay inside the clip volume. */
struct Anchor {
    std::array<float, 4> position{};
    bool valid = false;
};

/* The viewport and depth range, for projecting an anchor by hand (in any
 * kind of context; defined with the shader renderer). */
void currentViewport(std::array<int, 4>& viewport, std::array<float, 2>& depthRange);

// ---------------------------------------------------------------------------
// Fixed function
// ---------------------------------------------------------------------------

/* The anchor of (x, y, z) through GL's matrices, as glRasterPos places it
 * (the raster position is left there). */
[[nodiscard]] Anchor fixedRasterAnchor(float x, float y, float z);
/* The current colour, which text and lines without a colour of their own
 * take. */
[[nodiscard]] std::array<float, 4> fixedCurrentColor();
/* Draws own-font text as display lists of glBitmap; `visible` false builds
 * the fonts and draws nothing. */
void fixedDrawOwnText(TextContext& context, const OwnText& text, const DrawStyle& style,
                      bool visible);
/* GLUT bitmap text (glut_platform.h) from its start; `visible` false
 * places the raster position and draws nothing. */
void fixedDrawGlutText(void* font, const char* text, const RasterStart& start,
                       const DrawStyle& style, bool visible);
void fixedDrawBatch(TextContext& context);
void fixedRelease(TextContext& context);

// ---------------------------------------------------------------------------
// Shader
// ---------------------------------------------------------------------------

void shaderDrawBatch(TextContext& context);
void shaderRelease(TextContext& context);

}  // namespace vestrane::detail

#endif
