/*
 * animation.cpp - the light placements as pure functions of the frame count
 *
 * Depends on: the C++ standard library only.
 */
#include "demo/animation.h"

#include <climits>
#include <cstdlib>

namespace {

constexpr int sweepPeriod = 200;
constexpr int turnPeriod = 180;
/* Both periods divide it: frames this far apart show the same picture. */
constexpr int fullCycle = 1800;
static_assert(fullCycle % sweepPeriod == 0 && fullCycle % turnPeriod == 0);

}  // namespace

float sweepingLightX(int frame)
{
    const int distanceFromMiddle = frame % sweepPeriod - 100;
    return static_cast<float>(std::abs(distanceFromMiddle) / 5.0 - 10.0);
}

float turningAngle(int frame)
{
    /* (2 * frame) % 360 without doubling the whole count, which would
     * overflow from 2^30 frames on; equal wherever the product fits. */
    return static_cast<float>(2 * (frame % turnPeriod));
}

int nextFrameCount(int frame)
{
    if (frame == INT_MAX) {
        return INT_MAX % fullCycle + 1;
    }
    return frame + 1;
}
