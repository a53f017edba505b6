/*
 * glyph_pages.h - loaded-font text drawn from glyph textures (internal, C++).
 *
 * Text in loaded fonts is drawn from per-window pages of glyph coverage in
 * GL_ALPHA textures.
 *
 * Depends on: loaded_fonts.h (layouts, glyph bitmaps), OpenGL 1.1. Used by
 * text.cpp; defined in glyph_pages.cpp.
 *
 * Each window keeps its own pages, as textures belong to a GL context: one
 * face's glyphs a page, each glyph rasterised once per window and size and
 * never moved or overwritten. A page starts at 256 x 256 texels and doubles
 * up to 4096 x 4096 or GL_MAX_TEXTURE_SIZE, whichever is smaller; a face
 * whose page is full at that size gets another. A glyph larger than a page
 * can be draws nothing. The pages of a freed font's face are deleted the
 * next time their window draws text.
 */
#ifndef VESTRANE_SUPPORT_TEXT_GLYPH_PAGES_H
#define VESTRANE_SUPPORT_TEXT_GLYPH_PAGES_H

#include "support/text/loaded_fonts.h"

namespace vestrane::detail {

/*
 * Draws a laid-out text in the current GL context, that of `window`, with
 * the current colour (alpha included) as one textured quad a glyph, one
 * glDrawArrays a page. The pen starts at window pixel (x, baseline), whole
 * numbers, and
 * the quads lie at object depth z of the caller's window-pixel frame.
 * Everything it changes is put back, by query: enables, texture binding
 * and environment, blending, alpha test, polygon mode, pixel unpack and
 * transfer settings, vertex arrays and bound buffers, the active texture
 * units and the texture matrix.
 */
void drawLayout(int window, const TextLayout& layout, float x, float baseline, float z);

/* Deletes the pages of closed faces in `window` (current) if any closed
 * since it last looked. */
void releaseClosedFacePages(int window);

/* How many pages `window` holds, for the tests. */
[[nodiscard]] int glyphPageCount(int window);

/* Whole pixels for a 26.6 position, halves rounded up. */
constexpr int roundToPixels(long long position)
{
    return static_cast<int>((position + 32 - ((position + 32) % 64 + 64) % 64) / 64);
}

}  // namespace vestrane::detail

#endif
