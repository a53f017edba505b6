/*
 * color_test.cpp - tests of the colour library: named colours, builders and
 * their buffers, heap copies, rainbow and grey ramps. Needs no GL context.
 *
 * Depends on: support/color/color.h, GoogleTest.
 */
#include "support/color/color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

constexpr float rampTolerance = 1e-6f;

struct NamedColor {
    const char* name;
    Color* (*getter)();
    Color* (*withAlpha)(float);  // null for the colour that has no builder
    float red, green, blue;
};

const std::vector<NamedColor>& namedColors()
{
    static const std::vector<NamedColor> colors = {
        {"White", colorWhite, colorWhiteWithAlpha, 1, 1, 1},
        {"Yellow", colorYellow, colorYellowWithAlpha, 1, 1, 0},
        {"Cyan", colorCyan, colorCyanWithAlpha, 0, 1, 1},
        {"Magenta", colorMagenta, colorMagentaWithAlpha, 1, 0, 1},
        {"Red", colorRed, colorRedWithAlpha, 1, 0, 0},
        {"Green", colorGreen, colorGreenWithAlpha, 0, 1, 0},
        {"Blue", colorBlue, colorBlueWithAlpha, 0, 0, 1},
        {"Black", colorBlack, colorBlackWithAlpha, 0, 0, 0},
        {"Grey10", colorGrey10, colorGrey10WithAlpha, 0.1f, 0.1f, 0.1f},
        {"Grey25", colorGrey25, colorGrey25WithAlpha, 0.25f, 0.25f, 0.25f},
        {"Grey50", colorGrey50, colorGrey50WithAlpha, 0.5f, 0.5f, 0.5f},
        {"Grey75", colorGrey75, colorGrey75WithAlpha, 0.75f, 0.75f, 0.75f},
        {"MediumYellow", colorMediumYellow, colorMediumYellowWithAlpha, 0.75f, 0.75f, 0},
        {"DarkYellow", colorDarkYellow, colorDarkYellowWithAlpha, 0.5f, 0.5f, 0},
        {"DarkCyan", colorDarkCyan, colorDarkCyanWithAlpha, 0, 0.5f, 0.5f},
        {"DarkMagenta", colorDarkMagenta, colorDarkMagentaWithAlpha, 0.5f, 0, 0.5f},
        {"DarkRed", colorDarkRed, colorDarkRedWithAlpha, 0.5f, 0, 0},
        {"DarkGreen", colorDarkGreen, colorDarkGreenWithAlpha, 0, 0.5f, 0},
        {"DarkBlue", colorDarkBlue, colorDarkBlueWithAlpha, 0, 0, 0.5f},
        {"Tan", colorTan, nullptr, 0.8f, 0.6f, 0.4f},
        {"Pink", colorPink, colorPinkWithAlpha, 1, 0.65f, 0.65f},
        {"Brick", colorBrick, colorBrickWithAlpha, 0.6f, 0.25f, 0.25f},
        {"LightBlue", colorLightBlue, colorLightBlueWithAlpha, 0.5f, 0.5f, 1},
        {"SlateBlue", colorSlateBlue, colorSlateBlueWithAlpha, 0.25f, 0.25f, 0.5f},
    };
    return colors;
}

// Table and builder values are stored literals, compared exactly; ramp
// values are computed, compared to six decimals.
void expectColor(const Color* color, float red, float green, float blue, float alpha,
                 float tolerance = 0)
{
    ASSERT_NE(color, nullptr);
    EXPECT_NEAR(color[0], red, tolerance);
    EXPECT_NEAR(color[1], green, tolerance);
    EXPECT_NEAR(color[2], blue, tolerance);
    EXPECT_NEAR(color[3], alpha, tolerance);
}

bool insideTable(const Color* color)
{
    const auto address = reinterpret_cast<std::uintptr_t>(color);
    const auto first = reinterpret_cast<std::uintptr_t>(colorWhite());
    return address >= first && address < first + 24 * 4 * sizeof(Color);
}

// ---------------------------------------------------------------------------
// Named colours and builders
// ---------------------------------------------------------------------------

TEST(NamedColors, TableValuesInOrderAndStablePointers)
{
    const Color* first = colorWhite();
    for (std::size_t i = 0; i < namedColors().size(); ++i) {
        const NamedColor& named = namedColors()[i];
        SCOPED_TRACE(named.name);
        Color* color = named.getter();
        expectColor(color, named.red, named.green, named.blue, 1);
        EXPECT_EQ(color, named.getter()) << "a getter returns its entry, not a copy";
        EXPECT_EQ(color, first + 4 * i) << "entries follow table order";
    }
}

TEST(NamedColors, WritesThroughGetterAreSeenByGetterAndBuilder)
{
    Color* red = colorRed();
    red[1] = 0.5f;
    expectColor(colorRed(), 1, 0.5f, 0, 1);
    expectColor(colorRedWithAlpha(0.3f), 1, 0.5f, 0, 0.3f);
    red[1] = 0;
    expectColor(colorRedWithAlpha(1), 1, 0, 0, 1);
}

TEST(Builders, WithAlphaCopiesTableColourIntoOwnBuffer)
{
    for (const NamedColor& named : namedColors()) {
        if (named.withAlpha == nullptr) {
            continue;
        }
        SCOPED_TRACE(named.name);
        Color* first = named.withAlpha(0.5f);
        expectColor(first, named.red, named.green, named.blue, 0.5f);
        Color* second = named.withAlpha(0.2f);
        EXPECT_EQ(first, second) << "one buffer per builder";
        EXPECT_FLOAT_EQ(first[3], 0.2f) << "the next call overwrites it";
        EXPECT_FLOAT_EQ(named.getter()[3], 1.0f) << "the table entry stays opaque";
    }
}

