/*
 * mouse.cpp - left-button drags with modifiers turn, zoom and pan the view
 *
 * A press with Shift, Shift+Ctrl, Ctrl or Alt starts a drag of that kind;
 * motion then turns the mouse angles (one degree a pixel), zooms, or pans
 * through the projection and window width saved at the press. A release
 * with a modifier ends the drag.
 *
 * Depends on: OpenGL (glGetFloatv), GLUT (glutGet, glutPostRedisplay),
 * the view state (view_state.h), the C library (pow).
 */
#include "support/view/drag_steps.h"
#include "support/view/view.h"
#include "support/view/view_state.h"

#include <GL/glut.h>

#include <array>
#include <cmath>

using namespace view_state;

/* ---- State ------------------------------------------------------------- */

namespace {

/* Saved at every button event; only element 0 is read, by the pan. */
std::array<float, 16> dragProjection{};
int dragWidth = 0;
int dragButton = 0;
int dragActive = 0;
int dragLastX = 0;
int dragLastY = 0;

/* ---- Internal helpers -------------------------------------------------- */

constexpr double zoomBase = 1.02f;
constexpr double zoomPixelsPerStep = 5.0;

void turn(float& horizontalAngle, int dx, int dy, int x, int y)
{
    horizontalAngle += static_cast<float>(dx);
    mouseAngleX += static_cast<float>(dy);
    dragLastX = x;
    dragLastY = y;
}

void zoom(int dy, int y)
{
    zoomScale = zoomedScale(zoomScale, dy);
    dragLastY = y;
}

void pan(int dx, int dy, int x, int y)
{
    const float scaleX = dragProjection[0];
    /* Window y grows downwards, world y upwards. */
    panX = static_cast<float>(panX + panStep(dx, dragWidth, scaleX, panFactor));
    panY = static_cast<float>(panY - panStep(dy, dragWidth, scaleX, panFactor));
    dragLastX = x;
    dragLastY = y;
}

}  // namespace

float zoomedScale(float scale, int dy)
{
    if (dy > 0) {
        return static_cast<float>(scale * std::pow(zoomBase, dy / zoomPixelsPerStep));
    }
    if (dy < 0) {
        return static_cast<float>(scale / std::pow(zoomBase, -(dy / zoomPixelsPerStep)));
    }
    return scale;
}

double panStep(int pixels, int windowWidth, float projectionScaleX, float factor)
{
    if (windowWidth == 0 || projectionScaleX == 0.0f) {
        return 0.0;
    }
    const double step = ((2.0 * pixels / windowWidth) / projectionScaleX) * factor;
    /* The pan is a float: a step beyond its range would make it infinite. */
    return std::isfinite(static_cast<float>(step)) ? step : 0.0;
}

/* ---- Public functions -------------------------------------------------- */

int mouseButton(int button, int state, int x, int y)
{
    glGetFloatv(GL_PROJECTION_MATRIX, dragProjection.data());
    dragWidth = glutGet(GLUT_WINDOW_WIDTH);
    dragButton = button;
    if (button != GLUT_LEFT_BUTTON) {
        return 0;
    }
    lastModifierCode = modifierCode();
    if (lastModifierCode == modifierNone) {
        return 0;
    }
    dragLastX = x;
    dragLastY = y;
    if (state == GLUT_DOWN) {
        dragActive = 1;
    } else if (state == GLUT_UP) {
        dragActive = 0;
    }
    return 1;
}

int mouseMotion(int x, int y)
{
    if (dragButton != GLUT_LEFT_BUTTON || dragActive != 1) {
        return 0;
    }
    const int dx = x - dragLastX;
    const int dy = y - dragLastY;
    switch (lastModifierCode) {
    case modifierShift: turn(mouseAngleY, dx, dy, x, y); break;
    case modifierShiftCtrl: turn(mouseAngleZ, dx, dy, x, y); break;
    case modifierCtrl: zoom(dy, y); break;
    case modifierAlt: pan(dx, dy, x, y); break;
    default: break;
    }
    return 1;
}

void mouseButtonCallback(int button, int state, int x, int y)
{
    if (mouseButton(button, state, x, y)) {
        glutPostRedisplay();
    }
}

void mouseMotionCallback(int x, int y)
{
    if (mouseMotion(x, y)) {
        glutPostRedisplay();
    }
}
