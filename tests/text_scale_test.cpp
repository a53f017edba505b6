/*
 * text_scale_test.cpp - own-font text at text scales 2 and 3 against the
 * scale-1 picture grown block by block, widths and alignment at a scale,
 * two windows at two scales, and the automatic scale from each of its
 * sources, each case in a fresh process on an X server of its own.
 *
 * Depends on: support/text/text.h, support/text/text_scale.h, the harness,
 * GoogleTest.
 */
#include "support/text/text.h"
#include "support/text/text_scale.h"
#include "tests/harness/x_server.h"
#include "tests/text_testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

constexpr int anchorX = 10;
const int allFonts[] = {boldFont, smallFont, greekFont, arrowFont};
// Narrow f and i, a descender, a blank code of smallFont, '~' and arrows.
constexpr char line[] = "Aa fi1(gT~F";

/* Draws `text` at `scale`, left-aligned from (anchorX, baseline). */
void drawLine(int scale, int font, int baseline, const char* text = line)
{
    setTextScale(scale);
    setTextAnchor(static_cast<float>(anchorX), static_cast<float>(baseline), 0.0f);
    drawText(0, font, "%s", text);
    setTextScale(1);
}

Image lineAt(int scale, int font, int baseline)
{
    clearToBlack();
    drawLine(scale, font, baseline);
    return backBuffer();
}

/* The picture with every pixel grown into a scale x scale block about the
 * anchor: window pixel (x, y) becomes the block at
 * (anchorX + (x - anchorX) * scale, baseline + (y - baseline) * scale). */
