/*
 * Special keys and the auto-rotation: real XTest special keys with
 * modifiers reach a freeglut window whose special-key callback hands them
 * to specialRotationKey; Shift+Enter goes through handleRotationKey. The
 * speed is observed through one auto-rotation step's effect on the mouse
 * angles, the redisplays through display callbacks of two windows.
 */
#include "support/projection/projection.h"
#include "support/view/view.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/x_input.h"
#include "tests/view_matrices.h"

#include <GL/glut.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <limits>

namespace {

struct KeyRecord {
    int events = 0;
    int taken = -1;
    int arrowAndPageKeys = 0;  // freeglut also reports the modifier keys
};

KeyRecord lastSpecial;
KeyRecord lastKey;

void recordSpecial(int key, int x, int y)
{
    lastSpecial.taken = specialRotationKey(key, x, y);
    ++lastSpecial.events;
    lastSpecial.arrowAndPageKeys += key >= GLUT_KEY_LEFT && key <= GLUT_KEY_PAGE_DOWN;
}

void recordKey(unsigned char key, int x, int y)
{
    lastKey.taken = handleRotationKey(key, x, y);
    ++lastKey.events;
}

int redrawsOfMain = 0;
int redrawsOfOther = 0;

/* The mouse view one auto-rotation step from rest gives at this speed. */
Matrix autoRotatedFromRest(float speed)
{
    MouseView v;
    v.angleX = static_cast<float>(static_cast<double>(1.1f) * speed);
    v.angleY = static_cast<float>(static_cast<double>(2.1f) * speed);
    v.angleZ = static_cast<float>(static_cast<double>(3.1f) * speed);
    return expectedMouseTransform(v);
}

Matrix stepFromRest()
{
    setMouseAngles(0, 0, 0);
    autoRotateStep();
    return mouseTransform();
}

class SpecialKeys : public ::testing::Test {
  protected:
    void SetUp() override
    {
        window = openTestWindow("special keys", 200, 200, 20, 20);
        glutSpecialFunc(recordSpecial);
        glutKeyboardFunc(recordKey);
        glutDisplayFunc([] { ++redrawsOfMain; });
        movePointerInto(xWindowOf(window), 100, 100);
        resetView();
    }
    void TearDown() override
    {
        closeTestWindow(window);
    }

    /* Sends one special key as a user would; returns the handler's result. */
    int press(XKeySym key, unsigned held = holdNone)
    {
        const int before = lastSpecial.events;
        tapKey(key, held);
        EXPECT_TRUE(pumpEventsUntil("the special key's callback",
                                    [&] { return lastSpecial.events > before; }));
        return lastSpecial.taken;
    }

    /* Holds a key down `count` times as a user would; returns the speed. */
    float pressRepeatedly(XKeySym key, unsigned held, int count)
    {
        const int before = lastSpecial.arrowAndPageKeys;
        for (int i = 0; i < count; ++i) {
            tapKey(key, held);
        }
        EXPECT_TRUE(pumpEventsUntil(std::to_string(count) + " arrow or page keys", [&] {
            return lastSpecial.arrowAndPageKeys == before + count;
        }));
        return getAutoRotateSpeed();
    }

    /* Shift+Enter, which switches the auto-rotation on or off. */
    void switchAutoRotation()
    {
        const int before = lastKey.events;
        tapKey(XK_Return, holdShift);
        EXPECT_TRUE(
            pumpEventsUntil("Shift+Enter's callback", [&] { return lastKey.events > before; }));
        EXPECT_EQ(lastKey.taken, 1);
    }

    int window = 0;
};

}  // namespace

TEST_F(SpecialKeys, ArrowAndPageKeysStepTheKeyAngles)
{
    EXPECT_EQ(press(XK_Left), 1);
    EXPECT_EQ(keyRotation(), expectedKeyRotation(0, -1, 0));
    EXPECT_EQ(press(XK_Right, holdAlt), 1);
    EXPECT_EQ(keyRotation(), expectedKeyRotation(0, 9, 0));
    EXPECT_EQ(press(XK_Page_Down), 1);
    EXPECT_EQ(press(XK_Down), 1);
    EXPECT_EQ(press(XK_Up, holdAlt), 1);
    EXPECT_EQ(keyRotation(), expectedKeyRotation(-9, 9, 1));
    EXPECT_EQ(press(XK_Page_Up, holdAlt), 1);
    EXPECT_EQ(keyRotation(), expectedKeyRotation(-9, 9, -9));

    // Shift+Ctrl steps a quarter degree, and four of them make a plain step.
    setKeyAngles(0, 0, 0);
    EXPECT_EQ(press(XK_Right, holdShift | holdCtrl), 1);
    EXPECT_EQ(press(XK_Up, holdShift | holdCtrl), 1);
    EXPECT_EQ(keyRotation(), expectedKeyRotation(-0.25f, 0.25f, 0));
    for (int i = 0; i < 4; ++i) {
        press(XK_Page_Down, holdShift | holdCtrl);
    }
    EXPECT_EQ(keyRotation(), expectedKeyRotation(-0.25f, 0.25f, 1));
    EXPECT_EQ(mouseTransform(), expectedMouseTransform({}));
}

