/*
 * fonts.cpp - the four own bitmap fonts recorded as display lists, one set
 * per window, and the per-window tables of their list blocks.
 *
 * Depends on: OpenGL (display lists, glBitmap), glyphs.h (the glyph tables),
 * text.h (font numbers).
 */
#include "support/text/fonts.h"

#include "support/text/glyphs.h"
#include "support/text/text.h"

#include <cstddef>

namespace text_fonts {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

WindowTable boldFontLists{};
WindowTable smallFontLists{};
WindowTable greekFontLists{};
WindowTable arrowFontLists{};
std::array<int, maxTextWindows> fontsBuilt{};

namespace {

// How one font's glyphs are recorded.
struct BitmapFont {
    const unsigned char* glyphs;
    GLsizei rows;
    float advance;   // every code but f and i
    float advanceF;  // 'f'
    float advanceI;  // 'i'
    WindowTable* lists;
};

// In font-number order, boldFont first.
const std::array<BitmapFont, 4> bitmapFonts = {{
    {boldGlyphs.data(), boldRows, 10.0f, 10.0f, 10.0f, &boldFontLists},
    {smallGlyphs.data(), smallRows, 6.0f, 4.0f, 3.0f, &smallFontLists},
    {greekGlyphs.data(), greekRows, 10.0f, 10.0f, 10.0f, &greekFontLists},
    {arrowGlyphs.data(), arrowRows, 8.0f, 8.0f, 8.0f, &arrowFontLists},
}};

// The glyph's origin: its bottom two rows lie below the baseline.
constexpr float glyphOriginX = 0.0f;
constexpr float glyphOriginY = 2.0f;

// ---------------------------------------------------------------------------
// Internal helpers
// ---------------------------------------------------------------------------

const BitmapFont& fontByNumber(int font)
{
    switch (font) {
    case smallFont: return bitmapFonts[1];
    case greekFont: return bitmapFonts[2];
    case arrowFont: return bitmapFonts[3];
    default: return bitmapFonts[0];
    }
}

float advanceOf(const BitmapFont& font, int code)
{
    if (code == 'f')
        return font.advanceF;
    if (code == 'i')
        return font.advanceI;
    return font.advance;
}

// Glyph rows are read one byte each, from the first bit of the first byte,
// whatever the caller's pixel-store settings are.
void unpackGlyphRows()
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
}

// One list per code that carries a glyph; '~' is left out, like the
// control codes and 127, so those lists stay empty.
void recordFont(const BitmapFont& font, GLuint firstList)
{
    for (int code = firstGlyphCode; code < lastGlyphCode; ++code) {
        const auto glyphStart =
            static_cast<std::size_t>(code - firstGlyphCode) * static_cast<std::size_t>(font.rows);
        glNewList(firstList + static_cast<GLuint>(code), GL_COMPILE);
        glBitmap(static_cast<GLsizei>(glyphWidth), font.rows, glyphOriginX, glyphOriginY,
                 advanceOf(font, code), 0.0f, font.glyphs + glyphStart);
        glEndList();
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

void buildBitmapFonts(int window)
{
    if (!hasFontTables(window))
        return;
    for (const BitmapFont& font : bitmapFonts)
        (*font.lists)[window] = glGenLists(listsPerFont);

    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    unpackGlyphRows();
    for (const BitmapFont& font : bitmapFonts)
        recordFont(font, (*font.lists)[window]);
    glPopClientAttrib();
}

GLuint fontListBase(int window, int font)
{
    return (*fontByNumber(font).lists)[window];
}

float charAdvance(int font)
{
    return fontByNumber(font).advance;
}

}  // namespace text_fonts
