/*
 * fonts.cpp - the four own bitmap fonts recorded as display lists, one set
 * per window and text scale, and the per-window tables of their list blocks.
 *
 * Depends on: OpenGL (display lists, glBitmap), gl_state.h (the unpack
 * settings saved and put back), glyphs.h (the glyph tables), text_scale.h
 * (the largest scale), support/common.h (WindowId).
 */
#include "support/text/fonts.h"

#include "support/gl_state.h"
#include "support/text/glyphs.h"
#include "support/text/text_scale.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <new>
#include <vector>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

// The fonts of one window, per scale (index scale - 1): one run of 4 x 128
// list names each, the fonts' blocks in font-table order.
struct WindowFonts {
    std::array<GLuint, maxTextScale> firstList{};  // 0: not built, or GL gave no names
    std::array<bool, maxTextScale> built{};
};

// Indexed by window identifier; grows to the highest identifier that has
// drawn own-font text.
std::vector<WindowFonts> fontTables;

// How one font's glyphs are recorded.
struct BitmapFont {
    const unsigned char* glyphs;
    GLsizei rows;
    int advance;   // every code but f and i
    int advanceF;  // 'f'
    int advanceI;  // 'i'
};

// Indexed by font number - 1: 1 bold, 2 small, 3 Greek, 4 arrows.
const std::array<BitmapFont, 4> bitmapFonts = {{
    {boldGlyphs.data(), boldRows, 10, 10, 10},
    {smallGlyphs.data(), smallRows, 6, 4, 3},
    {greekGlyphs.data(), greekRows, 10, 10, 10},
    {arrowGlyphs.data(), arrowRows, 8, 8, 8},
}};

// The glyph's origin, in glyph pixels: its bottom two rows lie below the
// baseline.
constexpr float glyphOriginX = 0.0f;
constexpr float glyphOriginY = 2.0f;

// Room for the largest glyph at the largest scale: every row `scale` times,
// `scale` bytes each.
constexpr std::size_t maxGlyphRows = std::max({boldRows, smallRows, greekRows, arrowRows});
using ScaledGlyph = std::array<unsigned char, maxGlyphRows * maxTextScale * maxTextScale>;

// ---------------------------------------------------------------------------
// Internal helpers
// ---------------------------------------------------------------------------

// Any number but 2, 3 and 4 is the bold font.
std::size_t fontIndex(int font)
{
    return font >= 2 && font <= 4 ? static_cast<std::size_t>(font - 1) : 0;
}

// '~' is left out, like the control codes and 127: their lists stay empty.
bool hasGlyph(int code)
{
    return code >= firstGlyphCode && code < lastGlyphCode;
}

int advanceOf(const BitmapFont& font, int code)
{
    if (!hasGlyph(code))
        return 0;
    if (code == 'f')
        return font.advanceF;
    if (code == 'i')
        return font.advanceI;
    return font.advance;
}

// Glyph rows are read one byte each, from the first bit of the first byte,
// whatever the caller's pixel-store settings are.
constexpr StoreSetting glyphUnpackSettings[] = {{GL_UNPACK_ALIGNMENT, 1},
                                                {GL_UNPACK_ROW_LENGTH, 0},
                                                {GL_UNPACK_SKIP_ROWS, 0},
                                                {GL_UNPACK_SKIP_PIXELS, 0},
                                                {GL_UNPACK_LSB_FIRST, GL_FALSE}};

// Writes the glyph of `rows` rows with every pixel grown into a scale x
// scale block: each row becomes `scale` rows of `scale` bytes. At scale 1
// the bytes are the glyph's own.
void growGlyph(const unsigned char* glyph, std::size_t rows, int scale, ScaledGlyph& grown)
{
    const auto rowBytes = static_cast<std::size_t>(scale);
    const int grownWidth = static_cast<int>(glyphWidth) * scale;
    unsigned char* row = grown.data();
    for (std::size_t source = 0; source < rows; ++source) {
        std::fill(row, row + rowBytes, 0);
        for (int x = 0; x < grownWidth; ++x)
            if ((glyph[source] >> (7 - x / scale) & 1U) != 0)
                row[x / 8] |= static_cast<unsigned char>(0x80U >> (x % 8));
        for (int copy = 1; copy < scale; ++copy)
            std::copy(row, row + rowBytes, row + rowBytes * static_cast<std::size_t>(copy));
        row += rowBytes * rowBytes;
    }
}

// One list per code that carries a glyph, every size and advance times
// `scale`.
void recordFont(const BitmapFont& font, GLuint firstList, int scale)
{
    const auto size = static_cast<float>(scale);
    ScaledGlyph grown{};
    for (int code = 0; code < listsPerFont; ++code) {
        if (!hasGlyph(code))
            continue;
        const auto glyphStart =
            static_cast<std::size_t>(code - firstGlyphCode) * static_cast<std::size_t>(font.rows);
        growGlyph(font.glyphs + glyphStart, static_cast<std::size_t>(font.rows), scale, grown);
        glNewList(firstList + static_cast<GLuint>(code), GL_COMPILE);
        glBitmap(static_cast<GLsizei>(glyphWidth) * scale, font.rows * scale, glyphOriginX * size,
                 glyphOriginY * size, static_cast<float>(advanceOf(font, code)) * size, 0.0f,
                 grown.data());
        glEndList();
    }
}

// Records the four fonts at `scale` in the current GL context; returns the
// first name.
GLuint buildBitmapFonts(int scale)
{
    const GLuint firstList = glGenLists(static_cast<GLsizei>(bitmapFonts.size()) * listsPerFont);
    if (firstList == 0)
        return 0;
    const auto unpack = setPixelSettings(glyphUnpackSettings);
    GLuint block = firstList;
    for (const BitmapFont& font : bitmapFonts) {
        recordFont(font, block, scale);
        block += static_cast<GLuint>(listsPerFont);
    }
    putBack(unpack);
    return firstList;
}

// The window's entry, the tables grown to hold it; null when they cannot.
WindowFonts* fontTableOf(WindowId window)
{
    if (window < 0)
        return nullptr;
    const auto index = static_cast<std::size_t>(window);
    if (index < fontTables.size())
        return &fontTables[index];
    try {
        fontTables.resize(index + 1);
    } catch (const std::bad_alloc&) {
        return nullptr;  // resize left the tables as they were
    }
    return &fontTables.back();  // the window's entry is the last one now
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

GLuint windowFontListBase(WindowId window, int font, int scale)
{
    if (scale < 1 || scale > maxTextScale)
        return 0;
    WindowFonts* const fonts = fontTableOf(window);
    if (fonts == nullptr)
        return 0;
    const auto index = static_cast<std::size_t>(scale - 1);
    if (!fonts->built[index]) {
        fonts->built[index] = true;
        fonts->firstList[index] = buildBitmapFonts(scale);
    }
    if (fonts->firstList[index] == 0)
        return 0;
    return fonts->firstList[index] + static_cast<GLuint>(fontIndex(font)) * listsPerFont;
}

int glyphAdvance(int font, unsigned char code)
{
    return advanceOf(bitmapFonts[fontIndex(font)], code);
}

float charAdvance(int font)
{
    return static_cast<float>(bitmapFonts[fontIndex(font)].advance);
}

int cellHeight(int font)
{
    return static_cast<int>(bitmapFonts[fontIndex(font)].rows);
}

}  // namespace vestrane::detail
