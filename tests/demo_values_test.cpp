/*
 * demo_values_test.cpp - the demo's values window end to end: the real
 * program on the test X server, driven with real key and menu input, its
 * two printed lines read back from screenshots glyph by glyph.
 *
 * Depends on: the harness (demo driver, XTest input), demo/animation.h
 * (what each frame should print), support/text/glyphs.h (the bold font
 * the lines are printed in), GoogleTest.
 */
#include "demo/animation.h"
#include "support/text/glyphs.h"
#include "tests/harness/demo_driver.h"
#include "tests/harness/x_input.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using vestrane::detail::boldGlyphs;
using vestrane::detail::boldRows;
using vestrane::detail::firstGlyphCode;
using vestrane::detail::lastGlyphCode;

// ---------------------------------------------------------------------------
// Reading the window
// ---------------------------------------------------------------------------

constexpr int textLeft = 5;
constexpr int advance = 10;
constexpr int lineSpacing = 20;

using Lines = std::array<std::string, 2>;

bool isWhite(Rgb p)
{
    return p.r == 255 && p.g == 255 && p.b == 255;
}
bool isBlack(Rgb p)
{
    return p.r == 0 && p.g == 0 && p.b == 0;
}

/* The glyph at character `index` of line `line` (1 or 2), read from white
 * pixels as the font stores it: bottom row first, leftmost pixel the top bit. */
std::array<unsigned char, boldRows> cellAt(const Image& shot, int line, int index)
{
    std::array<unsigned char, boldRows> rows{};
    const int baselineRow = line * lineSpacing - 1;  // top-down row just above the anchor
    for (std::size_t row = 0; row < boldRows; ++row) {
        const int y = baselineRow + 2 - static_cast<int>(row);
        for (int column = 0; column < 8; ++column) {
            if (isWhite(shot.at(textLeft + index * advance + column, y))) {
                rows[row] = static_cast<unsigned char>(rows[row] | 0x80U >> column);
            }
        }
    }
    return rows;
}

char characterOf(const std::array<unsigned char, boldRows>& rows)
{
    for (int code = firstGlyphCode; code < lastGlyphCode; ++code) {
        const auto glyph =
            boldGlyphs.begin() + (code - firstGlyphCode) * static_cast<int>(boldRows);
        if (std::equal(rows.begin(), rows.end(), glyph)) {
            return static_cast<char>(code);
        }
    }
    return '?';
}

std::string readLine(const Image& shot, int line)
{
    std::string text;
    for (int index = 0; textLeft + index * advance + 8 <= shot.width; ++index) {
        text += characterOf(cellAt(shot, line, index));
    }
    return text.erase(text.find_last_not_of(' ') + 1);
}

Lines readLines(const Image& shot)
{
    return {readLine(shot, 1), readLine(shot, 2)};
}

// ---------------------------------------------------------------------------
// What a frame prints
// ---------------------------------------------------------------------------

/* Both lights repeat every 1800 frames. */
constexpr int fullCycle = 1800;

Lines linesOfFrame(int frame)
{
    std::array<char, 64> position{};
    std::array<char, 64> angle{};
    std::snprintf(position.data(), position.size(), "POSITION : %7.3f %6.3f %6.3f",
                  static_cast<double>(sweepingLightX(frame)), 0.0, 10.0);
    std::snprintf(angle.data(), angle.size(), "ANGLE    : %6.3f",
                  static_cast<double>(turningAngle(frame)));
    return {position.data(), angle.data()};
}

/* Every frame of a whole cycle that prints these lines. */
std::vector<int> framesPrinting(const Lines& lines)
{
    std::vector<int> frames;
    for (int frame = 0; frame < fullCycle; ++frame) {
        if (linesOfFrame(frame) == lines) {
            frames.push_back(frame);
        }
    }
    return frames;
}

class ValuesWindow : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(launchDemo(demo, true));
        ASSERT_TRUE(waitUntil("the values window's first lines", [&] {
            const Image shot = captureWindow(demo.values);
            return countPixels(shot, {0, 0, shot.width, shot.height}, isWhite) > 0;
        }));
    }
    void TearDown() override
    {
        stopProgram(demo.program);
    }

    /* The lines of a frame drawn after every key sent so far was read. */
    Lines linesNow()
    {
        return readLines(redrawnShot(demo.values));
    }

    /* Presses space in the values window straight through XTest, without
     * starting a process, so that the next frames can still be caught. */
    void pressSpaceNow()
    {
        movePointerInto(demo.values, 10, 10);
        tapKey(XK_space);
        syncInput();
    }

    DemoWindows demo;
};

}  // namespace

