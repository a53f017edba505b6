/*
 * render.h - the two renderers of text and window lines: fixed function
 * and shader (internal, C++).
 *
 * Depends on: text_context.h (the per-context resources), loaded_fonts.h
 * (laid-out text). Defined in render_fixed.cpp (compatibility contexts:
 * raster positions, display lists, textured quads through the fixed
 * pipeline) and render_shader.cpp (core and ES contexts: one small program,
 * a vertex array and a streamed buffer). Used by text.cpp, which has
 * placed the text already: the renderers draw what they are given where
 * they are told, in the current context, and give back the GL state they
 * found.
 *
 * Positions are window pixels (origin at the bottom left of the window,
 * through the current viewport) and window depth (0 near, 1 far).
 */
#ifndef VESTRANE_SUPPORT_TEXT_RENDER_H
#define VESTRANE_SUPPORT_TEXT_RENDER_H

#include "support/text/loaded_fonts.h"
#include "support/text/text_context.h"

#include <array>

namespace vestrane::detail {

/* How text and lines are drawn. */
struct DrawStyle {
    std::array<float, 4> color{1.0f, 1.0f, 1.0f, 1.0f};
    bool ownColor = false;  // false: GL's current colour (fixed function only)
    bool depthTest = false;
};

/* Where an anchor landed: window x, y, depth and clip w; valid when the
 * point lay inside the clip volume. */
struct Anchor {
    std::array<float, 4> position{};
    bool valid = false;
};

/* Where a bitmap text starts: the raster position at the anchor (x, y,
 * depth), moved by (dx, dy) before the first glyph, as glBitmap moves it. */
struct RasterStart {
    float x;
    float y;
    float depth;
    float dx;
    float dy;
};

struct OwnText {
    const char* text;
    int font;
    int scale;
    RasterStart start;
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
/* Draws own-font text; `visible` false builds the fonts and draws nothing. */
void fixedDrawOwnText(TextContext& context, const OwnText& text, const DrawStyle& style,
                      bool visible);
void fixedDrawLoadedText(TextContext& context, const TextLayout& layout, float x, float baseline,
                         float depth, const DrawStyle& style);
void fixedDrawLine(const std::array<float, 3>& from, const std::array<float, 3>& to,
                   const DrawStyle& style);
/* GLUT bitmap text (glut_platform.h) from its start; `visible` false
 * places the raster position and draws nothing. */
void fixedDrawGlutText(void* font, const char* text, const RasterStart& start,
                       const DrawStyle& style, bool visible);
void fixedRelease(TextContext& context);

// ---------------------------------------------------------------------------
// Shader
// ---------------------------------------------------------------------------

void shaderDrawOwnText(TextContext& context, const OwnText& text, const DrawStyle& style);
void shaderDrawLoadedText(TextContext& context, const TextLayout& layout, float x, float baseline,
                          float depth, const DrawStyle& style);
void shaderDrawLine(TextContext& context, const std::array<float, 3>& from,
                    const std::array<float, 3>& to, const DrawStyle& style);
void shaderRelease(TextContext& context);

}  // namespace vestrane::detail

#endif
