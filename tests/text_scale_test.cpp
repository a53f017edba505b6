/*
 * text_scale_test.cpp - own-font text at text scales 2 and 3 against the
 * scale-1 picture grown block by block, in two windows; widths and
 * alignment at a scale; the automatic scale from each of its sources, each
 * case in a fresh process on an X server of its own.
 *
 * Depends on: support/text/text.h, support/text/text_scale.h, the harness,
 * GoogleTest.
 */
#include "support/text/text.h"
#include "support/text/text_scale.h"
#include "tests/harness/x_server.h"
#include "tests/text_testing.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int anchorX = 10;
constexpr int baseline = 30;
// Narrow f and i, a descender, a blank code of smallFont, '~' and arrows.
constexpr char line[] = "Aa fi1(gT~F";

/* The line in `font` at `scale`, left-aligned at the anchor, on black. */
Image lineAt(int scale, int font)
{
    clearToBlack();
    setTextScale(scale);
    setTextAnchor(anchorX, baseline, 0.0f);
    drawText(0, font, "%s", line);
    setTextScale(1);
    return backBuffer();
}

/* Pixels of `scaled` that differ from the pixel of `reference` they grow
 * from: window pixel (x, y) from (anchor + (x - anchor) / scale, ...),
 * rounded down. */
int pixelsNotGrownFrom(const Image& scaled, const Image& reference, int scale)
{
    const auto source = [scale](int at, int anchor) {
        return anchor + static_cast<int>(std::floor((at - anchor) / static_cast<double>(scale)));
    };
    int differing = 0;
    for (int y = 0; y < scaled.height; ++y)
        for (int x = 0; x < scaled.width; ++x)
            differing +=
                isLit(scaled, x, y) != isLit(reference, source(x, anchorX), source(y, baseline));
    return differing;
}

}  // namespace

// First in this program, for the initial scale.
TEST(TextScale, FontsAtTwoAndThreeAreTheScaleOnePictureGrownEachWindowItsOwn)
{
    EXPECT_EQ(getTextScale(), 1);
    const int windows[] = {openTextWindow("scale 2", 400, 100),
                           openTextWindow("scale 3", 400, 100)};
    for (int font : {boldFont, smallFont, greekFont, arrowFont}) {
        glutSetWindow(windows[0]);
        const Image reference = lineAt(1, font);
        EXPECT_GT(litPixels(reference), 25);
        for (int scale : {2, 3}) {
            glutSetWindow(windows[scale - 2]);
            EXPECT_EQ(pixelsNotGrownFrom(lineAt(scale, font), reference, scale), 0)
                << "font " << font << " at scale " << scale;
        }
    }
    EXPECT_EQ(displayListCount(), 4 * 128) << "the second window drew at scale 3 only";
    glutSetWindow(windows[0]);
    EXPECT_EQ(displayListCount(), 2 * 4 * 128) << "scales 1 and 2, each built once";
    // The largest scale, then one more, where others were built already.
    const Image reference = lineAt(1, boldFont);
    for (int scale : {vestrane::detail::maxTextScale, 3})
        EXPECT_EQ(pixelsNotGrownFrom(lineAt(scale, boldFont), reference, scale), 0)
            << "scale " << scale;
    closeTestWindow(windows[1]);
    closeTestWindow(windows[0]);
}

TEST(TextScale, WidthAndAlignmentScaleWhileOffsetsLinesAndGlutTextStayInPixels)
{
    const int window = openTextWindow("scaled widths", 300, 100);
    setTextScale(2);
    EXPECT_EQ(textWidth(smallFont, "fix1"), 2 * (4 + 3 + 6 + 6));
    // Right-aligned, the arrow ends at the anchor, baseline 2 x 6 below it.
    setTextAlignment(alignRight);
    clearToBlack();
    setTextAnchor(150.0f, 60.0f, 0.0f);
    drawText(0, arrowFont, "fTT");
    EXPECT_EQ(inkSpan(backBuffer()).right, 149);
    EXPECT_NEAR(rasterPosition()[1], 48.0f, 0.01f);
    setTextOffset(-textWidth(arrowFont, "fTT"), 0.0f, 0.0f);
    drawText(0, arrowFont, "fTT");
    EXPECT_NEAR(rasterPosition()[0], 102.0f, 0.01f) << "the offset counts window pixels";
    setTextAlignment(alignLeft);

    Image pictures[2];
    for (int scale : {2, 1}) {
        setTextScale(scale);
        clearToBlack();
        setTextAnchor(20.0f, 60.0f, 0.0f);
        drawWindowLine(0, 0, 30, 20);
        drawGlutText(GLUT_BITMAP_8_BY_13, "GLUT %d", 8);
        drawStrokeText(20.0f, 10.0f, 20.0f, "Stroke");
        pictures[scale - 1] = backBuffer();
    }
    EXPECT_EQ(differingPixels(pictures[0], pictures[1]), 0);
    closeTestWindow(window);
}