TEST_F(SpecialKeys, KeysOutsideTheSixAreLeftAloneWhateverIsHeld)
{
    for (XKeySym key : {XK_F1, XK_Home, XK_End, XK_Insert}) {
        for (unsigned held :
             {0u, 1u * holdShift, 1u * holdCtrl, 1u * holdAlt, holdShift | holdCtrl}) {
            EXPECT_EQ(press(key, held), 0) << "key " << key << " held " << held;
        }
    }
    EXPECT_EQ(keyRotation(), expectedKeyRotation(0, 0, 0));
    switchAutoRotation();
    EXPECT_EQ(stepFromRest(), autoRotatedFromRest(1.0f)) << "the speed is unchanged";
    switchAutoRotation();
}

TEST_F(SpecialKeys, CallbackFormRedisplaysOnlyForTakenKeys)
{
    glutSpecialFunc(specialKeyCallback);
    pumpPendingEvents();
    redrawsOfMain = 0;
    tapKey(XK_F2);
    pumpPendingEvents();
    EXPECT_EQ(redrawsOfMain, 0) << "the key was handled, and asked for no redisplay";
    tapKey(XK_Right);
    EXPECT_TRUE(pumpEventsUntil("a redisplay", [] { return redrawsOfMain > 0; }));
    EXPECT_EQ(keyRotation(), expectedKeyRotation(0, 1, 0));
}

TEST_F(SpecialKeys, ShiftChangesTheAutoRotationSpeedByOnePointOne)
{
    switchAutoRotation();
    EXPECT_EQ(stepFromRest(), autoRotatedFromRest(1.0f));
    EXPECT_EQ(press(XK_Left, holdShift), 1);
    EXPECT_EQ(stepFromRest(), autoRotatedFromRest(1.1f));
    EXPECT_EQ(press(XK_Right, holdShift), 1);
    EXPECT_EQ(stepFromRest(), autoRotatedFromRest(1.0f)) << "back to exactly 1.0";
    EXPECT_EQ(press(XK_Page_Up, holdShift), 1);
    EXPECT_EQ(press(XK_Down, holdShift), 1);
    EXPECT_EQ(press(XK_Up, holdShift), 1);
    EXPECT_EQ(press(XK_Page_Down, holdShift), 1);
    EXPECT_EQ(stepFromRest(), autoRotatedFromRest(1.0f));
    EXPECT_EQ(keyRotation(), expectedKeyRotation(0, 0, 0)) << "Shift steps no angle";
    switchAutoRotation();
}

TEST_F(SpecialKeys, CtrlPresetsResetTheAnglesAndKeepPanAndZoom)
{
    // A pan of (1, -1) and a zoom of 1.02 through real drags, both undone
    // exactly: 25 pixels of 200 in a box -4..4 are 1.0, 5 pixels zoom 1.02.
    setOrthoBox(-4, 4, -4, 4, -500, 500);
    reshapeOrtho(200, 200);
    glutMouseFunc(mouseButtonCallback);
    glutMotionFunc(mouseMotionCallback);
    const XWindow xWindow = xWindowOf(window);
    const auto drag = [&](unsigned held, int x, int y) {
        pressButton(1, held);
        movePointerInto(xWindow, x, y);
        releaseButton(1, held);
        movePointerInto(xWindow, 100, 100);
        pumpPendingEvents();
    };
    drag(holdAlt, 125, 125);
    drag(holdCtrl, 100, 105);
    const MouseView kept = {1, -1, 0, 0, 0, 1.02f};
    ASSERT_EQ(mouseTransform(), expectedMouseTransform(kept));

    struct Preset {
        XKeySym key;
        float x, y, z;
    };
    const Preset presets[] = {
        {XK_Left, 0, 0, 0},   {XK_Up, 0, 0, 0},        {XK_Right, 0, 180, 0},
        {XK_Down, 180, 0, 0}, {XK_Page_Up, 0, 0, 180}, {XK_Page_Down, 0, 0, 0},
    };
    for (const Preset& p : presets) {
        setKeyAngles(3, 4, 5);
        setMouseAngles(6, 7, 8);
        EXPECT_EQ(press(p.key, holdCtrl), 1) << "key " << p.key;
        EXPECT_EQ(keyRotation(), expectedKeyRotation(p.x, p.y, p.z)) << "key " << p.key;
        EXPECT_EQ(mouseTransform(), expectedMouseTransform(kept)) << "key " << p.key;
    }

    // Undo the pan and zoom exactly, for the tests that follow.
    drag(holdAlt, 75, 75);
    drag(holdCtrl, 100, 95);
    EXPECT_EQ(mouseTransform(), expectedMouseTransform({}));
}

