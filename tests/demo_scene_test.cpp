/*
 * The demo end to end: the real program on the test X server, driven with
 * xdotool, judged by screenshots of its main window.
 */
#include "tests/harness/demo_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

bool isBackground(Rgb p)
{
    return std::abs(p.r - 128) <= 2 && std::abs(p.g - 128) <= 2 && std::abs(p.b - 128) <= 2;
}

/* Lit by light 0's red diffuse alone: red with no green or blue in it. */
bool isPureRed(Rgb p)
{
    return p.r > 80 && p.g < 30 && p.b < 30;
}

/* Lit by a light with green in it: only light 1 (yellow) has any. */
bool hasGreenLight(Rgb p)
{
    return !isBackground(p) && p.g > 60;
}

struct Extent {
    int left, right, top, bottom;
};

/* The bounding box of everything that is not background. */
Extent sphereExtent(const Image& image)
{
    Extent e{image.width, -1, image.height, -1};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!isBackground(image.at(x, y))) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
        }
    }
    return e;
}

class DemoScene : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(launchDemo(demo, false));
    }
    void TearDown() override
    {
        stopProgram(demo.program);
    }

    /* The most pixels passing `test` in screenshots of successive new
     * frames, all drawn after the last key was read: of twelve frames or
     * more; then, until one shows more than `enough`, of more frames up to
     * a whole light period. Where no pixel should pass (no `enough`), of a
     * quarter of the period, which shows the lights in many places. */
    int mostPixels(const std::function<bool(Rgb)>& test, int enough = -1)
    {
        constexpr int lightPeriod = 200;  // frames
        const int minimum = enough < 0 ? lightPeriod / 4 : 12;
        Image last = redrawnShot(demo.scene);
        int most = countPixels(last, {0, 0, last.width, last.height}, test);
        int frames = 1;
        while (frames < minimum || (most <= enough && frames < lightPeriod)) {
            Image shot;
            const auto newFrame = [&] {
                shot = captureWindow(demo.scene);
                return shot != last;
            };
            if (!waitUntil("frame " + std::to_string(frames + 1) + " of the animation", newFrame)) {
                break;
            }
            most = std::max(most, countPixels(shot, {0, 0, shot.width, shot.height}, test));
            last = shot;
            ++frames;
        }
        EXPECT_GE(frames, minimum) << "the animation runs";
        return most;
    }

    DemoWindows demo;
};

}  // namespace

TEST_F(DemoScene, OpensTitledWindowWithGreyBackgroundAndLitSphere)
{
    const WindowGeometry geometry = windowGeometry(demo.scene);
    EXPECT_EQ(geometry.x, 50);
    EXPECT_EQ(geometry.y, 50);
    EXPECT_EQ(geometry.width, 250);
    EXPECT_EQ(geometry.height, 250);

    const Image shot = redrawnShot(demo.scene);
    for (PixelRect corner : {PixelRect{0, 0, 20, 20}, PixelRect{230, 0, 20, 20},
                             PixelRect{0, 230, 20, 20}, PixelRect{230, 230, 20, 20}}) {
        EXPECT_EQ(countPixels(shot, corner, isBackground), 400);
    }
    // The sphere, 8 of the 10 units across, is 200 pixels wide and round.
    const Extent sphere = sphereExtent(shot);
    EXPECT_NEAR(sphere.right - sphere.left + 1, 200, 2);
    EXPECT_NEAR(sphere.bottom - sphere.top + 1, 200, 2);
    const RegionStats middle = regionStats(shot, {75, 75, 100, 100});
    EXPECT_GT(middle.meanR + middle.meanG + middle.meanB, 60) << "the front of the sphere is lit";
}

