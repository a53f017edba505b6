/*
 * Mouse drags: real XTest button, key and pointer events reach a freeglut
 * window whose callbacks hand them to mouseButton and mouseMotion. The view
 * is read back through applyMouseTransform.
 */
#include "support/projection/projection.h"
#include "support/view/drag_steps.h"
#include "support/view/view.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/x_input.h"
#include "tests/view_matrices.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

using vestrane::detail::panStep;
using vestrane::detail::zoomedScale;

namespace {

constexpr int leftButton = 1;
constexpr int middleButton = 2;
constexpr int rightButton = 3;

struct MouseRecord {
    int buttons = 0;
    int buttonResult = -1;
    int motions = 0;
    int motionResult = -1;
};

MouseRecord record;

void recordButton(int button, int state, int x, int y)
{
    record.buttonResult = mouseButton(button, state, x, y);
    ++record.buttons;
}

void recordMotion(int x, int y)
{
    record.motionResult = mouseMotion(x, y);
    ++record.motions;
}

/* The pan and zoom at the start of a test, read back through the matrix. */
MouseView currentPanAndZoom()
{
    const Matrix m = mouseTransform();
    return {m[12], m[13], 0.0f, 0.0f, 0.0f, m[0]};
}

class MouseDrags : public ::testing::Test {
  protected:
    void SetUp() override
    {
        setOrthoBox(-5, 5, -5, 5, -500, 500);
        window = openTestWindow("mouse drags", 500, 500, 20, 20);
        glutReshapeFunc(reshapeOrtho);
        reshapeOrtho(500, 500);
        glutMouseFunc(recordButton);
        glutMotionFunc(recordMotion);
        resetView();
        setMouseAngles(0, 0, 0);
        setPanFactor(1.0f);
        record = MouseRecord{};
        base = currentPanAndZoom();
        movePointerInto(xWindowOf(window), 100, 100);
    }
    void TearDown() override
    {
        closeTestWindow(window);
    }

    int press(int button, unsigned held = holdNone)
    {
        return buttonEvent(button, true, held);
    }
    int release(int button, unsigned held = holdNone)
    {
        return buttonEvent(button, false, held);
    }

    /* Moves the pointer (a button held) and returns the motion handler's result. */
    int moveTo(int x, int y)
    {
        const int before = record.motions;
        movePointerInto(xWindowOf(window), x, y);
        EXPECT_TRUE(
            pumpEventsUntil("the motion callback", [&] { return record.motions > before; }));
        return record.motionResult;
    }

    /* The view with these angles and this pan added to the one at the start. */
    Matrix view(MouseView v) const
    {
        v.panX += base.panX;
        v.panY += base.panY;
        v.zoom = base.zoom;
        return expectedMouseTransform(v);
    }

    int window = 0;
    MouseView base;

  private:
    int buttonEvent(int button, bool down, unsigned held)
    {
        const int before = record.buttons;
        if (down) {
            pressButton(button, held);
        } else {
            releaseButton(button, held);
        }
        EXPECT_TRUE(
            pumpEventsUntil("the button callback", [&] { return record.buttons > before; }));
        return record.buttonResult;
    }
};

}  // namespace

TEST_F(MouseDrags, ShiftDragsTurnAboutYAndXAndShiftCtrlDragsAboutZAndX)
{
    EXPECT_EQ(press(leftButton, holdShift), 1);
    EXPECT_EQ(moveTo(110, 95), 1);
    EXPECT_EQ(mouseTransform(), view({0, 0, -5, 10, 0}));
    EXPECT_EQ(moveTo(100, 100), 1);
    EXPECT_EQ(mouseTransform(), view({}));
    EXPECT_EQ(release(leftButton, holdShift), 1);

    EXPECT_EQ(press(leftButton, holdShift | holdCtrl), 1);
    EXPECT_EQ(moveTo(110, 95), 1);
    EXPECT_EQ(mouseTransform(), view({0, 0, -5, 0, 10}));
    EXPECT_EQ(moveTo(130, 135), 1);
    EXPECT_EQ(mouseTransform(), view({0, 0, 35, 0, 30}));
    EXPECT_EQ(release(leftButton, holdShift | holdCtrl), 1);
}

TEST_F(MouseDrags, CtrlDragsZoomVerticallyOnly)
{
    ASSERT_EQ(base.zoom, 1.0f);
    const auto zoomed = [&](float zoom) {
        return expectedMouseTransform({base.panX, base.panY, 0, 0, 0, zoom});
    };
    EXPECT_EQ(press(leftButton, holdCtrl), 1);
    EXPECT_EQ(moveTo(100, 110), 1);
    EXPECT_EQ(mouseTransform(), zoomed(1.0403999f));
    EXPECT_EQ(moveTo(100, 100), 1);
    EXPECT_EQ(mouseTransform(), zoomed(0.99999994f));
    EXPECT_EQ(moveTo(160, 100), 1) << "a horizontal zoom drag is taken";
    EXPECT_EQ(mouseTransform(), zoomed(0.99999994f));
    EXPECT_EQ(release(leftButton, holdCtrl), 1);
}

