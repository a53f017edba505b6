/*
 * glyphs_arrow.cpp - pixel art and glyph table of the arrow marks.
 *
 * Depends on: glyph_art.h (art to table).
 *
 * Marks lie in the top five rows (rows 8..12 from the bottom), above the
 * small letters of the bold font. F is a right-pointing arrow, f a
 * left-pointing one, T and t a bar the full eight pixels wide in the row of
 * the arrows' shafts (row 10). The glyphs are as wide as the advance, so runs
 * of T ended by F, or begun by f, join into one long arrow.
 */
#include "support/text/glyph_art.h"

namespace vestrane::detail {

// ---------------------------------------------------------------------------
// Art
// ---------------------------------------------------------------------------

namespace {

// clang-format off
// T and t are the same bar.
constexpr GlyphRows<arrowRows> barRows = {"........",
                                          "........",
                                          "########",
                                          "........",
                                          "........",
                                          "........",
                                          "........",
                                          "........",
                                          "........",
                                          "........",
                                          "........",
                                          "........",
                                          "........"};

constexpr GlyphArt<arrowRows> arrowArt[] = {
    {'F', {"....#...",
           ".....#..",
           "#######.",
           ".....#..",
           "....#...",
           "........",
           "........",
           "........",
           "........",
           "........",
           "........",
           "........",
           "........"}},
    {'f', {"...#....",
           "..#.....",
           ".#######",
           "..#.....",
           "...#....",
           "........",
           "........",
           "........",
           "........",
           "........",
           "........",
           "........",
           "........"}},
    {'T', barRows},
    {'t', barRows},
};
// clang-format on

}  // namespace

// ---------------------------------------------------------------------------
// Table
// ---------------------------------------------------------------------------

static_assert(rowsAreWellFormed(arrowArt), "arrow art: every glyph needs 13 rows of 8 '.' or '#'");
static_assert(codesAreInRange(arrowArt), "arrow art: codes lie within 32..126");
static_assert(codesAreUnique(arrowArt), "arrow art: no code may be given twice");

constexpr GlyphTable<arrowRows> arrowGlyphs = makeGlyphTable(arrowArt);

}  // namespace vestrane::detail