TEST(TextScale, ValuesOfTheVariableTheResourceAndDpiAndIgnoredScales)
{
    using namespace vestrane::detail;
    for (const auto& [value, scale] :
         std::vector<std::pair<const char*, int>>{{"1", 1},
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
                                                  {"99999999999999999999", 0}})
        EXPECT_EQ(scaleFromVariable(value), scale) << (value ? value : "NULL");
    for (const auto& [text, dpi] : std::vector<std::pair<const char*, double>>{
             {"Xft.antialias:\t1\nXft.dpi:\t192\n", 192.0},
             {"  Xft.dpi :144.5  \nXft.hinting:\t1", 144.5},
             {"Xft.dpi:\t96.25\n", 96.25},
             {"Xft.dpi:\t96\nXft.dpi:\t288", 288.0},  // the last one counts
             {"Xft.dpi:\t192\nXft.dpi:\tlots\n", 0.0},
             {"Xft.dpi:\t192 dpi\nXft.dpix:\t192\n*dpi:\t192\n! Xft.dpi: 192\n", 0.0},
             {"Xft.dpi:\n", 0.0},
             {nullptr, 0.0}})
        EXPECT_DOUBLE_EQ(xftDpiOf(text), dpi) << (text ? text : "NULL");
    for (const auto& [dpi, scale] : std::vector<std::pair<double, int>>{{96, 1},
                                                                        {143.9, 1},
                                                                        {144, 2},
                                                                        {288, 3},
                                                                        {40, 1},
                                                                        {767, 8},
                                                                        {1e300, 8},
                                                                        {0, 0},
                                                                        {-192, 0},
                                                                        {NAN, 0},
                                                                        {INFINITY, 0}})
        EXPECT_EQ(scaleFromDpi(dpi), scale) << dpi;

    setTextScale(3);
    for (int ignored : {-1, 9, INT_MIN, INT_MAX})
        setTextScale(ignored);
    EXPECT_EQ(getTextScale(), 3);
    setTextScale(1);
}

namespace {

struct AutomaticCase {
    const char* variable;   // VESTRANE_TEXT_SCALE, unset when null
    const char* resources;  // the server's RESOURCE_MANAGER, none when null
    bool dpi288;            // the server started with -dpi 288, else Xvfb's 100
    int expected;
};

/* On an X server of its own, set up as the case says, exits with the
 * automatic scale (101: no server). A fresh process each: Xlib reads the
 * resources when GLUT opens the display, and GLUT starts once a process. */
[[noreturn]] void exitWithAutomaticScale(const AutomaticCase& automatic)
{
    pid_t server = -1;
    const int number = startXvfb(server, automatic.dpi288 ? std::vector<std::string>{"-dpi", "288"}
                                                          : std::vector<std::string>{});
    const std::string display = ":" + std::to_string(number);
    if (number < 0 || (automatic.resources && !loadResources(display.c_str(), automatic.resources)))
        std::_Exit(101);
    setenv("DISPLAY", display.c_str(), 1);
    if (automatic.variable)
        setenv(vestrane::detail::scaleVariable, automatic.variable, 1);
    else
        unsetenv(vestrane::detail::scaleVariable);
    const int window = openTestWindow("automatic scale", 100, 50);
    setTextScale(0);
    const int scale = getTextScale();
    closeTestWindow(window);
    shutDownGlut();
    stopXvfb(server);
    std::_Exit(scale);
}

}  // namespace

TEST(TextScale, AutomaticScaleFromVariableThenXftDpiThenScreenSize)
{
    const AutomaticCase cases[] = {
        {"4", "Xft.dpi:\t192\n", true, 4},  // the variable first
        {nullptr, "Xft.dpi:\t192\n", false, 2},
        {nullptr, "Xft.dpi:\t96\n", true, 1},  // the resource before the screen
        {nullptr, nullptr, true, 3},
        {"9", "Xft.dpi:\tlots\n", true, 3},  // invalid values are passed over
        {" x", nullptr, false, 1},
    };
    for (const AutomaticCase& automatic : cases)
        EXPECT_EXIT(exitWithAutomaticScale(automatic),
                    ::testing::ExitedWithCode(automatic.expected), "")
            << "case " << &automatic - cases;
}
