/*
 * The gallery of examples end to end: each program runs on the test X
 * server, shows in every window something it must draw (a label's ink, the
 * colour bar's colours) in frames drawn after it started, and ends with
 * status 0 and nothing printed on its quit key. The examples that take the
 * screen's text scale open their windows that much larger.
 */
#include "tests/harness/demo_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#ifndef VESTRANE_EXAMPLES_DIR
#error "VESTRANE_EXAMPLES_DIR must name the directory of the built examples"
#endif

namespace {

/* At least `minimum` pixels of `region` within a few steps of `colour`. */
struct Ink {
    const char* what;
    Rgb colour;
    PixelRect region;
    int minimum;
};

struct ExampleWindow {
    const char* title;
    std::vector<Ink> inks;
};

struct Example {
    const char* program;
    std::vector<ExampleWindow> windows;
    const char* quitKey;          // an xdotool key name, typed in the last window
    const char* click = nullptr;  // "x y": a plain left click in the first window, first
};

constexpr Rgb yellow{255, 255, 0};
constexpr PixelRect wholeHello{0, 0, 320, 120};
constexpr PixelRect wholePlot{0, 0, 480, 360};
// The heat map's colour bar, right of its grid; the numbers right of it.
constexpr PixelRect colourBar{420, 40, 18, 292};
constexpr PixelRect barNumbers{445, 30, 35, 310};
// The two lines of text at the top of each of the two windows.
constexpr PixelRect textLines{0, 0, 300, 40};
constexpr PixelRect wholeLabels{0, 0, 480, 360};
constexpr PixelRect labelsTitle{0, 0, 480, 80};

const Example examples[] = {
    {"vestrane-hello", {{"Vestrane hello", {{"greeting", yellow, wholeHello, 100}}}}, "Escape"},
    {"vestrane-plot",
     {{"Vestrane plot",
       {{"tick labels", {191, 191, 191}, wholePlot, 150},
        {"curve", {0, 255, 255}, wholePlot, 300}}}},
     "q"},
    {"vestrane-heatmap",
     {{"Vestrane heatmap",
       {{"bar: green", {0, 255, 0}, colourBar, 10},
        {"bar: cyan", {0, 255, 255}, colourBar, 10},
        {"bar: blue", {0, 0, 255}, colourBar, 10},
        {"bar: magenta", {255, 0, 255}, colourBar, 10},
        {"bar: red", {255, 0, 0}, colourBar, 10},
        {"bar: yellow", yellow, colourBar, 10},
        {"bar numbers", {255, 255, 255}, barNumbers, 100}}}},
     "Escape"},
    {"vestrane-two-windows",
     {{"Vestrane orthographic", {{"bold text", {0, 255, 255}, textLines, 150}}},
      {"Vestrane perspective", {{"Greek text", {191, 191, 0}, textLines, 150}}}},
     "q"},
    {"vestrane-picking",
     {{"Vestrane picking",
       {{"help", {191, 191, 191}, PixelRect{0, 0, 200, 40}, 60},
        {"mark on the ball", yellow, PixelRect{150, 140, 250, 60}, 80}}}},
     "Escape",
     "165 170"},
    {"vestrane-labels",
     {{"Vestrane labels",
       {{"title", {128, 128, 255}, labelsTitle, 400},
        {"city names", {255, 255, 255}, wholeLabels, 150},
        {"temperatures", {191, 191, 0}, wholeLabels, 50}}}},
     "q"},
#ifdef VESTRANE_GALLERY_GLFW  // built where GLFW is found
    {"vestrane-glfw-labels",
     {{"Vestrane GLFW labels",
       {{"corner labels", {255, 255, 255}, PixelRect{0, 0, 480, 360}, 100},
        {"status line", yellow, PixelRect{0, 320, 480, 40}, 200}}}},
     "q"},
#endif
};

void PrintTo(const Example& example, std::ostream* out)
{
    *out << example.program;
}

bool near(Rgb p, Rgb q)
{
    return std::abs(p.r - q.r) <= 8 && std::abs(p.g - q.g) <= 8 && std::abs(p.b - q.b) <= 8;
}

class Gallery : public ::testing::TestWithParam<Example> {
  protected:
    void TearDown() override
    {
        stopProgram(program);
    }

    RunningProgram program;
};

}  // namespace

TEST_P(Gallery, DrawsInEveryWindowAndQuitsWithStatusZero)
{
    const Example& example = GetParam();
    program = startProgram(std::string(VESTRANE_EXAMPLES_DIR) + "/" + example.program);
    std::vector<XWindow> windows;
    for (const ExampleWindow& expected : example.windows) {
        windows.push_back(findWindowByTitle(expected.title));
        ASSERT_NE(windows.back(), 0u) << expected.title;
        ASSERT_TRUE(waitForFirstFrame(windows.back())) << expected.title;
    }
    if (example.click != nullptr) {
        ASSERT_TRUE(xdotool("mousemove --window " + std::to_string(windows.front()) + " " +
                            example.click + " click 1"));
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const Image shot = redrawnShot(windows[i]);
        for (const Ink& ink : example.windows[i].inks) {
            const int pixels =
                countPixels(shot, ink.region, [&](Rgb p) { return near(p, ink.colour); });
            EXPECT_GE(pixels, ink.minimum) << example.windows[i].title << ": " << ink.what;
        }
    }
    ASSERT_TRUE(typeKeys(windows.back(), example.quitKey));
    EXPECT_TRUE(endsWithStatusZero(program));
    EXPECT_EQ(programOutput(program), "");
}

INSTANTIATE_TEST_SUITE_P(Examples, Gallery, ::testing::ValuesIn(examples),
                         [](const ::testing::TestParamInfo<Example>& info) {
                             std::string name = info.param.program + sizeof "vestrane-" - 1;
                             for (char& c : name) {
                                 c = c == '-' ? '_' : c;
                             }
                             return name;
                         });

TEST(GalleryAtTextScaleTwo, HelloAndLabelsOpenTheirWindowsTwiceAsLarge)
{
    struct Scaled {
        const char* program;
        const char* title;
        int width, height;  // at text scale 1
    };
    setenv("VESTRANE_TEXT_SCALE", "2", 1);
    for (const Scaled& example : {Scaled{"vestrane-hello", "Vestrane hello", 320, 120},
                                  Scaled{"vestrane-labels", "Vestrane labels", 480, 360}}) {
        RunningProgram program =
            startProgram(std::string(VESTRANE_EXAMPLES_DIR) + "/" + example.program);
        const XWindow window = findWindowByTitle(example.title);
        if (window == 0 || !waitForFirstFrame(window)) {
            ADD_FAILURE() << example.title << ": no window drawn";
        } else {
            EXPECT_EQ(windowGeometry(window).width, 2 * example.width) << example.title;
            EXPECT_EQ(windowGeometry(window).height, 2 * example.height) << example.title;
        }
        stopProgram(program);
    }
    unsetenv("VESTRANE_TEXT_SCALE");
}
