/*
 * text_fonts_test.cpp - the own bitmap fonts as drawn through drawText in
 * real GLUT windows: glyph pixels, advances, codes that draw nothing, and
 * the display lists each window gets.
 *
 * Depends on: support/text/text.h, the harness, GoogleTest.
 */
#include "support/text/text.h"
#include "tests/text_testing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

constexpr float anchorX = 20.0f;
constexpr float baselineY = 30.0f;
constexpr int fontLists = 4 * 128;

struct GlyphCase {
    int font;
    char code;
    std::vector<unsigned> rows;  // bottom row first
    float advance;
};

const std::vector<unsigned> boldA = {0x00, 0x00, 0xc3, 0xc3, 0xc3, 0xc3, 0xff,
                                     0xc3, 0xc3, 0xc3, 0x66, 0x3c, 0x18};
const std::vector<unsigned> arrowBar = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0, 0};

const GlyphCase tellingGlyphs[] = {
    {boldFont, 'A', boldA, 10},
    {boldFont, 'g', {0x7e, 0xc3, 0x03, 0x03, 0x7f, 0xc3, 0xc3, 0xc3, 0x7e, 0, 0, 0, 0}, 10},
    {smallFont, 'a', {0x00, 0x34, 0x48, 0x48, 0x38, 0x08, 0x30, 0x00, 0x00, 0x00}, 6},
    {smallFont, 'f', {0x00, 0x40, 0x40, 0x40, 0x70, 0x40, 0x40, 0x30, 0x00, 0x00}, 4},
    {smallFont, 'i', {0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x00, 0x40, 0x00, 0x00}, 3},
    {greekFont, 'A', boldA, 10},
    {greekFont, 'a', {0x00, 0x72, 0x8a, 0x84, 0x84, 0x8a, 0x4a, 0x30, 0, 0, 0, 0, 0}, 10},
    {arrowFont, 'F', {0, 0, 0, 0, 0, 0, 0, 0, 0x08, 0x04, 0xfe, 0x04, 0x08}, 8},
    {arrowFont, 'f', {0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x20, 0x7f, 0x20, 0x10}, 8},
    {arrowFont, 'T', arrowBar, 8},
    {arrowFont, 't', arrowBar, 8},
};

const int allFonts[] = {boldFont, smallFont, greekFont, arrowFont};

/* Differences between the picture and one glyph drawn with its origin at
 * (x, baseline): the glyph's bottom two rows lie below the baseline, and
 * nothing else may be lit. Empty when they agree. */
std::string glyphDifferences(const Image& image, const std::vector<unsigned>& rows, int x,
                             int baseline)
{
    std::ostringstream differences;
    int expectedLit = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < 8; ++column) {
            const bool set = (rows[row] >> (7 - column) & 1U) != 0;
            expectedLit += set ? 1 : 0;
            const int y = baseline - 2 + static_cast<int>(row);
            if (isLit(image, x + column, y) != set)
                differences << " (" << x + column << "," << y << ")";
        }
    }
    if (litPixels(image) != expectedLit)
        differences << " and " << litPixels(image) - expectedLit << " pixels outside the cell";
    return differences.str();
}

/* Draws `text` left-aligned at the anchor in `font` on a black picture;
 * returns how far the raster position moved along the baseline, to the
 * hundredth of a pixel (the projection leaves tiny rounding errors). */
float drawAtAnchor(int font, const char* text)
{
    clearToBlack();
    setTextAnchor(anchorX, baselineY, 0.0f);
    drawText(0, font, "%s", text);
    const auto end = rasterPosition();
    EXPECT_NEAR(end[1], baselineY, 0.01f) << "the pen stays on the baseline";
    return std::round((end[0] - anchorX) * 100.0f) / 100.0f;
}

/* Mixed text in each of the four fonts, one line each, on black. */
Image fourFontLines()
{
    clearToBlack();
    for (int i = 0; i < 4; ++i) {
        setTextAnchor(anchorX, 80.0f - 18.0f * static_cast<float>(i), 0.0f);
        drawText(0, allFonts[i], "Af1 x-i%cT", 'F');
    }
    return backBuffer();
}

