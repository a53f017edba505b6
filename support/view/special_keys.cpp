/*
 * special_keys.cpp - arrow and page keys, and the idle auto-rotation
 *
 * The six arrow and page keys step the key angles, jump to preset views
 * with Ctrl, or change the auto-rotation speed with Shift. The
 * auto-rotation step advances the mouse angles once per idle call. The
 * auto-rotation's switch, speed and window are set and read back here.
 *
 * Depends on: GLUT (glutPostRedisplay, glutPostWindowRedisplay), the view
 * state (view_state.h).
 */
#include "support/view/view.h"
#include "support/view/view_state.h"

#include <GL/glut.h>

#include <array>
#include <cstddef>

using namespace vestrane::detail;

/* ---- Internal helpers -------------------------------------------------- */

namespace {

/* GLUT_KEY_LEFT, UP, RIGHT, DOWN, PAGE_UP, PAGE_DOWN are 100..105. */
constexpr int firstViewKey = GLUT_KEY_LEFT;
constexpr int lastViewKey = GLUT_KEY_PAGE_DOWN;
constexpr int viewKeyCount = lastViewKey - firstViewKey + 1;

constexpr float speedFactor = 1.1f;
/*
 * The range of the auto-rotation speed. At 1000 a step turns the scene by
 * 1100 to 3100 degrees, several turns a frame, beyond any speed that still
 * reads as a rotation; at 0.001 a full turn takes some 100,000 steps, half
 * an hour at 60 frames a second, slower than anyone can see move. Either
 * end is 73 Shift presses from 1, and as many back.
 */
constexpr float minAutoRotateSpeed = 1e-3f;
constexpr float maxAutoRotateSpeed = 1e3f;
constexpr float plainStep = 1.0f;
constexpr float altStep = 10.0f;
/*
 * Shift+Ctrl steps finely. Shift alone already changes the speed and Ctrl
 * alone jumps to presets, so holding both reads as "adjust with care":
 * a quarter of a plain step lines a view up to less than a degree, and
 * being a binary fraction it keeps the angles exact, so that four fine
 * steps make exactly one plain step and stepping back restores the angle.
 */
constexpr float shiftCtrlStep = 0.25f;

constexpr std::array<double, 3> autoRotateFactors = {1.1f, 2.1f, 3.1f};

struct KeyAngles {
    float x;
    float y;
    float z;
};

/* Left, Up, Right, Down, Page Up, Page Down. */
constexpr std::array<KeyAngles, viewKeyCount> presets = {{
    {0.0f, 0.0f, 0.0f},
    {0.0f, 0.0f, 0.0f},
    {0.0f, 180.0f, 0.0f},
    {180.0f, 0.0f, 0.0f},
    {0.0f, 0.0f, 180.0f},
    {0.0f, 0.0f, 0.0f},
}};

/* Which key angle a key steps, and in which direction. */
struct KeyStep {
    float ViewState::*angle;
    float sign;
};

/* Left, Up, Right, Down, Page Up, Page Down. */
constexpr std::array<KeyStep, viewKeyCount> keySteps = {{
    {&ViewState::keyAngleY, -1.0f},
    {&ViewState::keyAngleX, -1.0f},
    {&ViewState::keyAngleY, 1.0f},
    {&ViewState::keyAngleX, 1.0f},
    {&ViewState::keyAngleZ, -1.0f},
    {&ViewState::keyAngleZ, 1.0f},
}};

bool isViewKey(int key)
{
    return key >= firstViewKey && key <= lastViewKey;
}

std::size_t viewKeyIndex(int key)
{
    return static_cast<std::size_t>(key - firstViewKey);
}

bool speedsUp(int key)
{
    return key == GLUT_KEY_LEFT || key == GLUT_KEY_UP || key == GLUT_KEY_PAGE_UP;
}

/* A speed outside the range (NaN included) leaves the speed as it was. */
void changeSpeedTo(float speed)
{
    if (speed >= minAutoRotateSpeed && speed <= maxAutoRotateSpeed) {
        viewState().autoRotateSpeed = speed;
    }
}

void changeSpeed(int key)
{
    const float speed = viewState().autoRotateSpeed;
    changeSpeedTo(speedsUp(key) ? speed * speedFactor : speed / speedFactor);
}

void showPreset(int key)
{
    const KeyAngles& preset = presets[viewKeyIndex(key)];
    setKeyAngles(preset.x, preset.y, preset.z);
    setMouseAngles(0.0f, 0.0f, 0.0f);
}

float stepSizeFor(int code)
{
    switch (code) {
    case modifierAlt: return altStep;
    case modifierShiftCtrl: return shiftCtrlStep;
    default: return plainStep;
    }
}

void stepKeyAngle(int key, float step)
{
    const KeyStep& keyStep = keySteps[viewKeyIndex(key)];
    addIfFinite(viewState().*keyStep.angle, keyStep.sign * step);
}

}  // namespace

/* ---- Public functions -------------------------------------------------- */

int specialRotationKey(int key, int /*x*/, int /*y*/)
{
    ViewState& view = viewState();
    view.lastModifierCode = modifierCode();
    if (!isViewKey(key)) {
        return 0;
    }
    switch (view.lastModifierCode) {
    case modifierShift: changeSpeed(key); break;
    case modifierCtrl: showPreset(key); break;
    default: stepKeyAngle(key, stepSizeFor(view.lastModifierCode)); break;
    }
    return 1;
}

void specialKeyCallback(int key, int x, int y)
{
    if (specialRotationKey(key, x, y)) {
        glutPostRedisplay();
    }
}

void setAutoRotateWindow(WindowId window)
{
    viewState().autoRotateWindow = window;
}

WindowId getAutoRotateWindow(void)
{
    return viewState().autoRotateWindow;
}

void setAutoRotate(int on)
{
    viewState().autoRotateOn = on != 0 ? 1 : 0;
}

int getAutoRotate(void)
{
    return viewState().autoRotateOn;
}

void setAutoRotateSpeed(float speed)
{
    changeSpeedTo(speed);
}

float getAutoRotateSpeed(void)
{
    return viewState().autoRotateSpeed;
}

void autoRotateStep(void)
{
    ViewState& view = viewState();
    if (view.autoRotateOn == 0) {
        return;
    }
    addIfFinite(view.mouseAngleX, autoRotateFactors[0] * view.autoRotateSpeed);
    addIfFinite(view.mouseAngleY, autoRotateFactors[1] * view.autoRotateSpeed);
    addIfFinite(view.mouseAngleZ, autoRotateFactors[2] * view.autoRotateSpeed);
    if (view.autoRotateWindow == -1) {
        glutPostRedisplay();
    } else {
        glutPostWindowRedisplay(view.autoRotateWindow);
    }
}
