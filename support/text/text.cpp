/*
 * text.cpp - printf-style text and lines anchored at a 3-D point of a GLUT
 * window: own-font text through the per-window display lists, text in
 * loaded fonts through the per-window glyph pages, GLUT bitmap text, lines
 * in window pixels, the widths of all of them, and the text scale. The
 * anchor, the one-shot offset and the alignment are applied here, in
 * takeTextShift, for every kind of font.
 *
 * Depends on: OpenGL, GLUT (current window, bitmap fonts),
 * fonts.h (the own fonts' display lists), loaded_fonts.h and
 * glyph_pages.h (loaded fonts), text_scale.h (the automatic scale),
 * bounded_format.h.
 *
 * Every drawing entry works in a window-pixel frame: an orthographic
 * projection of the viewport's window pixels, depth 0 near to 1 far, in
 * which the object point (X, Y, -Z) lands on window pixel (X, Y) at depth
 * Z, so the recorded anchor is used as it is. The matrices, the matrix
 * mode, the depth-test switch and the list base are put back before each
 * entry returns.
 */
#include "support/text/text.h"

#include "support/text/bounded_format.h"
#include "support/text/fonts.h"
#include "support/text/glyph_pages.h"
#include "support/text/loaded_fonts.h"
#include "support/text/text_scale.h"

#include <GL/glut.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

using namespace vestrane::detail;

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

// Where the anchor landed, as GL reports it: window x, y in pixels, window
// depth, and the clip w, which placing text has no use for.
std::array<GLfloat, 4> textAnchor{};
bool anchorValid = false;
// One-shot shift of the next text: right, down, deeper.
std::array<float, 3> textOffset{};
int textAlignment = alignLeft;
void* glutTextFont = GLUT_BITMAP_8_BY_13;
// The latest formatted text, shared by every text entry.
TextBuffer textBuffer{};
// Own-font glyph pixels are drawn as textScale x textScale blocks; loaded
// fonts are rasterised at textScale times their size.
int textScale = 1;
// The latest text laid out in a loaded font.
TextLayout textLayout;

constexpr float glutCharAdvance = 8.0f;
// Centred and right-aligned text has its baseline this far below the anchor.
constexpr float alignedBaselineDrop = 6.0f;

// ---------------------------------------------------------------------------
// Internal helpers
// ---------------------------------------------------------------------------

// Loads the window-pixel projection. It spans the current viewport in
// window pixels, so that pixel (X, Y) stays (X, Y) whatever part of the
// window the viewport covers; asking GLUT for the window's size instead
// would cost a round trip to the X server and misplace text under a
// smaller viewport. An empty viewport still gets a valid projection.
void loadWindowPixelProjection()
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const GLdouble left = viewport[0];
    const GLdouble bottom = viewport[1];
    glOrtho(left, left + std::max(viewport[2], 1), bottom, bottom + std::max(viewport[3], 1), 0.0,
            1.0);
}

