/*
 * loaded_fonts.h - loaded fonts and text laid out in them (internal, C++).
 *
 * Fonts are loaded from files or fontconfig patterns; UTF-8 text is laid
 * out in them.
 *
 * Depends on: nothing public (FreeType, HarfBuzz, FriBidi and fontconfig
 * stay in loaded_fonts.cpp). Used by text.cpp (loadFont, freeFont, widths,
 * line heights), glyph_pages.cpp (glyph bitmaps), the layout fuzz target
 * and the tests. Touches no GL state.
 *
 * A loaded font is a number, firstLoadedFont or above, never given twice,
 * over one face opened from a file. Text in it is laid out at the font's
 * pixel size times the text scale: UTF-8 decoded (a newline ends a line,
 * other control characters are left out, invalid sequences are U+FFFD),
 * each line given its embedding levels by FriBidi (its base direction from
 * its first strong character, left to right when none), split into runs
 * of one face, one script and one level, the runs put in display order and
 * each shaped by HarfBuzz in the direction of its level (kerning, default
 * ligatures, marks on their base, brackets mirrored in right-to-left
 * runs). A character the font lacks comes from the face fontconfig picks
 * for it (opened once, kept for the program's life); one that no installed
 * font has draws the font's missing-glyph box.
 *
 * Pen positions are 26.6 fixed point (64ths of a pixel), from HarfBuzz's
 * unhinted advances; a glyph is drawn at its pen position rounded to whole
 * pixels, its bitmap unshifted.
 */
#ifndef VESTRANE_SUPPORT_TEXT_LOADED_FONTS_H
#define VESTRANE_SUPPORT_TEXT_LOADED_FONTS_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vestrane::detail {

inline constexpr int firstLoadedFont = 16;
inline constexpr float largestFontPixelSize = 1024.0f;

/* One opened face; its number (serial) is never given to another face. */
struct FontFace;

/* A glyph of a laid-out text: its face and size, its index in the face, its
 * pen position in 26.6 (x right from its line's start, y up from the first
 * line's baseline: a line's glyphs are a whole number of line heights
 * lower than the line before's) and the character it comes from (its
 * index among the text's decoded characters, counted from 0). */
struct PlacedGlyph {
    FontFace* face;
    std::uint32_t faceSerial;
    std::uint32_t size;  // em size in 26.6 pixels
    std::uint32_t glyph;
    std::int64_t x;
    std::int64_t y;
    std::uint32_t character;
};

/* A line of a laid-out text: its first glyph and its advance (26.6). */
struct LineExtent {
    std::size_t firstGlyph;
    std::int64_t advance;
};

/* A laid-out text, glyphs left to right line after line; one line at the
 * least. The vectors keep their storage from one layout to the next. */
struct TextLayout {
    std::vector<PlacedGlyph> glyphs;
    std::vector<LineExtent> lines;
    std::int64_t advance = 0;  // the widest line's, 26.6
};

/* A glyph's coverage as FreeType renders it: one byte a pixel, rows top
 * down; `left` and `top` place its top-left pixel from the pen position
 * (right and up). Points into FreeType's glyph slot: valid until the next
 * glyph is rendered. */
struct GlyphBitmap {
    int width = 0;
    int rows = 0;
    int pitch = 0;
    int left = 0;
    int top = 0;
    const unsigned char* coverage = nullptr;
    bool oneBit = false;  // a monochrome bitmap: one bit a pixel, MSB first
};

/* The FreeType load flags with which glyph bitmaps are rendered. */
[[nodiscard]] std::int32_t glyphRenderFlags();

/*
 * Opens a font: `name` with a '/' is a file (face 0), anything else a
 * fontconfig pattern resolved to its best match. Returns the font's number,
 * or 0 with errno: EINVAL (no name, a size outside (0, 1024], a file that is
 * not a font or a folder), ENOENT (no such file; no font installed at all),
 * ENOMEM.
 */
[[nodiscard]] int openLoadedFont(const char* name, float pixelSize);

/* Closes a loaded font's face; a number that is not one is ignored. */
void closeLoadedFont(int font);

[[nodiscard]] bool isLoadedFont(int font);

/* How many faces have been closed since the program started: a window's
 * glyph pages compare it with what they have seen. */
[[nodiscard]] std::uint32_t closedFaceCount();
[[nodiscard]] bool isFaceClosed(std::uint32_t faceSerial);

/* Lays out `text` (UTF-8, zero-terminated) in a loaded font at a text
 * scale. False, with an empty layout (no line), when `font` is not
 * loaded. */
bool layoutText(int font, int scale, const char* text, TextLayout& layout);

/* The font's line spacing in whole pixels at a text scale; 0 when `font`
 * is not loaded. */
[[nodiscard]] int loadedLineHeight(int font, int scale);

/* Half the height of the font's capitals (its 'H') in whole pixels at a
 * text scale: how far centred and right-aligned text drops its baseline. */
[[nodiscard]] int loadedCapitalDrop(int font, int scale);

/* Whether a character is a combining mark (non-spacing, spacing or
 * enclosing): one the font lacks is taken from its base's face when that
 * face has it. */
[[nodiscard]] bool isMark(char32_t code);

/* Renders a placed glyph's coverage; false when it cannot (then it draws
 * nothing). */
bool renderGlyph(const PlacedGlyph& glyph, GlyphBitmap& bitmap);

/* Renders the coverage of a placed glyph's halo: its outline widened by
 * `halo` 64ths of a pixel (round joins and caps) and filled, placed from the
 * pen position as the glyph is. False when the glyph has no outline (then
 * no halo is drawn). Valid until the next halo is rendered. */
bool renderGlyphHalo(const PlacedGlyph& glyph, std::uint32_t halo, GlyphBitmap& bitmap);

}  // namespace vestrane::detail

#endif
