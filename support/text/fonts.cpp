/*
 * fonts.cpp - the four own bitmap fonts recorded as display lists, one set
 * per window, and the per-window tables of their list blocks.
 *
 * Depends on: OpenGL (display lists, glBitmap), glyphs.h (the glyph tables),
 * support/common.h (WindowId).
 */
#include "support/text/fonts.h"

#include "support/text/glyphs.h"

#include <array>
#include <cstddef>
#include <new>
#include <vector>

namespace text_fonts {

namespace {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

// The fonts of one window: one run of 4 x 128 list names, the fonts' blocks
// in font-table order.
struct WindowFonts {
    GLuint firstList = 0;  // 0: not built, or GL gave no names
    bool built = false;
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

// The glyph's origin: its bottom two rows lie below the baseline.
constexpr float glyphOriginX = 0.0f;
constexpr float glyphOriginY = 2.0f;

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
void unpackGlyphRows()
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
}

// One list per code that carries a glyph.
void recordFont(const BitmapFont& font, GLuint firstList)
{
    for (int code = 0; code < listsPerFont; ++code) {
        if (!hasGlyph(code))
            continue;
        const auto glyphStart =
            static_cast<std::size_t>(code - firstGlyphCode) * static_cast<std::size_t>(font.rows);
        glNewList(firstList + static_cast<GLuint>(code), GL_COMPILE);
        glBitmap(static_cast<GLsizei>(glyphWidth), font.rows, glyphOriginX, glyphOriginY,
                 static_cast<float>(advanceOf(font, code)), 0.0f, font.glyphs + glyphStart);
        glEndList();
    }
}

// Records the four fonts in the current GL context; returns the first name.
GLuint buildBitmapFonts()
{
    const GLuint firstList = glGenLists(static_cast<GLsizei>(bitmapFonts.size()) * listsPerFont);
    if (firstList == 0)
        return 0;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    unpackGlyphRows();
    GLuint block = firstList;
    for (const BitmapFont& font : bitmapFonts) {
        recordFont(font, block);
        block += static_cast<GLuint>(listsPerFont);
    }
    glPopClientAttrib();
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

GLuint windowFontListBase(WindowId window, int font)
{
    WindowFonts* const fonts = fontTableOf(window);
    if (fonts == nullptr)
        return 0;
    if (!fonts->built) {
        fonts->built = true;
        fonts->firstList = buildBitmapFonts();
    }
    if (fonts->firstList == 0)
        return 0;
    return fonts->firstList + static_cast<GLuint>(fontIndex(font)) * listsPerFont;
}

int glyphAdvance(int font, unsigned char code)
{
    return advanceOf(bitmapFonts[fontIndex(font)], code);
}

float charAdvance(int font)
{
    return static_cast<float>(bitmapFonts[fontIndex(font)].advance);
}

}  // namespace text_fonts
