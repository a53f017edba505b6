/*
 * The showcase end to end: the real program on the test X server, driven
 * with xdotool as a user would, judged by screenshots of its window.
 *
 * The program's status and help lines are spaced by the line height of the
 * face "sans-serif" names, where it exceeds the layout's: CTest runs this
 * test with fontconfig seeing only the DejaVu fonts of fonts-dejavu-core
 * (tests/fonts/dejavu-only.conf.in), whose lines fit the bands below.
 */
#include "tests/harness/demo_driver.h"
#include "tests/harness/wait.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>

#ifndef VESTRANE_SHOWCASE_PATH
#error "VESTRANE_SHOWCASE_PATH must name the showcase binary"
#endif

namespace {

/* The band of status lines at the top of the window, in pixels. */
constexpr int statusBand = 55;

/* The teapot's brick red, lit or in shadow; nothing else in the middle of
 * the window is redder than it is green and blue. */
bool isTeapot(Rgb p)
{
    return p.r > p.g + 10 && p.r > p.b + 8;
}

struct Extent {
    int left, right, top, bottom;
    int width() const
    {
        return right - left + 1;
    }
    int height() const
    {
        return bottom - top + 1;
    }
    double aspect() const
    {
        return static_cast<double>(width()) / height();
    }
};

/* The teapot's bounding box, looked for between the colour bars at the
 * sides and the status and help bands at the top and bottom. */
Extent teapotExtent(const Image& image)
{
    constexpr int sides = 40;
    constexpr int helpBand = 83;
    Extent e{image.width, -1, image.height, -1};
    for (int y = statusBand; y < image.height - helpBand; ++y) {
        for (int x = sides; x < image.width - sides; ++x) {
            if (isTeapot(image.at(x, y))) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
        }
    }
    return e;
}

/* Pixels that differ below the status band, where only the scene is. */
int differingScenePixels(const Image& a, const Image& b)
{
    int count = 0;
    for (int y = statusBand; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const Rgb p = a.at(x, y);
            const Rgb q = b.at(x, y);
            count += p.r != q.r || p.g != q.g || p.b != q.b;
        }
    }
    return count;
}

/* The first and last columns of the rows top..bottom - 1 with a pixel
 * within a few steps of `colour`; -1 when none. */
std::pair<int, int> inkColumns(const Image& image, int top, int bottom, Rgb colour)
{
    std::pair<int, int> columns{image.width, -1};
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb p = image.at(x, y);
            if (std::abs(p.r - colour.r) + std::abs(p.g - colour.g) + std::abs(p.b - colour.b) < 16)
                columns = {std::min(columns.first, x), std::max(columns.second, x)};
        }
    }
    return columns;
}

/* The processor time, user and system, that a process has used so far. */
double cpuSeconds(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat{std::istreambuf_iterator<char>(file), {}};
    // After the name in parentheses: state, then 10 fields, then utime and stime.
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string field;
    long ticks = 0;
    for (int i = 0; i < 13 && fields >> field; ++i) {
        ticks += i >= 11 ? std::stol(field) : 0;
    }
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

class Showcase : public ::testing::Test {
  protected:
    void SetUp() override
    {
        // The program saves its pictures in the folder it runs in.
        scratch = std::filesystem::temp_directory_path() /
                  ("vestrane-showcase-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(scratch);
        std::filesystem::current_path(scratch);
        startShowcase();
    }

    /* Starts the showcase at the text scale `scale` (0: the screen's). */
    void startShowcase(int scale = 1)
    {
        stopProgram(program);
        if (scale == 0)
            unsetenv("VESTRANE_TEXT_SCALE");
        else
            setenv("VESTRANE_TEXT_SCALE", std::to_string(scale).c_str(), 1);
        // The window of a program stopped may linger for a moment.
        ASSERT_TRUE(waitUntil("the stopped showcase's window to go",
                              [] { return findWindowByTitle("Vestrane showcase", 0) == 0; }));
        program = startProgram(VESTRANE_SHOWCASE_PATH);
        window = findWindowByTitle("Vestrane showcase");
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(waitForFirstFrame(window));
    }

    void TearDown() override
    {
        stopProgram(program);
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        std::filesystem::remove_all(scratch);
    }

    std::string windowArgument() const
    {
        return std::to_string(window);
    }

    Image shot()
    {
        return redrawnShot(window);
    }

    /* A left-button drag with Shift held, from the middle of the window.
     * The program reads the events in the order sent, at its own pace. */
    bool shiftDrag(int dx, int dy)
    {
        const std::string step =
            " mousemove_relative " + std::to_string(dx) + " " + std::to_string(dy);
        return xdotool("mousemove --window " + windowArgument() +
                       " 320 240 keydown shift mousedown 1" + step + step + step +
                       " mouseup 1 keyup shift");
    }

    Image resizedShot(int width, int height)
    {
        EXPECT_TRUE(xdotool("windowsize --sync " + windowArgument() + " " + std::to_string(width) +
                            " " + std::to_string(height)));
        const Image image = shot();
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.height, height);
        return image;
    }

    bool leftClick(int x, int y)
    {
        return xdotool("mousemove --window " + windowArgument() + " " + std::to_string(x) + " " +
                       std::to_string(y) + " click 1");
    }

    std::filesystem::path scratch;
    RunningProgram program;
    XWindow window = 0;
};

}  // namespace