// Enters the window-pixel frame with the depth test switched as asked.
void beginWindowDrawing(bool depthTest)
{
    glPushAttrib(GL_TRANSFORM_BIT | GL_DEPTH_BUFFER_BIT | GL_LIST_BIT);
    if (depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    loadWindowPixelProjection();
    glMatrixMode(GL_MODELVIEW);
}

void endWindowDrawing()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

// Where a text starts, from the anchor: right, up, and the window depth
// the text is drawn at.
struct TextShift {
    float dx;
    float dy;
    float depth;
};

// The shift of a text `width` pixels wide whose baseline drops `drop`
// pixels below the anchor when it is centred or right-aligned; uses up the
// one-shot offset.
TextShift takeTextShift(float width, float drop)
{
    TextShift shift{textOffset[0], -textOffset[1], textAnchor[2] + textOffset[2]};
    if (textAlignment == alignCentred || textAlignment == alignRight) {
        shift.dx -= textAlignment == alignCentred ? width / 2.0f : width;
        shift.dy -= drop;
    }
    textOffset = {};
    return shift;
}

// Places the raster position where the text in textBuffer starts, for
// characters counted `advance` pixels wide.
//
// The position is set at the anchor, at the text's depth, and then moved to
// the start: a start outside the window would make the raster position
// invalid and lose the whole text, where moving it keeps the visible part.
// The fourth coordinate is 1, not the anchor's clip w, which would divide
// the pixel position under a perspective anchor.
void placeText(float advance, float drop)
{
    const float width = static_cast<float>(std::strlen(textBuffer.data())) * advance;
    const TextShift shift = takeTextShift(width, drop);
    glRasterPos4f(textAnchor[0], textAnchor[1], -shift.depth, 1.0f);
    glBitmap(0, 0, 0.0f, 0.0f, shift.dx, shift.dy, nullptr);
}

bool isHighByte(char byte)
{
    return static_cast<unsigned char>(byte) > 127;
}

// Calls the list of each byte of textBuffer. A byte above 127 would name a
// list of the next font's block, so the text goes in runs of 7-bit codes
// and such bytes are skipped: they draw nothing and leave the pen still.
void callGlyphLists(GLuint firstList)
{
    glListBase(firstList);
    const char* const text = textBuffer.data();
    const char* const end = text + std::strlen(text);
    for (const char* run = std::find_if_not(text, end, isHighByte); run != end;) {
        const char* const runEnd = std::find_if(run, end, isHighByte);
        glCallLists(static_cast<GLsizei>(runEnd - run), GL_UNSIGNED_BYTE, run);
        run = std::find_if_not(runEnd, end, isHighByte);
    }
}

// Draws textBuffer in a loaded font in `window`: pen and baseline on whole
// pixels (as a bitmap's raster position falls), one texel a pixel. The
// text is laid out only when it will be drawn.
void drawLoadedTextBuffer(int window, int depthFlag, int font)
{
    beginWindowDrawing(depthFlag != 0);
    if (anchorValid)
        layoutText(font, textScale, textBuffer.data(), textLayout);
    const TextShift shift =
        takeTextShift(anchorValid ? static_cast<float>(roundToPixels(textLayout.advance)) : 0.0f,
                      static_cast<float>(loadedCapitalDrop(font, textScale)));
    if (anchorValid)
        drawLayout(window, textLayout, std::floor(textAnchor[0] + shift.dx),
                   std::floor(textAnchor[1] + shift.dy), -shift.depth);
    endWindowDrawing();
}

// Draws textBuffer in an own font or a loaded one. The window's own fonts
// are built first, even when nothing is drawn; a window without fonts draws
// nothing.
void drawTextBuffer(int depthFlag, int font)
{
    const int window = glutGetWindow();
    releaseClosedFacePages(window);
    if (isLoadedFont(font)) {
        drawLoadedTextBuffer(window, depthFlag, font);
        return;
    }
    const GLuint firstList = windowFontListBase(window, font, textScale);
    const auto scale = static_cast<float>(textScale);
    beginWindowDrawing(depthFlag != 0);
    placeText(charAdvance(font) * scale, alignedBaselineDrop * scale);
    if (anchorValid && firstList != 0)
        callGlyphLists(firstList);
    endWindowDrawing();
}

// Draws textBuffer in a GLUT bitmap font. Bytes above 127 are left out:
// they draw nothing and leave the pen still.
void drawGlutTextBuffer(void* font)
{
    beginWindowDrawing(false);
    placeText(glutCharAdvance, alignedBaselineDrop);
    if (anchorValid)
        for (const char* byte = textBuffer.data(); *byte != '\0'; ++byte)
            if (!isHighByte(*byte))
                glutBitmapCharacter(font, static_cast<unsigned char>(*byte));
    endWindowDrawing();
}

void lineVertex(int x, int y)
{
    glVertex4f(textAnchor[0] + static_cast<float>(x), textAnchor[1] - static_cast<float>(y),
               -textAnchor[2], 1.0f);
}

}  // namespace

// ---------------------------------------------------------------------------
// Public functions: settings
// ---------------------------------------------------------------------------

