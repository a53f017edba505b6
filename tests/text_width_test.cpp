/*
 * text_width_test.cpp - the measured widths of own-font, GLUT-font and
 * stroke text against what the drawing entries put on the screen, and
 * measuring leaving the text state alone.
 *
 * Depends on: support/text/text.h, the harness, GoogleTest.
 */
#include "support/text/text.h"
#include "tests/text_testing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr float anchorX = 20.0f;
constexpr float baselineY = 40.0f;

// Narrow f and i, a control code, '~' and a high byte among full-width
// characters.
constexpr char mixedText[] = "Aa fi1(\x01~\xe9T";
const int allFonts[] = {boldFont, smallFont, greekFont, arrowFont};

/* The picture of `draw` on black, from an anchor at (x, baselineY). */
Image drawnFrom(float x, const std::function<void()>& draw)
{
    clearToBlack();
    setTextAnchor(x, baselineY, 0.0f);
    draw();
    return backBuffer();
}

/* Drawing `text` then, shifted by `width`, the marker must give the
 * picture of text and marker drawn as one. */
void expectMarkerFollows(const std::function<void(const char*)>& draw, const char* text,
                         float width, const char* marker)
{
    const Image whole = drawnFrom(anchorX, [&] { draw((std::string(text) + marker).c_str()); });
    const Image alone = drawnFrom(anchorX, [&] { draw(text); });
    const Image split = drawnFrom(anchorX, [&] {
        draw(text);
        setTextOffset(width, 0.0f, 0.0f);
        draw(marker);
    });
    EXPECT_GT(litPixels(whole), litPixels(alone)) << "the marker draws";
    EXPECT_EQ(differingPixels(split, whole), 0) << "width " << width;
}

}  // namespace

TEST(TextWidth, OwnFontWidthIsHowFarDrawTextMovesThePen)
{
    const int window = openTextWindow("own-font widths");
    EXPECT_EQ(textWidth(boldFont, "%s", mixedText), 80);
    EXPECT_EQ(textWidth(smallFont, "%s", mixedText), 43) << "f 4 and i 3 pixels";
    EXPECT_EQ(textWidth(greekFont, "%s", mixedText), 80) << "f and i as wide as the rest";
    EXPECT_EQ(textWidth(arrowFont, "%s", mixedText), 64);
    EXPECT_EQ(textWidth(7, "%d", 42), 20) << "any other number is boldFont";
    for (int font : allFonts) {
        SCOPED_TRACE("font " + std::to_string(font));
        const auto draw = [font](const char* text) { drawText(0, font, "%s", text); };
        const int width = textWidth(font, "%s", mixedText);
        drawnFrom(anchorX, [&] { draw(mixedText); });
        EXPECT_NEAR(rasterPosition()[0], anchorX + static_cast<float>(width), 0.01f);
        expectMarkerFollows(draw, mixedText, static_cast<float>(width), "f");
    }

    // Placed left of the anchor by its measured width, text ends at the
    // anchor: the last columns of small 'f' and of the arrow bar are inked.
    setTextAlignment(alignLeft);
    for (int font : {smallFont, arrowFont}) {
        const char* text = font == smallFont ? "if" : "fTTT";
        const Image shot = drawnFrom(150.0f, [&] {
            setTextOffset(-static_cast<float>(textWidth(font, "%s", text)), 0.0f, 0.0f);
            drawTextInFont(font, "%s", text);
        });
        EXPECT_EQ(inkSpan(shot).right, 149) << text;
    }
    closeTestWindow(window);
}

TEST(TextWidth, GlutWidthIsHowFarDrawGlutTextMovesThePen)
{
    const int window = openTextWindow("GLUT widths");
    for (void* font : {GLUT_BITMAP_8_BY_13, GLUT_BITMAP_HELVETICA_12}) {
        const auto draw = [font](const char* text) { drawGlutText(font, "%s", text); };
        const int width = glutTextWidth(font, "%s", mixedText);
        expectMarkerFollows(draw, mixedText, static_cast<float>(width), "M");
        EXPECT_EQ(glutTextWidth(font, "Wil %d", 7),
                  glutBitmapLength(font, reinterpret_cast<const unsigned char*>("Wil 7")));
        EXPECT_EQ(glutTextWidth(font, "\xe9\xff"), 0) << "high bytes are not drawn";
    }
    EXPECT_EQ(glutTextWidth(GLUT_BITMAP_8_BY_13, "%s", mixedText), 8 * 10);
    closeTestWindow(window);
}

TEST(TextWidth, StrokeWidthIsHowFarDrawStrokeTextMovesThePen)
{
    const int window = openTextWindow("stroke widths", 400, 200);
    for (float spacing : {0.0f, 15.0f}) {
        setStrokeSpacing(spacing);
        for (float size : {100.0f, 200.0f}) {
            SCOPED_TRACE("size " + std::to_string(size) + " spacing " + std::to_string(spacing));
            const float width = strokeTextWidth(size, "Wi%c", ',');
            const auto draw = [size](float x, const char* text) {
                drawStrokeText(x, baselineY, size, "%s", text);
            };
            const InkSpan text = inkSpan(drawnFrom(0, [&] { draw(anchorX, "Wi,"); }));
            const InkSpan whole = inkSpan(drawnFrom(0, [&] { draw(anchorX, "Wi,l"); }));
            const InkSpan split = inkSpan(drawnFrom(0, [&] {
                draw(anchorX, "Wi,");
                draw(anchorX + width, "l");
            }));
            EXPECT_GE(static_cast<float>(text.left), anchorX - 1.0f);
            EXPECT_LE(static_cast<float>(text.right), anchorX + width + 1.0f);
            EXPECT_EQ(split.left, whole.left);
            EXPECT_NEAR(split.right, whole.right, 1);
        }
    }
    setStrokeBold(1);
    EXPECT_EQ(strokeTextWidth(200, "l"), glutStrokeWidthf(GLUT_STROKE_ROMAN, 'l') + 15.0f)
        << "size 200 counts in font units; bold changes nothing";
    setStrokeBold(0);
    setStrokeSpacing(0.0f);
    closeTestWindow(window);
}

TEST(TextWidth, MeasuringLeavesAnchorOffsetAndGlStateAloneAndNeedsNoWindow)
{
    const int window = openTextWindow("measuring");
    const std::string overlong(2500, 'A');
    const auto measureAll = [&] {
        EXPECT_EQ(textWidth(boldFont, "%s", overlong.c_str()), 1999 * 10) << "cut at 1999";
        EXPECT_EQ(glutTextWidth(GLUT_BITMAP_8_BY_13, "%s", overlong.c_str()), 1999 * 8);
        const float a = glutStrokeWidthf(GLUT_STROKE_ROMAN, 'A');
        EXPECT_NEAR(strokeTextWidth(200, "%s", overlong.c_str()), 1999 * a, a / 2);
    };
    const Image plain = drawnFrom(anchorX, [] {
        setTextOffset(7.0f, 3.0f, 0.0f);
        drawText(0, boldFont, "AB");
        drawGlutText(GLUT_BITMAP_8_BY_13, "AB");
    });
    const Image measured = drawnFrom(anchorX, [&] {
        setTextOffset(7.0f, 3.0f, 0.0f);
        const auto raster = rasterPosition();
        measureAll();
        EXPECT_EQ(rasterPosition(), raster);
        drawText(0, boldFont, "AB");
        drawGlutText(GLUT_BITMAP_8_BY_13, "AB");
    });
    EXPECT_EQ(differingPixels(measured, plain), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    closeTestWindow(window);
    ASSERT_EQ(glutGetWindow(), 0);
    measureAll();
}