TEST_F(Showcase, ShiftDragTurnsTheSceneAndCtrlLeftBringsTheFirstPictureBack)
{
    const WindowGeometry geometry = windowGeometry(window);
    EXPECT_EQ(geometry.width, 640);
    EXPECT_EQ(geometry.height, 480);
    const Image initial = shot();
    EXPECT_EQ(shot(), initial) << "nothing moves until asked to";

    ASSERT_TRUE(shiftDrag(20, 10));
    const Image turned = shot();
    EXPECT_GT(differingScenePixels(turned, initial), 5000);
    EXPECT_NE(teapotExtent(turned).width(), teapotExtent(initial).width());

    ASSERT_TRUE(typeKeys(window, "ctrl+Left"));
    EXPECT_EQ(shot(), initial);
}

TEST_F(Showcase, ShiftEnterSpinsTheSceneUntilPressedAgain)
{
    const Image initial = shot();
    ASSERT_TRUE(typeKeys(window, "shift+Return"));
    const Image first = shot();
    const Image second = shot();
    const Image third = shot();
    EXPECT_NE(first, initial);
    EXPECT_NE(second, first);
    EXPECT_NE(third, second);

    ASSERT_TRUE(typeKeys(window, "shift+Return"));
    const Image stopped = shot();
    EXPECT_EQ(shot(), stopped);
    EXPECT_NE(stopped, initial);
}

TEST_F(Showcase, EveryProjectionKeepsTheTeapotUndistortedInResizedWindows)
{
    const Image initial = shot();
    struct Case {
        const char* key;
        // Teapot width in a 300 x 400 window over its width at 640 x 480.
        // The boxes keep -5..5 across the narrow window: 300 / 480. The
        // perspective widens its field of view from 53.13 to 53.13 / 0.75
        // degrees, which shows 7.11 units above and below the eye instead
        // of 5: 400 / 480 * 5 / 7.11.
        double narrowScale;
    };
    for (const Case& projection : {Case{"2", 0.625}, Case{"3", 0.586}, Case{"1", 0.625}}) {
        SCOPED_TRACE(std::string("projection key ") + projection.key);
        ASSERT_TRUE(typeKeys(window, projection.key));
        const Image full = shot();
        const Extent fullTeapot = teapotExtent(full);
        ASSERT_GT(fullTeapot.width(), 200);

        // Square pixels: a quarter turn about the line of sight swaps the
        // teapot's width and height.
        ASSERT_TRUE(typeKeys(window, "z", 45));
        const Extent rolled = teapotExtent(shot());
        EXPECT_NEAR(rolled.width(), fullTeapot.height(), 3);
        EXPECT_NEAR(rolled.height(), fullTeapot.width(), 3);
        ASSERT_TRUE(typeKeys(window, "Z", 45));

        // The wide window shows the same as 640 x 480, smaller.
        const Extent wide = teapotExtent(resizedShot(400, 300));
        EXPECT_NEAR(wide.aspect(), fullTeapot.aspect(), 0.04 * fullTeapot.aspect());
        EXPECT_NEAR(wide.width(), fullTeapot.width() * 0.625, 3);

        const Extent narrow = teapotExtent(resizedShot(300, 400));
        EXPECT_NEAR(narrow.aspect(), fullTeapot.aspect(), 0.04 * fullTeapot.aspect());
        EXPECT_NEAR(narrow.width(), fullTeapot.width() * projection.narrowScale, 3);

        EXPECT_EQ(resizedShot(640, 480), full) << "back at its first size, as it was";
        if (projection.key != std::string("1")) {
            EXPECT_GT(differingScenePixels(full, initial), 500) << "a perspective look";
        }
    }
    EXPECT_EQ(shot(), initial) << "back to the orthographic projection";
}

