/*
 * fonts.h - the own bitmap fonts: metrics, and their glyphs grown to a
 * text scale (internal, C++).
 *
 * Depends on: glyphs.h (the glyph tables), text_scale.h (the largest
 * scale). Defined in fonts.cpp; used by text.cpp (widths and placement),
 * the renderers (display lists), the glyph pages, the benchmarks and the
 * tests. No GL.
 *
 * Fonts are chosen by font number: 2 small, 3 Greek, 4 arrows, any other
 * number bold (the numbers of text.h). Codes 32..125 hold a glyph; 0..31,
 * 126, 127 and 128..255 draw nothing and do not move the pen. At scale s
 * each glyph pixel is an s x s block, and the origin (0, 2), the cell and
 * the advance are s times as large.
 *
 * For the renderers that draw from textures, a glyph's coverage is one
 * byte a pixel (255 ink, 0 none), grown by a halo when asked.
 */
#ifndef VESTRANE_SUPPORT_TEXT_FONTS_H
#define VESTRANE_SUPPORT_TEXT_FONTS_H

#include "support/text/glyphs.h"
#include "support/text/text_scale.h"

#include <array>
#include <cstddef>
#include <vector>

namespace vestrane::detail {

inline constexpr int listsPerFont = 128;
inline constexpr int ownFontCount = 4;
inline constexpr int ownCellRows = 13;  // the tallest glyph cell, at scale 1

// The glyph's origin, in glyph pixels: its bottom two rows lie below the
// baseline.
inline constexpr float ownGlyphOriginX = 0.0f;
inline constexpr float ownGlyphOriginY = 2.0f;

// Room for the largest glyph at the largest scale: every row `scale` times,
// `scale` bytes each (one bit a pixel, MSB first, as glBitmap takes them).
using ScaledGlyph =
    std::array<unsigned char, static_cast<std::size_t>(ownCellRows) * maxTextScale * maxTextScale>;

/* 0..3: the font's place in the tables (bold, small, Greek, arrows). */
[[nodiscard]] int ownFontIndex(int font);

/* Whether `code` carries a glyph in the own fonts (32..125). */
[[nodiscard]] bool hasOwnGlyph(int code);

/* Pixels the pen moves for one byte of text in `font` at scale 1: the
 * glyph's advance for codes 32..125 (smallFont's f and i are narrower than
 * the rest), 0 for every code that draws nothing. */
[[nodiscard]] int glyphAdvance(int font, unsigned char code);

/* Pixels a character of `font` counts for centred and right-aligned text
 * at scale 1: the advance of its full-width characters. */
[[nodiscard]] float charAdvance(int font);

/* The height of `font`'s glyph cell at scale 1: 10 rows for smallFont, 13
 * for the others. */
[[nodiscard]] int cellHeight(int font);

/* The glyph of `code` (32..125) in the font of index `fontIndex`, every
 * pixel grown into a scale x scale block, rows bottom up, `scale` bytes a
 * row; returns its rows (cellHeight x scale). */
int scaledGlyph(int fontIndex, int code, int scale, ScaledGlyph& grown);

/* The coverage of the glyph of `code` (32..125) in the font of index
 * `fontIndex` at `scale`, its ink grown by `halo` pixels in every direction
 * (a square; 0: the glyph itself): rows top down into `texels`, `rows` of
 * them; returns the width. The glyph cell's bottom-left pixel is at
 * column `halo`, row `rows - 1 - halo`. */
int ownGlyphCoverage(int fontIndex, int code, int scale, int halo,
                     std::vector<unsigned char>& texels, int& rows);

}  // namespace vestrane::detail

#endif