TEST(Builders, GreyAndMakeColorStoreValuesUnclamped)
{
    expectColor(greyWithAlpha(0.3f, 1), 0.3f, 0.3f, 0.3f, 1);
    expectColor(greyWithAlpha(1.5f, -0.25f), 1.5f, 1.5f, 1.5f, -0.25f);
    expectColor(makeColor(2, -1, 0.5f, 0.7f), 2, -1, 0.5f, 0.7f);
    EXPECT_EQ(makeColor(0, 0, 0, 0), makeColor(1, 1, 1, 1));
}

TEST(Builders, AllTwentyFiveBuffersAreDistinctAndIndependent)
{
    // Give every builder its own alpha, then check that none was overwritten
    // by another and that no buffer aliases another or the table.
    std::vector<Color*> buffers;
    std::vector<float> alphas;
    for (const NamedColor& named : namedColors()) {
        if (named.withAlpha != nullptr) {
            alphas.push_back(0.01f * static_cast<float>(buffers.size() + 1));
            buffers.push_back(named.withAlpha(alphas.back()));
        }
    }
    alphas.push_back(0.9f);
    buffers.push_back(greyWithAlpha(0.4f, alphas.back()));
    alphas.push_back(0.95f);
    buffers.push_back(makeColor(0.1f, 0.2f, 0.3f, alphas.back()));

    ASSERT_EQ(buffers.size(), 25u);
    EXPECT_EQ(std::set<Color*>(buffers.begin(), buffers.end()).size(), 25u);
    for (std::size_t i = 0; i < buffers.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(insideTable(buffers[i]));
        EXPECT_FLOAT_EQ(buffers[i][3], alphas[i]);
    }
    expectColor(buffers[24], 0.1f, 0.2f, 0.3f, 0.95f);
    expectColor(buffers[23], 0.4f, 0.4f, 0.4f, 0.9f);
}

// ---------------------------------------------------------------------------
// Heap colours and ramps
// ---------------------------------------------------------------------------

TEST(HeapColors, CopyIsIndependentOfItsSource)
{
    Color* copy = copyColor(colorPink());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, colorPink());
    expectColor(copy, 1, 0.65f, 0.65f, 1);

    copy[0] = 0.25f;
    expectColor(colorPink(), 1, 0.65f, 0.65f, 1);

    Color* fromBuffer = copyColor(makeColor(0.1f, 0.2f, 0.3f, 0.4f));
    ASSERT_NE(fromBuffer, nullptr);
    makeColor(0, 0, 0, 0);
    expectColor(fromBuffer, 0.1f, 0.2f, 0.3f, 0.4f);

    freeColor(copy);
    freeColor(fromBuffer);

    // Nothing to copy or release: no allocation, no crash.
    EXPECT_EQ(copyColor(nullptr), nullptr);
    freeColor(nullptr);
    freeRamp(nullptr);
}

TEST(Ramps, RainbowPassesThroughPureColoursInEqualSteps)
{
    Color** ramp = makeRainbowRamp();
    ASSERT_NE(ramp, nullptr);
    expectColor(ramp[0], 0, 1, 0, 1, rampTolerance);
    expectColor(ramp[25], 0, 1, 0.490196f, 1, rampTolerance);
    expectColor(ramp[51], 0, 1, 1, 1, rampTolerance);
    expectColor(ramp[52], 0, 0.980392f, 1, 1, rampTolerance);
    expectColor(ramp[102], 0, 0, 1, 1, rampTolerance);
    expectColor(ramp[153], 1, 0, 1, 1, rampTolerance);
    expectColor(ramp[204], 1, 0, 0, 1, rampTolerance);
    expectColor(ramp[255], 1, 1, 0, 1, rampTolerance);

    // Every step changes exactly one channel, by 1/51.
    for (int i = 1; i < 256; ++i) {
        SCOPED_TRACE(i);
        int changed = 0;
        for (int c = 0; c < 3; ++c) {
            const float step = std::fabs(ramp[i][c] - ramp[i - 1][c]);
            if (step > 0) {
                ++changed;
                EXPECT_NEAR(step, 1.0f / 51, rampTolerance);
            }
        }
        EXPECT_EQ(changed, 1);
        EXPECT_EQ(ramp[i][3], 1.0f);
    }
    freeRamp(ramp);
}

TEST(Ramps, GreyRisesFromBlackToWhite)
{
    Color** ramp = makeGreyRamp();
    ASSERT_NE(ramp, nullptr);
    expectColor(ramp[0], 0, 0, 0, 1, rampTolerance);
    expectColor(ramp[51], 0.2f, 0.2f, 0.2f, 1, rampTolerance);
    expectColor(ramp[128], 0.501961f, 0.501961f, 0.501961f, 1, rampTolerance);
    expectColor(ramp[255], 1, 1, 1, 1, rampTolerance);

    for (int i = 1; i < 256; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ramp[i][0], ramp[i][2]);
        EXPECT_EQ(ramp[i][1], ramp[i][2]);
        EXPECT_NEAR(ramp[i][2] - ramp[i - 1][2], 1.0f / 255, rampTolerance);
        EXPECT_EQ(ramp[i][3], 1.0f);
    }
    freeRamp(ramp);
}

TEST(Ramps, EachCallOwnsSeparateEntries)
{
    Color** first = makeGreyRamp();
    Color** second = makeGreyRamp();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);

    std::set<Color*> entries;
    for (int i = 0; i < 256; ++i) {
        entries.insert(first[i]);
        entries.insert(second[i]);
    }
    EXPECT_EQ(entries.size(), 512u);

    first[10][0] = 7;
    EXPECT_NE(second[10][0], 7);
    freeRamp(first);
    freeRamp(second);
}

}  // namespace