/* One window for the glyph tests. */
class OwnFonts : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        window = openTextWindow("own fonts");
    }
    static void TearDownTestSuite()
    {
        closeTestWindow(window);
    }
    void SetUp() override
    {
        glutSetWindow(window);
    }

    static int window;
};

int OwnFonts::window = 0;

}  // namespace

// ---------------------------------------------------------------------------
// Any window
// ---------------------------------------------------------------------------

// First in this program, so that it draws in window 1.
TEST(OwnFontWindows, WindowTwelveDrawsAsWindowOneAndEachBuildsItsFontsOnce)
{
    const int first = openTextWindow("first");
    const Image reference = fourFontLines();
    EXPECT_GT(litPixels(reference), 4 * 40);
    int window = first;
    while (window < 12) {
        if (window != first)
            closeTestWindow(window);
        window = openTextWindow("numbered");
    }
    EXPECT_EQ(displayListCount(), 0);
    EXPECT_EQ(differingPixels(fourFontLines(), reference), 0)
        << "window " << window << " against window " << first;
    EXPECT_EQ(displayListCount(), fontLists);
    EXPECT_EQ(differingPixels(fourFontLines(), reference), 0);
    EXPECT_EQ(displayListCount(), fontLists) << "built once";

    glutSetWindow(first);
    EXPECT_EQ(differingPixels(fourFontLines(), reference), 0);
    EXPECT_EQ(displayListCount(), fontLists);
    closeTestWindow(window);
    closeTestWindow(first);
}

// ---------------------------------------------------------------------------
// Glyphs and advances
// ---------------------------------------------------------------------------

TEST_F(OwnFonts, TellingGlyphsDrawPixelExactAndAdvance)
{
    for (const GlyphCase& glyph : tellingGlyphs) {
        const char text[] = {glyph.code, '\0'};
        EXPECT_EQ(drawAtAnchor(glyph.font, text), glyph.advance)
            << "font " << glyph.font << " '" << glyph.code << "'";
        EXPECT_EQ(glyphDifferences(backBuffer(), glyph.rows, 20, 30), "")
            << "font " << glyph.font << " '" << glyph.code << "'";
    }
}

TEST_F(OwnFonts, SpacesAndBlankCodesAdvanceWithoutDrawing)
{
    const float spaceAdvance[] = {10, 6, 10, 8};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(drawAtAnchor(allFonts[i], " "), spaceAdvance[i]) << "font " << allFonts[i];
        EXPECT_EQ(litPixels(backBuffer()), 0);
    }
    EXPECT_EQ(drawAtAnchor(smallFont, "fi"), 7.0f);
    EXPECT_EQ(drawAtAnchor(smallFont, "f1"), 10.0f);
    EXPECT_EQ(drawAtAnchor(smallFont, "ax"), 12.0f);
    EXPECT_EQ(drawAtAnchor(smallFont, "BZ"), 12.0f) << "blank codes of smallFont";
    EXPECT_EQ(litPixels(backBuffer()), 0);
    EXPECT_EQ(drawAtAnchor(arrowFont, "AZ"), 16.0f) << "blank codes of arrowFont";
    EXPECT_EQ(litPixels(backBuffer()), 0);
}

TEST_F(OwnFonts, ArrowRunsJoinIntoOneLongArrow)
{
    for (const char* arrow : {"TTTF", "fTTT"}) {
        EXPECT_EQ(drawAtAnchor(arrowFont, arrow), 32.0f);
        const Image shot = backBuffer();
        int shaft = 0;
        for (int x = 20; x < 52; ++x)
            shaft += isLit(shot, x, 30 - 2 + 10) ? 1 : 0;
        EXPECT_EQ(shaft, 31) << arrow;
    }
}

