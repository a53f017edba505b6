/*
 * special_keys.cpp - arrow and page keys, and the idle auto-rotation
 *
 * The six arrow and page keys step the key angles, jump to preset views
 * with Ctrl, or change the auto-rotation speed with Shift. The
 * auto-rotation step advances the mouse angles once per idle call.
 *
 * Depends on: GLUT (glutPostRedisplay, glutPostWindowRedisplay), the view
 * state (view_state.h).
 */
#include "support/view/view.h"
#include "support/view/view_state.h"

#include <GL/glut.h>

#include <array>
#include <cstddef>

using namespace view_state;

/* ---- Internal helpers -------------------------------------------------- */

namespace {

/* GLUT_KEY_LEFT, UP, RIGHT, DOWN, PAGE_UP, PAGE_DOWN are 100..105. */
constexpr int firstViewKey = GLUT_KEY_LEFT;
constexpr int lastViewKey = GLUT_KEY_PAGE_DOWN;
constexpr int viewKeyCount = lastViewKey - firstViewKey + 1;

constexpr float speedFactor = 1.1f;
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
    float* angle;
    float sign;
};

/* Left, Up, Right, Down, Page Up, Page Down. */
constexpr std::array<KeyStep, viewKeyCount> keySteps = {{
    {&keyAngleY, -1.0f},
    {&keyAngleX, -1.0f},
    {&keyAngleY, 1.0f},
    {&keyAngleX, 1.0f},
    {&keyAngleZ, -1.0f},
    {&keyAngleZ, 1.0f},
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

void changeSpeed(int key)
{
    if (speedsUp(key)) {
        autoRotateSpeed *= speedFactor;
    } else {
        autoRotateSpeed /= speedFactor;
    }
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
    *keyStep.angle += keyStep.sign * step;
}

void advance(float& angle, double factor)
{
    angle = static_cast<float>(angle + factor * autoRotateSpeed);
}

}  // namespace

/* ---- Public functions -------------------------------------------------- */

int specialRotationKey(int key, int /*x*/, int /*y*/)
{
    lastModifierCode = modifierCode();
    if (!isViewKey(key)) {
        return 0;
    }
    switch (lastModifierCode) {
    case modifierShift: changeSpeed(key); break;
    case modifierCtrl: showPreset(key); break;
    default: stepKeyAngle(key, stepSizeFor(lastModifierCode)); break;
    }
    return 1;
}

void specialKeyCallback(int key, int x, int y)
{
    if (specialRotationKey(key, x, y)) {
        glutPostRedisplay();
    }
}

void setAutoRotateWindow(int window)
{
    autoRotateWindow = window;
}

void autoRotateStep(void)
{
    if (autoRotateOn == 0) {
        return;
    }
    advance(mouseAngleX, autoRotateFactors[0]);
    advance(mouseAngleY, autoRotateFactors[1]);
    advance(mouseAngleZ, autoRotateFactors[2]);
    if (autoRotateWindow == -1) {
        glutPostRedisplay();
    } else {
        glutPostWindowRedisplay(autoRotateWindow);
    }
}
