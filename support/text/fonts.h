/*
 * fonts.h - the own bitmap fonts as per-window display lists (internal, C++).
 *
 * Depends on: OpenGL, support/common.h (WindowId). Defined in fonts.cpp;
 * used by text.cpp (own-font text and its widths), the benchmarks and the
 * tests.
 *
 * Fonts are chosen by font number: 2 small, 3 Greek, 4 arrows, any other
 * number bold (the numbers of text.h).
 *
 * Display lists belong to a GL context, so every window that shows own-font
 * text gets its own four blocks of 128 lists for each text scale it uses,
 * one block per font and one list per 7-bit character code: the list of
 * code c is the block's first name + c. Codes 32..125 hold a glyph; 0..31,
 * 126 and 127 are empty lists. At scale s each glyph pixel is an s x s
 * block, and the origin (0, 2) and the advance are s times as large; the
 * scale-1 lists are the glyph tables as they are. Any window identifier
 * GLUT hands out has room: the tables grow with the identifiers, a few
 * dozen bytes each.
 */
#ifndef VESTRANE_SUPPORT_TEXT_FONTS_H
#define VESTRANE_SUPPORT_TEXT_FONTS_H

#include "support/common.h"

#include <GL/gl.h>

namespace vestrane::detail {

inline constexpr GLsizei listsPerFont = 128;

/*
 * The first list name of `font`'s block at text scale `scale` (1..8) in
 * `window`, building the window's four fonts at that scale on the first
 * call for that window and scale: the lists are recorded in the current GL
 * context, which must be that window's, and the pixel unpack settings are
 * put back as they were. Later calls for the window and scale touch no GL
 * state and allocate nothing. 0 when the window has no fonts at that scale
 * and text in it must draw nothing: a negative identifier, a scale outside
 * 1..8, or no memory to grow the tables.
 */
[[nodiscard]] GLuint windowFontListBase(WindowId window, int font, int scale = 1);

/*
 * Pixels the pen moves for one byte of text in `font` at scale 1 (times the
 * scale at any other): the glyph's advance
 * for codes 32..125 (smallFont's f and i are narrower than the rest), 0
 * for every code that draws nothing (control codes, 126, 127, 128..255).
 * The glyph lists are recorded with these advances.
 */
[[nodiscard]] int glyphAdvance(int font, unsigned char code);

/* Pixels a character of `font` counts for centred and right-aligned text
 * at scale 1: the advance of its full-width characters (smallFont's narrow
 * f and i are not counted). */
[[nodiscard]] float charAdvance(int font);

/* The height of `font`'s glyph cell at scale 1: 10 rows for smallFont, 13
 * for the others. */
[[nodiscard]] int cellHeight(int font);

}  // namespace vestrane::detail

#endif