TEST_F(OwnFonts, ControlTildeDeleteAndHighBytesDrawNothingAndStayPut)
{
    for (int font : allFonts) {
        for (int code = 1; code < 256; ++code) {
            if (code >= 32 && code <= 125)
                continue;
            const char text[] = {static_cast<char>(code), '\0'};
            EXPECT_EQ(drawAtAnchor(font, text), 0.0f) << "font " << font << " code " << code;
            EXPECT_EQ(litPixels(backBuffer()), 0) << "font " << font << " code " << code;
        }
    }
    // A high byte between two letters leaves them one advance apart, and
    // never reaches the next font's lists (225 would be smallFont's 'a').
    EXPECT_EQ(drawAtAnchor(boldFont, "A\xe1\xc1"
                                     "A"),
              20.0f);
    const Image shot = backBuffer();
    EXPECT_EQ(litPixels(shot), 2 * 46);
    EXPECT_TRUE(isLit(shot, 20, 30) && isLit(shot, 30, 30)) << "two A, 10 pixels apart";
}

// ---------------------------------------------------------------------------
// Display lists per window
// ---------------------------------------------------------------------------

TEST(OwnFontWindows, EachWindowBuildsItsOwnFontsOnItsFirstOwnFontText)
{
    const int first = openTextWindow("first");
    EXPECT_EQ(displayListCount(), 0);
    setTextAnchor(anchorX, baselineY, 0.0f);
    drawGlutText(GLUT_BITMAP_8_BY_13, "glut");
    drawWindowLine(0, 0, 10, 0);
    EXPECT_EQ(displayListCount(), 0) << "GLUT text and lines need no fonts";

    // Whatever the caller's pixel-store settings, glyphs come out right
    // and the settings come back.
    const struct {
        GLenum name;
        GLint value, initial;
    } unpacking[] = {{GL_UNPACK_ALIGNMENT, 8, 4},
                     {GL_UNPACK_LSB_FIRST, GL_TRUE, GL_FALSE},
                     {GL_UNPACK_ROW_LENGTH, 16, 0},
                     {GL_UNPACK_SKIP_ROWS, 2, 0},
                     {GL_UNPACK_SKIP_PIXELS, 3, 0}};
    for (const auto& setting : unpacking)
        glPixelStorei(setting.name, setting.value);
    EXPECT_EQ(drawAtAnchor(boldFont, "A"), 10.0f);
    EXPECT_EQ(displayListCount(), fontLists);
    EXPECT_EQ(glyphDifferences(backBuffer(), boldA, 20, 30), "");
    for (const auto& setting : unpacking) {
        GLint value = -1;
        glGetIntegerv(setting.name, &value);
        EXPECT_EQ(value, setting.value) << "setting " << setting.name;
        glPixelStorei(setting.name, setting.initial);
    }

    drawAtAnchor(greekFont, "a");
    EXPECT_EQ(displayListCount(), fontLists) << "built once";

    const int second = openTextWindow("second");
    EXPECT_EQ(displayListCount(), 0);
    EXPECT_EQ(drawAtAnchor(boldFont, "A"), 10.0f);
    EXPECT_EQ(displayListCount(), fontLists);
    EXPECT_EQ(glyphDifferences(backBuffer(), boldA, 20, 30), "");

    glutSetWindow(first);
    EXPECT_EQ(drawAtAnchor(boldFont, "A"), 10.0f);
    EXPECT_EQ(glyphDifferences(backBuffer(), boldA, 20, 30), "");
    EXPECT_EQ(displayListCount(), fontLists);
    closeTestWindow(second);
    closeTestWindow(first);
}

TEST(OwnFontWindows, AWindowWhoseFontsCannotBeMadeCallsNoListOfTheCallers)
{
    // glGenLists refuses between glBegin and glEnd, so the first own-font
    // text there leaves the window without fonts: its texts draw nothing,
    // and never call the caller's lists (each here moves the pen a pixel).
    const int window = openTextWindow("no fonts");
    const GLuint callers = glGenLists(128);
    const GLubyte unlit = 0;
    for (GLuint list = callers; list < callers + 128; ++list) {
        glNewList(list, GL_COMPILE);
        glBitmap(1, 1, 0.0f, 0.0f, 1.0f, 0.0f, &unlit);
        glEndList();
    }
    glBegin(GL_POINTS);
    drawText(0, boldFont, "A");
    glEnd();
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(drawAtAnchor(boldFont, "A"), 0.0f);
    EXPECT_EQ(litPixels(backBuffer()), 0);
    EXPECT_EQ(displayListCount(), 128) << "the caller's lists only";
    closeTestWindow(window);
}
