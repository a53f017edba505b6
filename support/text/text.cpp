/*
 * text.cpp - printf-style text and lines anchored at a 3-D point, in any
 * current GL context: the public entries, their settings, and the layout
 * of every kind of text (anchor, offset, alignment and width, applied in
 * takeTextShift), handed to the context's renderer.
 *
 * Depends on: text_context.h (the current context and its resources),
 * render.h (the fixed-function and shader renderers), anchor.h (anchors
 * projected by hand), fonts.h (own-font metrics), loaded_fonts.h (loaded
 * fonts and their layout), glyph_pages.h (whole pixels), glut_platform.h
 * (GLUT bitmap text), text_scale.h (the automatic scale),
 * bounded_format.h.
 *
 * Data flows one way: a text is formatted, its font number resolved once
 * to an own font or a loaded one, which measures it; the shift from the
 * anchor is worked out once for every kind; the renderer of the current
 * context draws it.
 */
#include "support/text/text.h"

#include "support/text/anchor.h"
#include "support/text/bounded_format.h"
#include "support/text/fonts.h"
#include "support/text/glut_platform.h"
#include "support/text/glyph_pages.h"
#include "support/text/loaded_fonts.h"
#include "support/text/render.h"
#include "support/text/text_context.h"
#include "support/text/text_scale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

using namespace vestrane::detail;

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

// Where the anchor landed: window x, y in pixels, window depth, clip w.
Anchor textAnchor;
// One-shot shift of the next text: right, down, deeper.
std::array<float, 3> textOffset{};
int textAlignment = alignLeft;
void* glutTextFont = nullptr;  // null: GLUT_BITMAP_8_BY_13
// The latest formatted text, shared by every text entry.
TextBuffer textBuffer{};
// Own-font glyph pixels are drawn as textScale x textScale blocks; loaded
// fonts are rasterised at textScale times their size.
int textScale = 1;
// The latest text laid out in a loaded font.
TextLayout textLayout;
// The caller's matrix from anchor to clip coordinates, when set.
std::array<float, 16> textMatrix{};
bool textMatrixSet = false;
// The caller's colour of text and lines, when set.
std::array<float, 4> textColor{};
bool textColorSet = false;
// The halo drawn under text; width 0: none.
Halo textHalo;
constexpr float widestHalo = 16.0f;

constexpr std::array<float, 16> identityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr float glutCharAdvance = 8.0f;
// Centred and right-aligned text has its baseline this far below the anchor.
constexpr float alignedBaselineDrop = 6.0f;

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

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
    TextShift shift{textOffset[0], -textOffset[1], textAnchor.position[2] + textOffset[2]};
    if (textAlignment == alignCentred || textAlignment == alignRight) {
        shift.dx -= textAlignment == alignCentred ? width / 2.0f : width;
        shift.dy -= drop;
    }
    textOffset = {};
    return shift;
}

// Where a bitmap text shifted so from the anchor starts.
RasterStart rasterStart(const TextShift& shift)
{
    return {textAnchor.position[0], textAnchor.position[1], shift.depth, shift.dx, shift.dy};
}

bool drawsWithShaders(const TextContext* context)
{
    return context != nullptr && context->kind.renderer == Renderer::shader;
}

// The colour and depth test of a drawing: the caller's colour when set; in
// a core or ES context, which has no current colour, opaque white; else
// GL's current colour, read (`recorded`) when the drawing is recorded for
// a batch, and left to GL when it is drawn at the raster position.
DrawStyle drawStyle(const TextContext* context, bool depthTest, bool recorded)
{
    DrawStyle style;
    style.depthTest = depthTest;
    if (textColorSet) {
        style.color = textColor;
        style.ownColor = true;
    } else if (drawsWithShaders(context)) {
        style.ownColor = true;
    } else if (recorded) {
        style.color = fixedCurrentColor();
    }
    return style;
}