TEST_F(MouseDrags, AltDragsPanSoThatTheSceneFollowsThePointer)
{
    // 500 pixels show -5..5: element 0 of the projection is 0.2.
    EXPECT_EQ(press(leftButton, holdAlt), 1);
    EXPECT_EQ(moveTo(150, 150), 1);
    EXPECT_EQ(mouseTransform(), view({1, -1}));
    EXPECT_EQ(moveTo(100, 100), 1);
    expectMatrixNear(mouseTransform(), view({}));
    EXPECT_EQ(release(leftButton, holdAlt), 1);

    setPanFactor(2.0f);
    EXPECT_EQ(press(leftButton, holdAlt), 1);
    EXPECT_EQ(moveTo(125, 75), 1);
    expectMatrixNear(mouseTransform(), view({1, 1}));
    EXPECT_EQ(release(leftButton, holdAlt), 1);
}

TEST_F(MouseDrags, ADegenerateProjectionPansNothing)
{
    const Matrix zero{};
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(zero.data());
    glMatrixMode(GL_MODELVIEW);
    EXPECT_EQ(press(leftButton, holdAlt), 1);
    EXPECT_EQ(moveTo(150, 130), 1);
    EXPECT_EQ(mouseTransform(), view({}));
    expectFiniteView();
    EXPECT_EQ(release(leftButton, holdAlt), 1);
}

TEST_F(MouseDrags, PlainLeftPressesAndOtherButtonsLeaveTheViewAlone)
{
    EXPECT_EQ(press(leftButton), 0);
    EXPECT_EQ(moveTo(140, 60), 0);
    EXPECT_EQ(release(leftButton), 0);

    for (int button : {rightButton, middleButton}) {
        SCOPED_TRACE(button);
        EXPECT_EQ(press(button, holdShift), 0);
        EXPECT_EQ(moveTo(100, 100), 0);
        EXPECT_EQ(moveTo(140, 60), 0);
        EXPECT_EQ(release(button, holdShift), 0);
    }
    EXPECT_EQ(mouseTransform(), view({}));
}

TEST_F(MouseDrags, OnlyAReleaseWithAModifierEndsTheDrag)
{
    EXPECT_EQ(press(leftButton, holdShift), 1);
    EXPECT_EQ(release(leftButton), 0);
    // Still dragging, but with no modifier recorded: taken, changes nothing.
    EXPECT_EQ(press(leftButton), 0);
    EXPECT_EQ(moveTo(130, 80), 1);
    EXPECT_EQ(mouseTransform(), view({}));
    EXPECT_EQ(release(leftButton, holdShift), 1);

    EXPECT_EQ(press(leftButton), 0);
    EXPECT_EQ(moveTo(100, 100), 0);
    EXPECT_EQ(release(leftButton), 0);
    EXPECT_EQ(mouseTransform(), view({}));
}

TEST_F(MouseDrags, CallbackFormsRedisplayOnlyForTakenEvents)
{
    static int redraws = 0;
    glutDisplayFunc([] { ++redraws; });
    glutMouseFunc(mouseButtonCallback);
    glutMotionFunc(mouseMotionCallback);
    pumpPendingEvents();
    redraws = 0;
    pressButton(leftButton);
    movePointerInto(xWindowOf(window), 120, 100);
    releaseButton(leftButton);
    pumpPendingEvents();
    EXPECT_EQ(redraws, 0) << "the events were handled, and asked for no redisplay";

    pressButton(leftButton, holdShift);
    EXPECT_TRUE(pumpEventsUntil("a redisplay for the press", [] { return redraws > 0; }));
    redraws = 0;
    movePointerInto(xWindowOf(window), 127, 100);
    EXPECT_TRUE(pumpEventsUntil("a redisplay for the motion", [] { return redraws > 0; }));
    releaseButton(leftButton, holdShift);
    pumpPendingEvents();
    EXPECT_EQ(mouseTransform(), view({0, 0, 0, 7, 0}));
}