TEST_F(SpecialKeys, AutoRotationStepsOnlyWhileOnAndRedisplaysTheNamedWindow)
{
    const int other = openTestWindow("other", 100, 100, 400, 20);
    glutDisplayFunc([] { ++redrawsOfOther; });
    const auto stepIn = [&](int current) {
        pumpPendingEvents();
        redrawsOfMain = 0;
        redrawsOfOther = 0;
        glutSetWindow(current);
        setMouseAngles(0, 0, 0);
        autoRotateStep();
        pumpPendingEvents();  // the redisplay asked for, if any, has run
    };

    stepIn(window);
    EXPECT_EQ(mouseTransform(), expectedMouseTransform({})) << "switched off";
    EXPECT_EQ(redrawsOfMain + redrawsOfOther, 0);

    glutSetWindow(window);
    switchAutoRotation();
    stepIn(window);
    EXPECT_EQ(mouseTransform(), expectedMouseTransform({0, 0, 1.1f, 2.1f, 3.1f}));
    EXPECT_EQ(redrawsOfMain, 1);
    EXPECT_EQ(redrawsOfOther, 0);
    stepIn(other);
    EXPECT_EQ(redrawsOfMain, 0);
    EXPECT_EQ(redrawsOfOther, 1);

    setAutoRotateWindow(other);
    stepIn(window);
    EXPECT_EQ(redrawsOfMain, 0);
    EXPECT_EQ(redrawsOfOther, 1);
    setAutoRotateWindow(-1);

    glutSetWindow(window);
    switchAutoRotation();
    stepIn(window);
    EXPECT_EQ(mouseTransform(), expectedMouseTransform({})) << "switched off again";
    EXPECT_EQ(redrawsOfMain + redrawsOfOther, 0);
    closeTestWindow(other);
}

TEST_F(SpecialKeys, GettersReadBackWhatKeysAndTheAutoRotationStepWrote)
{
    EXPECT_EQ(press(XK_Left), 1);
    EXPECT_EQ(press(XK_Page_Down, holdAlt), 1);
    float x = 1, y = 0, z = 0;
    getKeyAngles(&x, &y, &z);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, -1.0f);
    EXPECT_EQ(z, 10.0f);

    EXPECT_EQ(press(XK_Up, holdShift), 1);
    EXPECT_EQ(getAutoRotateSpeed(), 1.1f);
    EXPECT_EQ(getAutoRotate(), 0);
    switchAutoRotation();
    EXPECT_EQ(getAutoRotate(), 1);
    EXPECT_EQ(stepFromRest(), autoRotatedFromRest(1.1f));
    getMouseAngles(&x, nullptr, &z);
    EXPECT_EQ(x, static_cast<float>(static_cast<double>(1.1f) * 1.1f));
    EXPECT_EQ(z, static_cast<float>(static_cast<double>(3.1f) * 1.1f));
    switchAutoRotation();
    EXPECT_EQ(getAutoRotate(), 0);

    setAutoRotate(-7);
    EXPECT_EQ(getAutoRotate(), 1);
    setAutoRotate(0);
    EXPECT_EQ(getAutoRotate(), 0);
    EXPECT_EQ(getAutoRotateWindow(), -1);
    setAutoRotateWindow(window);
    EXPECT_EQ(getAutoRotateWindow(), window);
    setAutoRotateWindow(-1);
}

/* A held Shift+arrow once ran the speed to infinity, or to a denormal it
 * took a thousand presses to leave. */
TEST_F(SpecialKeys, TheSpeedStaysWithinItsRangeAndSettersRefuseHostileValues)
{
    EXPECT_LE(pressRepeatedly(XK_Left, holdShift, 80), 1000.0f);
    EXPECT_GT(getAutoRotateSpeed(), 1000.0f / 1.1f);
    EXPECT_GE(pressRepeatedly(XK_Right, holdShift, 160), 1e-3f);
    EXPECT_LT(getAutoRotateSpeed(), 1.1e-3f);
    EXPECT_GT(pressRepeatedly(XK_Page_Up, holdShift, 80), 1.0f) << "back up as it went down";

    constexpr float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    setAutoRotateSpeed(2.0f);
    setMouseAngles(1, 2, 3);
    setKeyAngles(4, 5, 6);
    setPanFactor(7);
    for (float hostile : {nan, inf, -inf, 0.0f, -1.0f, std::numeric_limits<float>::denorm_min(),
                          std::numeric_limits<float>::max(), 9e-4f, 1001.0f}) {
        setAutoRotateSpeed(hostile);
    }
    for (float hostile : {nan, inf, -inf}) {
        setMouseAngles(0, hostile, 0);
        setKeyAngles(hostile, 0, 0);
        setPanFactor(hostile);
    }
    EXPECT_EQ(getAutoRotateSpeed(), 2.0f);
    EXPECT_EQ(mouseTransform(), expectedMouseTransform({0, 0, 1, 2, 3}));
    EXPECT_EQ(keyRotation(), expectedKeyRotation(4, 5, 6));
    EXPECT_EQ(getPanFactor(), 7.0f);
    setPanFactor(1.0f);
}

TEST_F(SpecialKeys, TenSpeedUpsMakeOnePointOneToTheTenth)
{
    switchAutoRotation();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(press(i % 2 == 0 ? XK_Up : XK_Page_Up, holdShift), 1);
    }
    EXPECT_EQ(stepFromRest(), autoRotatedFromRest(2.5937428f));
    switchAutoRotation();
}