// Draws what the context's batch holds, unless a batch is open there.
void drawUnlessBatching(TextContext& context)
{
    if (context.batch.open)
        return;
    if (drawsWithShaders(&context))
        shaderDrawBatch(context);
    else
        fixedDrawBatch(context);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

// Moves each line of a centred or right-aligned text in a loaded font to
// the whole pixel where a text of that line alone would start: the text
// starts at `start` (`x` floored) as wide as its widest line.
void alignLines(TextLayout& layout, float start, float x)
{
    const int widest = roundToPixels(layout.advance);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const int room = widest - roundToPixels(layout.lines[i].advance);
        const float lineStart = std::floor(
            start + static_cast<float>(room) * (textAlignment == alignCentred ? 0.5f : 1.0f));
        const auto shift = static_cast<std::int64_t>(lineStart - x) * 64;
        const std::size_t end =
            i + 1 < layout.lines.size() ? layout.lines[i + 1].firstGlyph : layout.glyphs.size();
        for (std::size_t glyph = layout.lines[i].firstGlyph; glyph < end; ++glyph)
            layout.glyphs[glyph].x += shift;
    }
}

// Text in a loaded font: pen and baseline on whole pixels (as a bitmap's
// raster position falls), one texel a pixel. The text is laid out only
// when it will be drawn.
void drawLoadedTextBuffer(TextContext* context, bool depthTest, int font)
{
    const bool visible = textAnchor.valid && context != nullptr;
    if (visible)
        layoutText(font, textScale, textBuffer.data(), textLayout);
    const TextShift shift =
        takeTextShift(visible ? static_cast<float>(roundToPixels(textLayout.advance)) : 0.0f,
                      static_cast<float>(loadedCapitalDrop(font, textScale)));
    if (!visible)
        return;
    const float x = std::floor(textAnchor.position[0] + shift.dx);
    const float baseline = std::floor(textAnchor.position[1] + shift.dy);
    if (textLayout.lines.size() > 1 &&
        (textAlignment == alignCentred || textAlignment == alignRight))
        alignLines(textLayout, textAnchor.position[0] + shift.dx, x);
    try {
        recordLoadedText(context->batch, context->atlas, textLayout, x, baseline, shift.depth,
                         drawStyle(context, depthTest, true), textHalo, textScale);
    } catch (const std::bad_alloc&) {
        // No memory for a page or the batch: the text is left out.
    }
    drawUnlessBatching(*context);
}

// Draws textBuffer in an own font or a loaded one. In a compatibility
// context, outside a batch, own fonts are drawn as display lists (built
// first, even when nothing is drawn) over the halo's quads.
void drawTextBuffer(int depthFlag, int font)
{
    TextContext* const context = currentTextContext();
    if (isLoadedFont(font)) {
        drawLoadedTextBuffer(context, depthFlag != 0, font);
        return;
    }
    const auto scale = static_cast<float>(textScale);
    const char* const bytes = textBuffer.data();
    const std::size_t length = std::strlen(bytes);
    const auto characters =
        length - static_cast<std::size_t>(std::count(bytes, bytes + length, '\n'));
    const float width = static_cast<float>(characters) * charAdvance(font) * scale;
    const TextShift shift = takeTextShift(width, alignedBaselineDrop * scale);
    if (context == nullptr)
        return;
    const OwnText text{textBuffer.data(), font, textScale, rasterStart(shift)};
    const bool lists = !drawsWithShaders(context) && !context->batch.open;
    const DrawStyle style = drawStyle(context, depthFlag != 0, !lists);
    try {
        if (textAnchor.valid)
            recordOwnText(context->batch, context->atlas, text, style, textHalo, lists);
    } catch (const std::bad_alloc&) {
        // No memory for a page or the batch: the text is left out.
    }
    drawUnlessBatching(*context);
    if (lists)
        fixedDrawOwnText(*context, text, style, textAnchor.valid);
}

