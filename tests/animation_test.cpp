/*
 * The light placements as functions of the frame count, including counts
 * near the top of the int range, where doubling or stepping would overflow.
 */
#include "demo/animation.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(Animation, SweepingLightIsATriangleWaveOf200Frames)
{
    EXPECT_FLOAT_EQ(sweepingLightX(0), 10.0f);
    EXPECT_FLOAT_EQ(sweepingLightX(1), 9.8f);
    EXPECT_FLOAT_EQ(sweepingLightX(50), 0.0f);
    EXPECT_FLOAT_EQ(sweepingLightX(100), -10.0f);
    EXPECT_FLOAT_EQ(sweepingLightX(150), 0.0f);
    EXPECT_FLOAT_EQ(sweepingLightX(199), 9.8f);
    EXPECT_FLOAT_EQ(sweepingLightX(200), 10.0f);
}

TEST(Animation, TurningAngleStepsTwoDegreesWithAPeriodOf180Frames)
{
    EXPECT_EQ(turningAngle(0), 0.0f);
    EXPECT_EQ(turningAngle(1), 2.0f);
    EXPECT_EQ(turningAngle(100), 200.0f);
    EXPECT_EQ(turningAngle(179), 358.0f);
    EXPECT_EQ(turningAngle(180), 0.0f);
    EXPECT_EQ(turningAngle(200), 40.0f);
}

TEST(Animation, FormulasAreExactForEveryCountBelowTwoToThe30)
{
    for (int frame : {0, 7, 12345, 999999, (1 << 30) - 1}) {
        const int r = frame % 200;
        EXPECT_EQ(sweepingLightX(frame),
                  static_cast<float>((r > 100 ? r - 100 : 100 - r) / 5.0 - 10.0))
            << frame;
        EXPECT_EQ(turningAngle(frame), static_cast<float>((2 * frame) % 360)) << frame;
    }
}

TEST(Animation, CountsNearTheTopOfTheIntRangeKeepTheAnimationSmooth)
{
    // Run under the sanitizer build: any signed overflow here fails the test.
    int frame = INT_MAX - 3;
    float previousX = sweepingLightX(frame);
    float previousAngle = turningAngle(frame);
    for (int step = 0; step < 10; ++step) {
        frame = nextFrameCount(frame);
        EXPECT_GE(frame, 0);
        const float x = sweepingLightX(frame);
        const float angle = turningAngle(frame);
        EXPECT_NEAR(std::abs(x - previousX), 0.2f, 1e-5f) << "frame " << frame;
        const float turn = angle - previousAngle;
        EXPECT_TRUE(turn == 2.0f || turn == -358.0f) << "frame " << frame;
        previousX = x;
        previousAngle = angle;
    }
    EXPECT_EQ(nextFrameCount(0), 1);
    EXPECT_EQ(nextFrameCount(INT_MAX - 1), INT_MAX);
}