TEST_F(DemoScene, EnterCyclesBothLightsThenYellowMagentaThenRedBlue)
{
    EXPECT_GT(mostPixels(isPureRed, 200), 200);

    ASSERT_TRUE(typeKeys(demo.scene, "Return"));
    EXPECT_EQ(mostPixels(isPureRed), 0) << "light 0 is off";
    EXPECT_GT(mostPixels(hasGreenLight, 200), 200) << "light 1 lights the sphere";

    ASSERT_TRUE(typeKeys(demo.scene, "Return"));
    EXPECT_EQ(mostPixels(hasGreenLight), 0) << "light 1 is off";
    EXPECT_GT(mostPixels(isPureRed, 200), 200) << "light 0 lights the sphere";

    ASSERT_TRUE(typeKeys(demo.scene, "Return"));
    EXPECT_GT(mostPixels(hasGreenLight, 200), 200);

    // Shift+Enter belongs to the auto-rotation switch, not to the lights.
    ASSERT_TRUE(typeKeys(demo.scene, "shift+Return"));
    EXPECT_GT(mostPixels(hasGreenLight, 200), 200);
}

TEST_F(DemoScene, SpaceFreezesThePictureAndResumesIt)
{
    ASSERT_TRUE(typeKeys(demo.scene, "space"));
    const Image frozen = redrawnShot(demo.scene);
    EXPECT_EQ(redrawnShot(demo.scene), frozen);
    ASSERT_TRUE(typeKeys(demo.scene, "a"));
    EXPECT_EQ(redrawnShot(demo.scene), frozen) << "an unused key changes nothing";

    ASSERT_TRUE(typeKeys(demo.scene, "space"));
    EXPECT_NE(redrawnShot(demo.scene), frozen);
}

TEST_F(DemoScene, TurningTheSceneThereAndBackGivesTheSamePicture)
{
    ASSERT_TRUE(typeKeys(demo.scene, "space"));
    const Image before = redrawnShot(demo.scene);
    ASSERT_TRUE(typeKeys(demo.scene, "x", 45));
    const Image turned = redrawnShot(demo.scene);
    EXPECT_GT(differingPixels(turned, before), 1000) << "a quarter turn about x moves the lights";
    ASSERT_TRUE(typeKeys(demo.scene, "X", 45));
    EXPECT_EQ(redrawnShot(demo.scene), before);
}

TEST_F(DemoScene, ResizedWindowKeepsTheSphereRound)
{
    // Grown to 400 x 300 the window would reach under the values window.
    const XWindow values = findWindowByTitle("Valeurs");
    ASSERT_NE(values, 0u) << "the values window";
    ASSERT_TRUE(xdotool("windowmove --sync " + std::to_string(values) + " 600 600"));
    ASSERT_TRUE(xdotool("windowsize --sync " + std::to_string(demo.scene) + " 400 300"));
    const Image shot = redrawnShot(demo.scene);
    ASSERT_EQ(shot.width, 400);
    ASSERT_EQ(shot.height, 300);
    // 8 units of the 10 visible vertically: 240 pixels both ways, centred.
    const Extent sphere = sphereExtent(shot);
    EXPECT_NEAR(sphere.right - sphere.left + 1, 240, 2);
    EXPECT_NEAR(sphere.bottom - sphere.top + 1, 240, 2);
    EXPECT_NEAR((sphere.left + sphere.right) / 2.0, 200, 2);
    EXPECT_NEAR((sphere.top + sphere.bottom) / 2.0, 150, 2);
}

TEST_F(DemoScene, EscapeQuitsWithStatusZeroPrintingNothing)
{
    ASSERT_TRUE(typeKeys(demo.scene, "Escape"));
    EXPECT_TRUE(endsWithStatusZero(demo.program));
    EXPECT_EQ(programOutput(demo.program), "");
}

TEST_F(DemoScene, QuitterMenuEntryQuitsWithStatusZero)
{
    ASSERT_TRUE(chooseFirstMenuEntry(demo.scene));
    EXPECT_TRUE(endsWithStatusZero(demo.program));
    EXPECT_EQ(programOutput(demo.program), "");
}