// Draws textBuffer in a GLUT bitmap font: only under GLUT, in a
// compatibility context.
void drawGlutTextBuffer(void* font)
{
    const float width = static_cast<float>(std::strlen(textBuffer.data())) * glutCharAdvance;
    const TextShift shift = takeTextShift(width, alignedBaselineDrop);
    TextContext* const context = currentTextContext();
    if (!glutReady() || context == nullptr || drawsWithShaders(context))
        return;
    fixedDrawGlutText(font, textBuffer.data(), rasterStart(shift), drawStyle(context, false, false),
                      textAnchor.valid);
}

}  // namespace

// ---------------------------------------------------------------------------
// Public functions: settings
// ---------------------------------------------------------------------------

void setTextAnchor(float x, float y, float z)
{
    const TextContext* const context = currentTextContext();
    if (context == nullptr) {
        textAnchor = Anchor{};
        return;
    }
    if (!textMatrixSet && !drawsWithShaders(context)) {
        textAnchor = fixedRasterAnchor(x, y, z);
        return;
    }
    std::array<int, 4> viewport{};
    std::array<float, 2> depthRange{};
    currentViewport(viewport, depthRange);
    textAnchor =
        projectAnchor(textMatrixSet ? textMatrix : identityMatrix, viewport, depthRange, x, y, z);
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

void setTextMatrix(const float matrix[16])
{
    if (matrix == nullptr) {
        textMatrixSet = false;
    } else if (allFinite(matrix, 16)) {
        std::memcpy(textMatrix.data(), matrix, sizeof textMatrix);
        textMatrixSet = true;
    }
}

void setTextColor(const Color* color)
{
    if (color == nullptr) {
        textColorSet = false;
    } else if (allFinite(color, 4)) {
        std::memcpy(textColor.data(), color, sizeof textColor);
        textColorSet = true;
    }
}

void setTextHalo(float width, const Color* color)
{
    if (!std::isfinite(width) || width < 0.0f || width > widestHalo)
        return;
    if (width == 0.0f || color == nullptr) {
        textHalo = Halo{};
    } else if (allFinite(color, 4)) {
        textHalo.width = width;
        std::memcpy(textHalo.color.data(), color, sizeof textHalo.color);
    }
}

void beginTextBatch(void)
{
    if (TextContext* const context = currentTextContext())
        context->batch.open = true;
}

void endTextBatch(void)
{
    TextContext* const context = currentTextContext();
    if (context == nullptr || !context->batch.open)
        return;
    context->batch.open = false;
    drawUnlessBatching(*context);
}

void releaseTextContext(void)
{
    releaseCurrentTextContext([](TextContext& context) {
        if (drawsWithShaders(&context))
            shaderRelease(context);
        else
            fixedRelease(context);
    });
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
// Public functions: own-font and loaded-font text
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

int textHeight(int font, const char* format, ...)
{
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);
    if (!isLoadedFont(font))
        return fontLineHeight(font);
    const char* const bytes = text.data();
    const auto lines = 1 + std::count(bytes, bytes + std::strlen(bytes), '\n');
    return static_cast<int>(lines) * fontLineHeight(font);
}

int glutTextWidth(void* font, const char* format, ...)
{
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);
    return glutCharactersWidth(font, text.data());
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
    TextContext* const context = currentTextContext();
    if (context == nullptr || !textAnchor.valid)
        return;
    const auto& [x, y, depth, w] = textAnchor.position;
    const std::array<float, 3> from{x + static_cast<float>(x1), y - static_cast<float>(y1), depth};
    const std::array<float, 3> to{x + static_cast<float>(x2), y - static_cast<float>(y2), depth};
    try {
        recordLine(context->batch, from, to, drawStyle(context, false, true));
    } catch (const std::bad_alloc&) {
        // No memory for the batch: the line is left out.
    }
    drawUnlessBatching(*context);
}