TEST_F(MouseDrags, GettersReadDragsBackAndResetViewEndsTheDrag)
{
    float x = 0, y = 0, z = 1;
    EXPECT_EQ(press(leftButton, holdShift), 1);
    EXPECT_EQ(moveTo(110, 95), 1);
    getMouseAngles(&x, &y, &z);
    EXPECT_EQ(x, -5.0f);
    EXPECT_EQ(y, 10.0f);
    EXPECT_EQ(z, 0.0f);
    EXPECT_EQ(release(leftButton, holdShift), 1);

    EXPECT_EQ(press(leftButton, holdCtrl), 1);
    EXPECT_EQ(moveTo(110, 100), 1);
    EXPECT_EQ(getZoomScale(), 1.02f);
    EXPECT_EQ(release(leftButton, holdCtrl), 1);

    EXPECT_EQ(press(leftButton, holdAlt), 1);
    EXPECT_EQ(moveTo(160, 150), 1);
    getPan(&x, &y);
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(y, -1.0f);
    getPan(nullptr, nullptr);

    setPanFactor(3.0f);
    resetView();
    EXPECT_EQ(moveTo(100, 100), 0) << "the drag ended";
    EXPECT_EQ(mouseTransform(), matrixOf([] {}));
    EXPECT_EQ(getPanFactor(), 3.0f);
    EXPECT_EQ(release(leftButton, holdAlt), 1);
}

/* Motion is driven through the handler directly: coordinates no screen has. */
TEST_F(MouseDrags, ZoomStaysWithinItsRangeAndComesBackFromEitherEnd)
{
    EXPECT_EQ(press(leftButton, holdCtrl), 1);
    int y = 100;
    const auto zoomBy = [&](int steps, int pixels) {
        for (int i = 0; i < steps; ++i) {
            y += pixels;
            EXPECT_EQ(mouseMotion(100, y), 1);
        }
        expectFiniteView();
        return getZoomScale();
    };
    // Each step of 1000 pixels zooms by 1.02^200, some 52.5 times.
    EXPECT_GT(zoomBy(30, 1000), 1e6f / 52.5f);
    EXPECT_LE(getZoomScale(), 1e6f);
    EXPECT_GT(zoomBy(1, -1000), 1.0f) << "back from the top";
    EXPECT_LT(zoomBy(60, -1000), 1e-6f * 52.5f);
    EXPECT_GE(getZoomScale(), 1e-6f);
    EXPECT_GT(zoomBy(1, 1000), 1e-6f * 52.5f) << "back from the bottom";
    EXPECT_EQ(release(leftButton, holdCtrl), 1);
}

TEST_F(MouseDrags, ExtremeCoordinatesOverflowNothing)
{
    for (unsigned held : {holdShift | holdAlt, holdShift | holdCtrl, 1u * holdCtrl, 1u * holdAlt}) {
        SCOPED_TRACE(held);
        movePointerInto(xWindowOf(window), 16, 0);
        EXPECT_EQ(press(leftButton, held), 1);
        EXPECT_EQ(mouseMotion(INT_MIN, 3), 1);
        EXPECT_EQ(mouseMotion(INT_MAX, INT_MIN), 1);
        EXPECT_EQ(mouseMotion(INT_MIN, INT_MAX), 1);
        expectFiniteView();
        EXPECT_EQ(release(leftButton, held), 1);
    }
}

TEST(DragSteps, ZoomIsOnePointZeroTwoPerFivePixelsEitherWay)
{
    EXPECT_EQ(zoomedScale(1.0f, 10), 1.0403999f);
    EXPECT_EQ(zoomedScale(1.0403999f, -10), 0.99999994f);
    EXPECT_EQ(zoomedScale(1.0f, 5), 1.02f);
    EXPECT_EQ(zoomedScale(1.02f, -5), 1.0f);
    EXPECT_EQ(zoomedScale(3.5f, 0), 3.5f);
    EXPECT_LT(zoomedScale(1.0f, -1), 1.0f);
    // Near either end of the range a step is taken; from the end, none past it.
    EXPECT_LT(zoomedScale(1.5e-6f, -5), 1.5e-6f);
    EXPECT_EQ(zoomedScale(1e-6f, -5), 1e-6f);
    EXPECT_GT(zoomedScale(0.9e6f, 5), 0.9e6f);
    EXPECT_EQ(zoomedScale(1e6f, 5), 1e6f);
}

TEST(DragSteps, PanIsTheWorldSizeOfThePixelsAndNeverDividesByZero)
{
    // Element 0 of the projection is the float 0.2, a little above 0.2.
    EXPECT_NEAR(panStep(50, 500, 0.2f, 1.0f), 1.0, 1e-7);
    EXPECT_LT(panStep(50, 500, 0.2f, 1.0f), 1.0);
    EXPECT_EQ(static_cast<float>(panStep(50, 500, 0.2f, 1.0f)), 1.0f);
    EXPECT_NEAR(panStep(-25, 500, 0.2f, 3.0f), -1.5, 1e-7);
    EXPECT_EQ(panStep(50, 0, 0.2f, 1.0f), 0.0);
    EXPECT_EQ(panStep(0, 0, 0.2f, 1.0f), 0.0);
    EXPECT_EQ(panStep(50, 500, 0.0f, 1.0f), 0.0);
    EXPECT_EQ(panStep(50, 500, std::numeric_limits<float>::denorm_min(), 1.0f), 0.0);
    EXPECT_EQ(panStep(50, 500, std::numeric_limits<float>::quiet_NaN(), 1.0f), 0.0);
}
