/*
 * fonts.cpp - the four own bitmap fonts: advances, cells, and the glyphs
 * grown to a text scale for display lists and glyph pages.
 *
 * Depends on: glyphs.h (the glyph tables), text_scale.h. No GL.
 */
#include "support/text/fonts.h"

#include <algorithm>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// The fonts
// ---------------------------------------------------------------------------

struct BitmapFont {
    const unsigned char* glyphs;
    int rows;
    int advance;   // every code but f and i
    int advanceF;  // 'f'
    int advanceI;  // 'i'
};

// Indexed by font number - 1: 1 bold, 2 small, 3 Greek, 4 arrows.
const std::array<BitmapFont, ownFontCount> bitmapFonts = {{
    {boldGlyphs.data(), static_cast<int>(boldRows), 10, 10, 10},
    {smallGlyphs.data(), static_cast<int>(smallRows), 6, 4, 3},
    {greekGlyphs.data(), static_cast<int>(greekRows), 10, 10, 10},
    {arrowGlyphs.data(), static_cast<int>(arrowRows), 8, 8, 8},
}};

static_assert(std::max({boldRows, smallRows, greekRows, arrowRows}) == ownCellRows);

int advanceOf(const BitmapFont& font, int code)
{
    if (!hasOwnGlyph(code))
        return 0;
    if (code == 'f')
        return font.advanceF;
    if (code == 'i')
        return font.advanceI;
    return font.advance;
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

int ownFontIndex(int font)
{
    return font >= 2 && font <= 4 ? font - 1 : 0;
}

// '~' is left out, like the control codes and 127.
bool hasOwnGlyph(int code)
{
    return code >= firstGlyphCode && code < lastGlyphCode;
}

int glyphAdvance(int font, unsigned char code)
{
    return advanceOf(bitmapFonts[static_cast<std::size_t>(ownFontIndex(font))], code);
}

float charAdvance(int font)
{
    return static_cast<float>(bitmapFonts[static_cast<std::size_t>(ownFontIndex(font))].advance);
}

int cellHeight(int font)
{
    return bitmapFonts[static_cast<std::size_t>(ownFontIndex(font))].rows;
}

int scaledGlyph(int fontIndex, int code, int scale, ScaledGlyph& grown)
{
    const BitmapFont& font = bitmapFonts[static_cast<std::size_t>(fontIndex)];
    const unsigned char* glyph = font.glyphs + static_cast<std::size_t>(code - firstGlyphCode) *
                                                   static_cast<std::size_t>(font.rows);
    const auto rowBytes = static_cast<std::size_t>(scale);
    const int grownWidth = static_cast<int>(glyphWidth) * scale;
    unsigned char* row = grown.data();
    for (int source = 0; source < font.rows; ++source) {
        std::fill(row, row + rowBytes, 0);
        for (int x = 0; x < grownWidth; ++x)
            if ((glyph[source] >> (7 - x / scale) & 1U) != 0)
                row[x / 8] |= static_cast<unsigned char>(0x80U >> (x % 8));
        for (int copy = 1; copy < scale; ++copy)
            std::copy(row, row + rowBytes, row + rowBytes * static_cast<std::size_t>(copy));
        row += rowBytes * rowBytes;
    }
    return font.rows * scale;
}

namespace {

// How much ink lies before each byte of a line, kept from one line to the
// next.
std::vector<int> inkBefore;

// Grows each run of ink along one line of `count` bytes `stride` apart by
// `halo` bytes either way.
void growLine(unsigned char* line, std::ptrdiff_t stride, int count, int halo)
{
    std::vector<int>& scratch = inkBefore;
    scratch.assign(static_cast<std::size_t>(count) + 1, 0);
    for (int i = 0; i < count; ++i)  // ink before i
        scratch[static_cast<std::size_t>(i) + 1] =
            scratch[static_cast<std::size_t>(i)] + (line[i * stride] != 0 ? 1 : 0);
    for (int i = 0; i < count; ++i) {
        const int from = std::max(i - halo, 0);
        const int to = std::min(i + halo + 1, count);
        line[i * stride] =
            scratch[static_cast<std::size_t>(to)] != scratch[static_cast<std::size_t>(from)] ? 255
                                                                                             : 0;
    }
}

}  // namespace

int ownGlyphCoverage(int fontIndex, int code, int scale, int halo,
                     std::vector<unsigned char>& texels, int& rows)
{
    ScaledGlyph grown{};
    const int glyphRows = scaledGlyph(fontIndex, code, scale, grown);
    const int glyphColumns = static_cast<int>(glyphWidth) * scale;
    const int width = glyphColumns + 2 * halo;
    rows = glyphRows + 2 * halo;
    texels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows), 0);
    for (int y = 0; y < glyphRows; ++y) {  // bottom up
        const unsigned char* bits = grown.data() + static_cast<std::ptrdiff_t>(y) * scale;
        unsigned char* row =
            texels.data() + static_cast<std::ptrdiff_t>(rows - 1 - halo - y) * width + halo;
        for (int x = 0; x < glyphColumns; ++x)
            row[x] = (bits[x / 8] >> (7 - x % 8) & 1U) != 0 ? 255 : 0;
    }
    if (halo > 0) {
        for (int y = 0; y < rows; ++y)
            growLine(texels.data() + static_cast<std::ptrdiff_t>(y) * width, 1, width, halo);
        for (int x = 0; x < width; ++x)
            growLine(texels.data() + x, width, rows, halo);
    }
    return width;
}

}  // namespace vestrane::detail
