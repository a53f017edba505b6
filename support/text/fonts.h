/*
 * fonts.h - the own bitmap fonts as per-window display lists (internal, C++).
 *
 * Depends on: OpenGL. Defined in fonts.cpp; used by text.cpp (which builds
 * a window's fonts on its first own-font text) and by the tests.
 *
 * Display lists belong to a GL context, so every window that shows own-font
 * text gets its own four blocks of 128 lists, one block per font and one
 * list per 7-bit character code: the list of code c is the block's first
 * name + c. Codes 32..125 hold a glyph; 0..31, 126 and 127 are empty lists.
 * The tables are indexed by GLUT window identifier, 0..maxTextWindows-1.
 */
#ifndef VESTRANE_SUPPORT_TEXT_FONTS_H
#define VESTRANE_SUPPORT_TEXT_FONTS_H

#include <GL/gl.h>

#include <array>

namespace text_fonts {

inline constexpr int maxTextWindows = 10;
inline constexpr GLsizei listsPerFont = 128;

using WindowTable = std::array<GLuint, maxTextWindows>;

/* First list name of each font's block, per window; 0 until built. */
extern WindowTable boldFontLists;
extern WindowTable smallFontLists;
extern WindowTable greekFontLists;
extern WindowTable arrowFontLists;
/* 1 once the window's fonts are built. Set by the text drawing, which
 * builds them; read by nothing else. */
extern std::array<int, maxTextWindows> fontsBuilt;

/* True for the window identifiers the tables have room for. */
[[nodiscard]] constexpr bool hasFontTables(int window)
{
    return window >= 0 && window < maxTextWindows;
}

/*
 * Records the four fonts as display lists of the current GL context and
 * stores the blocks' first names at index `window`. Call once per window,
 * with that window's context current; a window without tables is ignored.
 * The pixel unpack alignment is put back as it was.
 */
void buildBitmapFonts(int window);

/* The first list name of `font` (a font number of text.h) in `window`,
 * which must have tables and built fonts. */
[[nodiscard]] GLuint fontListBase(int window, int font);

/* Pixels a character of `font` counts for alignment: the advance of its
 * full-width characters (smallFont's narrow f and i are not counted). */
[[nodiscard]] float charAdvance(int font);

}  // namespace text_fonts

#endif
