/*
 * glyphs.h - the glyph tables of the four own bitmap fonts (internal, C++).
 *
 * Depends on: <array>, <cstddef>. Defined in glyphs_bold.cpp,
 * glyphs_small.cpp, glyphs_greek.cpp and glyphs_arrow.cpp.
 *
 * Table format, shared by the four fonts:
 *   - a glyph is a bitmap 8 pixels wide, one byte a row, `rows` rows;
 *   - rows run bottom to top: the first byte of a glyph is its bottom row;
 *     within a byte the most significant bit is the leftmost pixel;
 *   - the glyph of code c starts at byte (c - 32) * rows, so slot 0 is the
 *     space; only codes 32..126 carry data, every later slot is zero, and the
 *     space and the codes a font leaves blank are all-zero glyphs;
 *   - drawn with origin (0, 2): the bottom two rows lie below the baseline.
 */
#ifndef VESTRANE_SUPPORT_TEXT_GLYPHS_H
#define VESTRANE_SUPPORT_TEXT_GLYPHS_H

#include <array>
#include <cstddef>

namespace vestrane::detail {

// ---------------------------------------------------------------------------
// Table format
// ---------------------------------------------------------------------------

inline constexpr std::size_t glyphWidth = 8;    // pixels a row, one byte
inline constexpr std::size_t glyphSlots = 256;  // glyphs a table has room for
inline constexpr int firstGlyphCode = 32;       // code of slot 0 (the space)
inline constexpr int lastGlyphCode = 126;       // last code that carries data

inline constexpr std::size_t boldRows = 13;
inline constexpr std::size_t smallRows = 10;
inline constexpr std::size_t greekRows = 13;
inline constexpr std::size_t arrowRows = 13;

template <std::size_t Rows>
using GlyphTable = std::array<unsigned char, glyphSlots * Rows>;

// ---------------------------------------------------------------------------
// The tables
// ---------------------------------------------------------------------------

// Bold Latin font: all printable ASCII, strokes two pixels wide.
extern const GlyphTable<boldRows> boldGlyphs;
// Small font: digits, ( ) * + - > and a c d f i j k l m p r s t u x y.
extern const GlyphTable<smallRows> smallGlyphs;
// Symbol font: bold capitals, thin digits and signs, Greek small letters.
extern const GlyphTable<greekRows> greekGlyphs;
// Arrow marks: F right arrow, f left arrow, T and t the joining bar.
extern const GlyphTable<arrowRows> arrowGlyphs;

}  // namespace vestrane::detail

#endif