void setTextAnchor(float x, float y, float z)
{
    glRasterPos4f(x, y, z, 1.0f);
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    anchorValid = valid == GL_TRUE;
    glGetFloatv(GL_CURRENT_RASTER_POSITION, textAnchor.data());
}

void setTextOffset(float dx, float dy, float dz)
{
    textOffset = {dx, dy, dz};
}

void setGlutTextStyle(void* font, int alignment)
{
    glutTextFont = font;
    textAlignment = alignment;
}

void setTextAlignment(int alignment)
{
    textAlignment = alignment;
}

void setTextScale(int scale)
{
    if (scale == 0)
        textScale = automaticTextScale();
    else if (scale >= 1 && scale <= maxTextScale)
        textScale = scale;
}

int getTextScale(void)
{
    return textScale;
}

// ---------------------------------------------------------------------------
// Public functions: own-font text
// ---------------------------------------------------------------------------

void drawText(int depthFlag, int font, const char* format, ...)
{
    FORMAT_CALLER_ARGUMENTS(textBuffer, format);
    drawTextBuffer(depthFlag, font);
}

void drawTextInFont(int font, const char* format, ...)
{
    FORMAT_CALLER_ARGUMENTS(textBuffer, format);
    drawTextBuffer(0, font);
}

void drawTextDefault(const char* format, ...)
{
    FORMAT_CALLER_ARGUMENTS(textBuffer, format);
    drawTextBuffer(1, boldFont);
}

// ---------------------------------------------------------------------------
// Public functions: GLUT-font text
// ---------------------------------------------------------------------------

void drawGlutText(void* font, const char* format, ...)
{
    FORMAT_CALLER_ARGUMENTS(textBuffer, format);
    drawGlutTextBuffer(font);
}

void drawGlutTextAt(float x, float y, float z, void* font, const char* format, ...)
{
    setTextAnchor(x, y, z);
    FORMAT_CALLER_ARGUMENTS(textBuffer, format);
    drawGlutTextBuffer(font);
}

void drawGlutTextDefault(const char* format, ...)
{
    FORMAT_CALLER_ARGUMENTS(textBuffer, format);
    drawGlutTextBuffer(glutTextFont);
}

void drawGlutTextDefaultAt(float x, float y, float z, const char* format, ...)
{
    setTextAnchor(x, y, z);
    FORMAT_CALLER_ARGUMENTS(textBuffer, format);
    drawGlutTextBuffer(glutTextFont);
}

// ---------------------------------------------------------------------------
// Public functions: widths
// ---------------------------------------------------------------------------

// Each formats into a buffer of its own, so the shared text and the offset
// stay as they were.

int textWidth(int font, const char* format, ...)
{
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);
    if (layoutText(font, textScale, text.data(), textLayout))
        return roundToPixels(textLayout.advance);
    int width = 0;
    for (const char* byte = text.data(); *byte != '\0'; ++byte)
        width += glyphAdvance(font, static_cast<unsigned char>(*byte));
    return width * textScale;
}

int glutTextWidth(void* font, const char* format, ...)
{
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);
    int width = 0;
    for (const char* byte = text.data(); *byte != '\0'; ++byte)
        if (!isHighByte(*byte))
            width += glutBitmapWidth(font, static_cast<unsigned char>(*byte));
    return width;
}

int fontLineHeight(int font)
{
    if (isLoadedFont(font))
        return loadedLineHeight(font, textScale);
    return cellHeight(font) * textScale;
}

// ---------------------------------------------------------------------------
// Public functions: loaded fonts
// ---------------------------------------------------------------------------

int loadFont(const char* name, float pixelSize)
{
    return openLoadedFont(name, pixelSize);
}

void freeFont(int font)
{
    closeLoadedFont(font);
}

// ---------------------------------------------------------------------------
// Public functions: lines
// ---------------------------------------------------------------------------

void drawWindowLine(int x1, int y1, int x2, int y2)
{
    beginWindowDrawing(false);
    if (anchorValid) {
        glBegin(GL_LINES);
        lineVertex(x1, y1);
        lineVertex(x2, y2);
        glEnd();
    }
    endWindowDrawing();
}