Image grownAbout(const Image& image, int baseline, int scale)
{
    Image grown = image;
    std::fill(grown.rgb.begin(), grown.rgb.end(), 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!isLit(image, x, y))
                continue;
            for (int i = 0; i < scale * scale; ++i) {
                const int gx = anchorX + (x - anchorX) * scale + i % scale;
                const int gy = baseline + (y - baseline) * scale + i / scale;
                const auto at =
                    static_cast<std::size_t>(3 * ((image.height - 1 - gy) * image.width + gx));
                const auto from =
                    static_cast<std::size_t>(3 * ((image.height - 1 - y) * image.width + x));
                std::copy_n(image.rgb.begin() + static_cast<std::ptrdiff_t>(from), 3,
                            grown.rgb.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
    }
    return grown;
}

/* Rows [from, to) of the picture, counted from the bottom, equal. */
bool sameRows(const Image& a, const Image& b, int from, int to)
{
    for (int y = from; y < to; ++y)
        for (int x = 0; x < a.width; ++x)
            if (isLit(a, x, y) != isLit(b, x, y))
                return false;
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// Scaled glyphs
// ---------------------------------------------------------------------------

// First in this program: the initial scale, and a window's lists per scale.
TEST(TextScale, EachFontAtTwoAndThreeIsTheScaleOnePictureGrownIntoBlocks)
{
    EXPECT_EQ(getTextScale(), 1);
    const int window = openTextWindow("scaled glyphs", 400, 140);
    constexpr int baseline = 50;
    for (int font : allFonts) {
        const Image reference = lineAt(1, font, baseline);
        EXPECT_GT(litPixels(reference), 25) << "font " << font;
        for (int scale : {2, 3}) {
            EXPECT_EQ(differingPixels(lineAt(scale, font, baseline),
                                      grownAbout(reference, baseline, scale)),
                      0)
                << "font " << font << " at scale " << scale;
            EXPECT_NEAR(rasterPosition()[0], anchorX + scale * textWidth(font, "%s", line), 0.01f)
                << "the pen moves by the scaled advances";
        }
    }
    EXPECT_EQ(displayListCount(), 3 * 4 * 128) << "one set per scale, built once";
    closeTestWindow(window);
}

TEST(TextScale, WidthsAndAlignmentScaleWhileOffsetsLinesAndGlutTextStayInPixels)
{
    const int window = openTextWindow("scaled widths", 300, 100);
    setTextScale(2);
    EXPECT_EQ(textWidth(smallFont, "fix1"), 2 * (4 + 3 + 6 + 6));
    EXPECT_EQ(textWidth(boldFont, "A\x01~\xe9"), 20);

    // Right-aligned at x = 150 the arrow ends at the anchor, baseline
    // 2 x 6 pixels down: the picture of left-aligned text moved back by
    // textWidth and down by 12 window pixels.
    setTextAlignment(alignRight);
    clearToBlack();
    setTextAnchor(150.0f, 60.0f, 0.0f);
    drawText(0, arrowFont, "fTT");
    EXPECT_NEAR(rasterPosition()[0], 150.0f, 0.01f);
    EXPECT_NEAR(rasterPosition()[1], 48.0f, 0.01f);
    const Image right = backBuffer();
    EXPECT_EQ(inkSpan(right).right, 149);
    setTextAlignment(alignLeft);
    clearToBlack();
    setTextAnchor(150.0f, 60.0f, 0.0f);
    setTextOffset(-static_cast<float>(textWidth(arrowFont, "fTT")), 12.0f, 0.0f);
    drawText(0, arrowFont, "fTT");
    EXPECT_EQ(differingPixels(backBuffer(), right), 0);

    // GLUT text, stroke text, lines and offsets look the same at any scale.
    Image pictures[2];
    for (int scale : {1, 2}) {
        setTextScale(scale);
        clearToBlack();
        setTextAnchor(20.0f, 60.0f, 0.0f);
        drawWindowLine(0, 0, 30, 20);
        setTextOffset(5.0f, 3.0f, 0.0f);
        drawGlutText(GLUT_BITMAP_8_BY_13, "GLUT %d", 8);
        drawStrokeText(20.0f, 10.0f, 20.0f, "Stroke");
        pictures[scale - 1] = backBuffer();
    }
    EXPECT_EQ(differingPixels(pictures[0], pictures[1]), 0);
    setTextScale(1);
    closeTestWindow(window);
}

TEST(TextScale, TwoWindowsAtTwoScalesAndTwoScalesInOneFrame)
{
    const int first = openTextWindow("scale 2", 400, 140);
    const Image reference = lineAt(1, greekFont, 30);
    const int second = openTextWindow("scale 3", 400, 140);
    for (int round = 0; round < 2; ++round) {
        glutSetWindow(first);
        EXPECT_EQ(differingPixels(lineAt(2, greekFont, 30), grownAbout(reference, 30, 2)), 0);
        glutSetWindow(second);
        EXPECT_EQ(differingPixels(lineAt(3, greekFont, 30), grownAbout(reference, 30, 3)), 0);
    }
    EXPECT_EQ(displayListCount(), 4 * 128) << "the second window drew at scale 3 only";

    // Scale 2, then 1 above it, then 2 again, in one picture.
    glutSetWindow(first);
    clearToBlack();
    drawLine(2, greekFont, 30);
    drawLine(1, greekFont, 100);
    drawLine(2, greekFont, 30);
    const Image mixed = backBuffer();
    EXPECT_TRUE(sameRows(mixed, grownAbout(reference, 30, 2), 0, 80));
    EXPECT_TRUE(sameRows(mixed, lineAt(1, greekFont, 100), 80, 140));
    EXPECT_EQ(displayListCount(), 2 * 4 * 128);
    closeTestWindow(second);
    closeTestWindow(first);
}

// ---------------------------------------------------------------------------
// Choosing the scale
// ---------------------------------------------------------------------------

TEST(TextScale, OtherValuesLeaveTheScaleAsItWas)
{
    setTextScale(3);
    for (int ignored : {-1, 9, 100, INT_MIN, INT_MAX}) {
        setTextScale(ignored);
        EXPECT_EQ(getTextScale(), 3) << ignored;
    }
    setTextScale(8);
    EXPECT_EQ(getTextScale(), 8);
    setTextScale(1);
}

TEST(TextScale, VariableResourceAndDpiParsing)
{
    using namespace text_scale;
    const std::pair<const char*, int> variables[] = {{"1", 1},
                                                     {" 8\t", 8},
                                                     {"02", 2},
                                                     {nullptr, 0},
                                                     {"", 0},
                                                     {"0", 0},
                                                     {"9", 0},
                                                     {"-2", 0},
                                                     {"+2", 0},
                                                     {"2x", 0},
                                                     {"2.0", 0},
                                                     {" ", 0},
                                                     {"99999999999999999999", 0}};
    for (const auto& [value, scale] : variables)
        EXPECT_EQ(scaleFromVariable(value), scale) << (value ? value : "NULL");

    const std::pair<const char*, double> resources[] = {
        {"Xft.dpi:\t192\n", 192.0},
        {"Xft.antialias:\t1\nXft.dpi: 144.5\nXft.hinting:\t1\n", 144.5},
        {"Xft.dpi:\t96\nXft.dpi:\t288", 288.0},  // the last one counts
        {"  Xft.dpi :120  \n", 120.0},
        {"Xft.dpi:\tlots\n", 0.0},
        {"Xft.dpi:\t192 dpi\n", 0.0},
        {"Xft.dpix:\t192\n*dpi:\t192\n! Xft.dpi: 192\n", 0.0},
        {"Xft.dpi:\n", 0.0},
        {"", 0.0},
        {nullptr, 0.0}};
    for (const auto& [text, dpi] : resources)
        EXPECT_DOUBLE_EQ(xftDpiOf(text), dpi) << (text ? text : "NULL");

    const std::pair<double, int> dpis[] = {{96, 1},  {143.9, 1}, {144, 2}, {192, 2},
                                           {288, 3}, {40, 1},    {767, 8}, {1e300, 8},
                                           {0, 0},   {-192, 0},  {NAN, 0}, {INFINITY, 0}};
    for (const auto& [dpi, scale] : dpis)
        EXPECT_EQ(scaleFromDpi(dpi), scale) << dpi;
}

namespace {

struct AutomaticCase {
    const char* variable;   // VESTRANE_TEXT_SCALE, unset when null
    const char* resources;  // the server's RESOURCE_MANAGER, none when null
    std::vector<std::string> serverArguments;
    int expected;
};

/* On an X server of its own, configured as the case says, opens a window,
 * asks for the automatic scale and exits with it (100 and above: the setup
 * failed). Runs in a fresh process: Xlib reads the resources when GLUT
 * opens the display, and GLUT starts once a process. */
[[noreturn]] void exitWithAutomaticScale(const AutomaticCase& automatic)
{
    pid_t server = -1;
    const int number = startXvfb(server, automatic.serverArguments);
    const std::string display = ":" + std::to_string(number);
    if (number < 0 || (automatic.resources && !loadResources(display.c_str(), automatic.resources)))
        std::_Exit(101);
    setenv("DISPLAY", display.c_str(), 1);
    if (automatic.variable)
        setenv(text_scale::scaleVariable, automatic.variable, 1);
    else
        unsetenv(text_scale::scaleVariable);
    const int window = openTestWindow("automatic scale", 100, 50);
    const int initial = getTextScale();
    setTextScale(0);
    const int scale = initial == 1 ? getTextScale() : 102;
    closeTestWindow(window);
    shutDownGlut();
    stopXvfb(server);
    std::_Exit(scale);
}

}  // namespace

TEST(TextScale, AutomaticScaleFromVariableThenXftDpiThenScreenSize)
{
    const std::vector<std::string> dpi288 = {"-dpi", "288"};
    const AutomaticCase cases[] = {
        {"4", "Xft.dpi:\t192\n", dpi288, 4},  // the variable first
        {nullptr, "Xft.dpi:\t192\n", {}, 2},
        {nullptr, "Xft.dpi:\t96\n", dpi288, 1},  // the resource before the screen
        {nullptr, nullptr, dpi288, 3},
        {"9", "Xft.dpi:\tlots\n", dpi288, 3},  // invalid values are passed over
        {" x", nullptr, {}, 1},                // Xvfb's own 100 dpi
    };
    for (const AutomaticCase& automatic : cases) {
        EXPECT_EXIT(exitWithAutomaticScale(automatic),
                    ::testing::ExitedWithCode(automatic.expected), "")
            << "variable " << (automatic.variable ? automatic.variable : "unset") << ", resources "
            << (automatic.resources ? automatic.resources : "none") << ", server arguments "
            << automatic.serverArguments.size();
    }
}