// ---------------------------------------------------------------------------
// Tests
// ---------------------------------------------------------------------------

TEST_F(ValuesWindow, OpensBelowTheMainWindowInWhiteTextOnBlack)
{
    const WindowGeometry geometry = windowGeometry(demo.values);
    EXPECT_EQ(geometry.x, 60);
    EXPECT_EQ(geometry.y, 330);
    EXPECT_EQ(geometry.width, 330);
    EXPECT_EQ(geometry.height, 50);

    const Image shot = redrawnShot(demo.values);
    const PixelRect whole{0, 0, shot.width, shot.height};
    const int white = countPixels(shot, whole, isWhite);
    EXPECT_GT(white, 200);
    EXPECT_EQ(white + countPixels(shot, whole, isBlack), shot.width * shot.height);

    const Lines lines = readLines(shot);
    EXPECT_EQ(lines[0].substr(0, 11), "POSITION : ");
    EXPECT_EQ(lines[0].size(), 32u);
    EXPECT_EQ(lines[1].substr(0, 11), "ANGLE    : ");
    EXPECT_EQ(framesPrinting(lines).empty(), false) << lines[0] << " / " << lines[1];

    // The A of ANGLE: its lowest pixels stand on the baseline, 40 pixels
    // under the top edge, and its leftmost ones 5 pixels from the left.
    int lowest = -1;
    int leftmost = shot.width;
    for (int y = 22; y < 44; ++y) {
        for (int x = 0; x < 13; ++x) {
            if (isWhite(shot.at(x, y))) {
                lowest = std::max(lowest, y);
                leftmost = std::min(leftmost, x);
            }
        }
    }
    EXPECT_EQ(lowest + 1, 40);
    EXPECT_EQ(leftmost, 5);
}

TEST_F(ValuesWindow, FollowsTheAnimationStopsWithItAndResumesFromTheSameFrame)
{
    const Lines early = linesNow();
    const Lines later = linesNow();
    EXPECT_NE(early, later) << "the values change while the animation runs";

    pressSpaceNow();
    Lines paused = linesNow();
    EXPECT_EQ(linesNow(), paused) << "and stay while it is paused";

    // The first lines printed after resuming are those of the next frame.
    // They are looked for without a pause, but a busy machine may still
    // keep this watch away long enough to miss them; so the demo is paused
    // and resumed again, up to five times. A demo that does not go on from
    // the frame it stopped at never shows that frame.
    Lines resumed = paused;
    bool nextFrame = false;
    for (int round = 0; round < 5 && !nextFrame; ++round) {
        if (round > 0) {
            pressSpaceNow();
            paused = linesNow();
        }
        const std::vector<int> pausedFrames = framesPrinting(paused);
        ASSERT_FALSE(pausedFrames.empty()) << paused[0] << " / " << paused[1];
        pressSpaceNow();
        ASSERT_TRUE(waitUntil(
            "new lines after resuming",
            [&] {
                resumed = readLines(captureWindow(demo.values));
                return resumed != paused;
            },
            waitLimitMs, 0));
        for (int frame : pausedFrames) {
            nextFrame = nextFrame || linesOfFrame(frame + 1) == resumed;
        }
    }
    EXPECT_TRUE(nextFrame) << paused[1] << " then " << resumed[1] << ", the last of five rounds";
}

TEST_F(ValuesWindow, EnterTypedThereSwitchesTheMainWindowsLights)
{
    ASSERT_TRUE(typeKeys(demo.values, "space"));
    const Image before = redrawnShot(demo.scene);
    ASSERT_TRUE(typeKeys(demo.values, "Return"));
    EXPECT_GT(differingPixels(redrawnShot(demo.scene), before), 1000);
}

TEST_F(ValuesWindow, QuitterInItsMenuQuitsWithStatusZero)
{
    ASSERT_TRUE(chooseFirstMenuEntry(demo.values));
    EXPECT_TRUE(endsWithStatusZero(demo.program));
    EXPECT_EQ(programOutput(demo.program), "");
}
