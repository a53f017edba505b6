/*
 * color_alloc_test.cpp - heap behaviour of the colour library: how many
 * allocations copies and ramps make, that each is released exactly once,
 * and that an exhausted heap yields null without leaking.
 *
 * Depends on: support/color/color.h, GoogleTest. Must be linked with
 * -Wl,--wrap=calloc -Wl,--wrap=free, with the colour library linked
 * statically, so that the library's calloc and free calls land in the
 * recording wrappers below.
 */
#include "support/color/color.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdlib>

extern "C" {
void* __real_calloc(std::size_t count, std::size_t size);
void __real_free(void* pointer);
void* __wrap_calloc(std::size_t count, std::size_t size);
void __wrap_free(void* pointer);
}

namespace {

// ---------------------------------------------------------------------------
// State: what the wrappers saw while recording
// ---------------------------------------------------------------------------

constexpr int maxRecorded = 600;

struct Recording {
    bool active;
    int failAt;     // 1-based number of the calloc call to fail, 0 for none
    int calls;      // calloc calls seen, including the failed one
    int handedOut;  // pointers actually returned
    std::array<void*, maxRecorded> pointers;
    std::array<int, maxRecorded> freeCounts;
};

Recording recording{};

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

void startRecording(int failAt)
{
    recording = Recording{};
    recording.failAt = failAt;
    recording.active = true;
}

void stopRecording()
{
    recording.active = false;
}

void expectEachHandedOutFreedOnce()
{
    for (int i = 0; i < recording.handedOut; ++i) {
        EXPECT_EQ(recording.freeCounts[i], 1) << "allocation " << i + 1;
    }
}

struct RampMaker {
    const char* name;
    Color** (*make)();
};

constexpr std::array<RampMaker, 2> rampMakers = {{
    {"rainbow", makeRainbowRamp},
    {"grey", makeGreyRamp},
}};

}  // namespace

// ---------------------------------------------------------------------------
// Wrappers
// ---------------------------------------------------------------------------

void* __wrap_calloc(std::size_t count, std::size_t size)
{
    if (!recording.active) {
        return __real_calloc(count, size);
    }
    if (++recording.calls == recording.failAt) {
        return nullptr;
    }
    void* pointer = __real_calloc(count, size);
    if (pointer != nullptr && recording.handedOut < maxRecorded) {
        recording.pointers[recording.handedOut++] = pointer;
    }
    return pointer;
}

void __wrap_free(void* pointer)
{
    for (int i = 0; recording.active && i < recording.handedOut; ++i) {
        if (recording.pointers[i] == pointer) {
            ++recording.freeCounts[i];
            break;
        }
    }
    __real_free(pointer);
}

// ---------------------------------------------------------------------------
// Tests
// ---------------------------------------------------------------------------

namespace {

TEST(ColorAllocation, CopyMakesOneAllocationAndYieldsNullWhenRefused)
{
    startRecording(0);
    Color* copy = copyColor(colorBrick());
    freeColor(copy);
    stopRecording();
    EXPECT_NE(copy, nullptr);
    EXPECT_EQ(recording.calls, 1);
    expectEachHandedOutFreedOnce();

    startRecording(1);
    Color* refused = copyColor(colorBrick());
    stopRecording();
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(recording.calls, 1);
}

TEST(ColorAllocation, RampMakes257AllocationsEachReleasedOnceByFreeRamp)
{
    for (const RampMaker& maker : rampMakers) {
        SCOPED_TRACE(maker.name);
        startRecording(0);
        Color** ramp = maker.make();
        freeRamp(ramp);
        stopRecording();
        ASSERT_NE(ramp, nullptr);
        EXPECT_EQ(recording.calls, 257);
        EXPECT_EQ(recording.handedOut, 257);
        expectEachHandedOutFreedOnce();
    }
}

TEST(ColorAllocation, RefusedRampAllocationYieldsNullAndReleasesEarlierOnes)
{
    for (const RampMaker& maker : rampMakers) {
        for (int failAt : {1, 2, 100, 257}) {
            SCOPED_TRACE(testing::Message() << maker.name << " failing allocation " << failAt);
            startRecording(failAt);
            Color** ramp = maker.make();
            stopRecording();
            EXPECT_EQ(recording.calls, failAt) << "no allocation after the refused one";
            EXPECT_EQ(recording.handedOut, failAt - 1);
            expectEachHandedOutFreedOnce();
            EXPECT_EQ(ramp, nullptr);
            freeRamp(ramp);
        }
    }
}

}  // namespace