TEST_F(Showcase, OwnKeysRestyleTheTitleAndEscapeQuitsWithStatusZero)
{
    const Image initial = shot();
    for (const char* key : {"b", "s", "minus", "a"}) {
        ASSERT_TRUE(typeKeys(window, key));
        EXPECT_NE(shot(), initial) << "key " << key;
    }
    ASSERT_TRUE(typeKeys(window, "b s plus A"));
    EXPECT_EQ(shot(), initial) << "each change undone";

    ASSERT_TRUE(typeKeys(window, "Escape"));
    EXPECT_TRUE(endsWithStatusZero(program));
    EXPECT_EQ(programOutput(program), "");
}

TEST_F(Showcase, AStillPictureCostsNoProcessorTime)
{
    shot();  // the program has read every event and drawn: it is still now
    // Nothing should happen, so there is nothing to wait for: the program
    // is watched for three seconds.
    const double before = cpuSeconds(program.pid);
    waitMilliseconds(3000);
    EXPECT_LT(cpuSeconds(program.pid) - before, 0.2);
}

TEST_F(Showcase, RResetsTheViewToTheStartPicture)
{
    const Image initial = shot();
    ASSERT_TRUE(shiftDrag(20, 10));
    ASSERT_TRUE(typeKeys(window, "x alt+Right shift+Return"));
    EXPECT_NE(shot(), initial);
    ASSERT_TRUE(typeKeys(window, "r"));
    EXPECT_EQ(shot(), initial);
    EXPECT_EQ(shot(), initial) << "the auto-rotation stopped too";
}

TEST_F(Showcase, AClickMarksThePointHitAndPSavesThePictureShown)
{
    const Image initial = shot();
    const PixelRect middle{200, 150, 240, 200};
    const auto markGreen = [](Rgb p) { return p.g > 200 && p.r < 60 && p.b < 60; };
    ASSERT_EQ(countPixels(initial, middle, markGreen), 0);

    ASSERT_TRUE(leftClick(320, 250));
    const Image marked = shot();
    EXPECT_GT(countPixels(marked, middle, markGreen), 100) << "a cross and its coordinates";

    ASSERT_TRUE(typeKeys(window, "p p"));
    EXPECT_EQ(shot(), marked);
    // The picture shown does not change: wait for what the program says.
    const std::string saved = "saved vestrane-showcase-1.png\nsaved vestrane-showcase-2.png\n";
    EXPECT_TRUE(waitUntil("both pictures saved", [&] { return programOutput(program) == saved; }))
        << programOutput(program);
    EXPECT_EQ(readPngFile(scratch / "vestrane-showcase-2.png"), marked);

    ASSERT_TRUE(leftClick(60, 240));
    EXPECT_EQ(shot(), initial) << "a click on the background clears the mark";
}

TEST_F(Showcase, AtTextScaleTwoTheWindowAndTheSceneAreTwiceAsLarge)
{
    const Extent normal = teapotExtent(shot());
    startShowcase(2);
    EXPECT_EQ(windowGeometry(window).width, 1280);
    const Image large = shot();
    EXPECT_EQ(large.height, 960);
    EXPECT_NEAR(teapotExtent(large).width(), 2 * normal.width(), 4);
}

TEST_F(Showcase, AtTextScaleTwoTheStatusLinesHelpAndTeapotCaptionAreTwiceAsWide)
{
    // Widths from the 10-pixel margin to the end of the top status line
    // (yellow) and of the longest help line (grey), and of the white
    // caption under the teapot.
    const auto widths = [](const Image& image, int scale) {
        const int h = image.height;
        const auto caption = inkColumns(image, 250 * scale, h - 83 * scale, {255, 255, 255});
        return std::array<int, 3>{inkColumns(image, 0, 20 * scale, {191, 191, 0}).second - 10,
                                  inkColumns(image, h - 83 * scale, h, {191, 191, 191}).second - 10,
                                  caption.second - caption.first};
    };
    const std::array<int, 3> normal = widths(shot(), 1);
    ASSERT_GT(normal[0], 300);
    ASSERT_GT(normal[1], 400);
    ASSERT_GT(normal[2], 150);
    startShowcase(2);
    const std::array<int, 3> large = widths(shot(), 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(large[i], 2 * normal[i], 0.03 * normal[i]) << "status, help, caption: " << i;
}
