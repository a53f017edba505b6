/*
 * The view transform and the rotation keys, driven by real key events
 * through freeglut. The view state is read back through the GL matrix that
 * applyKeyRotation and applyMouseTransform build on an identity matrix.
 */
#include "support/view/view.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/x_input.h"
#include "tests/view_matrices.h"

#include <GL/glut.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <utility>

namespace {

struct KeyRecord {
    int events = 0;
    unsigned char key = 0;
    int code = -1;
    int taken = -1;
};

KeyRecord lastKey;

void recordKey(unsigned char key, int x, int y)
{
    lastKey.code = modifierCode();
    lastKey.key = key;
    lastKey.taken = handleRotationKey(key, x, y);
    ++lastKey.events;
}

class RotationKeys : public ::testing::Test {
  protected:
    void SetUp() override
    {
        window = openTestWindow("rotation keys", 200, 200, 20, 20);
        glutKeyboardFunc(recordKey);
        movePointerInto(xWindowOf(window), 100, 100);
        setKeyAngles(0, 0, 0);
        lastKey = KeyRecord{};
    }
    void TearDown() override
    {
        closeTestWindow(window);
    }

    /* Sends one key as a user would and waits for the callback. */
    KeyRecord press(XKeySym key, unsigned held = holdNone)
    {
        const int before = lastKey.events;
        tapKey(key, held);
        EXPECT_TRUE(pumpEventsUntil("the key's callback", [&] { return lastKey.events > before; }));
        return lastKey;
    }

    int window = 0;
};

}  // namespace

TEST_F(RotationKeys, InitialViewIsTheIdentity)
{
    const Matrix identity = matrixOf([] {});
    EXPECT_EQ(keyRotation(), identity);
    EXPECT_EQ(mouseTransform(), identity);
}

TEST_F(RotationKeys, KeysAddExactTwoDegreeStepsWithoutWrapping)
{
    for (int i = 0; i < 180; ++i) {
        tapKey(XK_x);
    }
    EXPECT_TRUE(pumpEventsUntil("180 key callbacks", [] { return lastKey.events == 180; }));
    // 360 degrees is not 0: GL's rotation by 360 leaves a float residue.
    ASSERT_NE(expectedKeyRotation(360, 0, 0), expectedKeyRotation(0, 0, 0));
    EXPECT_EQ(keyRotation(), expectedKeyRotation(360, 0, 0));

    setKeyAngles(0, 0, 0);
    EXPECT_EQ(press(XK_x, holdShift).key, 'X');
    const std::pair<XKeySym, unsigned> keys[] = {
        {XK_x, holdShift}, {XK_x, holdShift}, {XK_y, holdNone},  {XK_z, holdNone},
        {XK_z, holdNone},  {XK_y, holdShift}, {XK_y, holdShift}, {XK_z, holdShift}};
    for (const auto& [key, held] : keys)
        EXPECT_EQ(press(key, held).taken, 1) << "each rotation key is taken";
    EXPECT_EQ(keyRotation(), expectedKeyRotation(-6, -2, 2));
    EXPECT_EQ(mouseTransform(), matrixOf([] {}));
}

TEST_F(RotationKeys, GettersReadTheKeysBackAndResetViewKeepsOnlyTheConfiguration)
{
    press(XK_x);
    press(XK_x);
    press(XK_y, holdShift);
    press(XK_Return, holdShift);
    float x = 0, y = 0, z = 1;
    getKeyAngles(&x, &y, &z);
    EXPECT_EQ(x, 4.0f);
    EXPECT_EQ(y, -2.0f);
    EXPECT_EQ(z, 0.0f);
    getKeyAngles(nullptr, &y, nullptr);  // NULL pointers are skipped
    EXPECT_EQ(getAutoRotate(), 1);

    setMouseAngles(10, 20, 30);
    setPanFactor(2.5f);
    setAutoRotateWindow(window);
    setAutoRotateSpeed(3.0f);
    resetView();
    const Matrix identity = matrixOf([] {});
    EXPECT_EQ(keyRotation(), identity);
    EXPECT_EQ(mouseTransform(), identity);
    EXPECT_EQ(getAutoRotate(), 0);
    EXPECT_EQ(getAutoRotateSpeed(), 1.0f);
    EXPECT_EQ(getPanFactor(), 2.5f);
    EXPECT_EQ(getAutoRotateWindow(), window);
    setPanFactor(1.0f);
    setAutoRotateWindow(-1);
}

TEST_F(RotationKeys, ModifierCodesFollowShiftThenCtrlThenAlt)
{
    struct Case {
        unsigned held;
        int code;
    };
    const Case cases[] = {
        {holdNone, 0},
        {holdShift, 1},
        {holdShift | holdCtrl, 2},
        {holdCtrl, 3},
        {holdAlt, 4},
        {holdShift | holdAlt, 1},
        {holdCtrl | holdAlt, 3},
        {holdShift | holdCtrl | holdAlt, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(press(XK_a, c.held).code, c.code) << "held " << c.held;
        EXPECT_EQ(lastKey.taken, 0);
    }
    EXPECT_EQ(keyRotation(), matrixOf([] {}));
}

TEST_F(RotationKeys, EnterIsTakenOnlyWithShift)
{
    EXPECT_EQ(press(XK_Return, holdShift).taken, 1);
    EXPECT_EQ(press(XK_Return, holdShift).taken, 1);
    EXPECT_EQ(press(XK_Return).taken, 0);
    EXPECT_EQ(press(XK_Return, holdCtrl).taken, 0);
    EXPECT_EQ(press(XK_Return, holdAlt).taken, 0);
    EXPECT_EQ(lastKey.key, 13);
    EXPECT_EQ(keyRotation(), matrixOf([] {}));
}

TEST_F(RotationKeys, RotationKeyCallbackPostsARedisplayOnlyForTakenKeys)
{
    static int redraws = 0;
    redraws = 0;
    glutDisplayFunc([] { ++redraws; });
    glutKeyboardFunc(rotationKeyCallback);
    pumpPendingEvents();
    redraws = 0;
    tapKey(XK_a);
    pumpPendingEvents();
    EXPECT_EQ(redraws, 0) << "the key was handled, and asked for no redisplay";
    tapKey(XK_y);
    EXPECT_TRUE(pumpEventsUntil("a redisplay", [] { return redraws > 0; }));
    EXPECT_EQ(keyRotation(), expectedKeyRotation(0, 2, 0));
}

TEST_F(RotationKeys, EscapeEndsTheProcessWithStatusZeroWhateverIsHeld)
{
    EXPECT_EXIT(
        {
            tapKey(XK_Escape, holdShift | holdCtrl | holdAlt);
            // Nothing but the exit ends this wait.
            static_cast<void>(pumpEventsUntil("the exit", [] { return false; }));
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}
