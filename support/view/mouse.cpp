/*
 * mouse.cpp - left-button drags with modifiers turn, zoom and pan the view
 *
 * A press with Shift, Shift+Ctrl, Ctrl or Alt starts a drag of that kind;
 * motion then turns the mouse angles (one degree a pixel), zooms, or pans
 * through the projection and window width saved at the press. A release
 * with a modifier ends the drag. Pointer differences are taken in a wider
 * type than GLUT's int coordinates, so no coordinate can overflow them.
 *
 * Depends on: OpenGL (glGetFloatv), GLUT (glutGet, glutPostRedisplay),
 * the view state (view_state.h), the C library (pow).
 */
#include "support/view/drag_steps.h"
#include "support/view/view.h"
#include "support/view/view_state.h"

#include <GL/glut.h>

#include <cmath>

using namespace vestrane::detail;

/* ---- Internal helpers -------------------------------------------------- */

namespace {

constexpr double zoomBase = 1.02f;
constexpr double zoomPixelsPerStep = 5.0;

void turn(ViewState& view, float& horizontalAngle, long long dx, long long dy, int x, int y)
{
    addIfFinite(horizontalAngle, static_cast<double>(static_cast<float>(dx)));
    addIfFinite(view.mouseAngleX, static_cast<double>(static_cast<float>(dy)));
    view.dragLastX = x;
    view.dragLastY = y;
}

void zoom(ViewState& view, long long dy, int y)
{
    view.zoomScale = zoomedScale(view.zoomScale, dy);
    view.dragLastY = y;
}

void pan(ViewState& view, long long dx, long long dy, int x, int y)
{
    const float scaleX = view.dragProjection[0];
    /* Window y grows downwards, world y upwards. */
    addIfFinite(view.panX, panStep(dx, view.dragWidth, scaleX, view.panFactor));
    addIfFinite(view.panY, -panStep(dy, view.dragWidth, scaleX, view.panFactor));
    view.dragLastX = x;
    view.dragLastY = y;
}

}  // namespace

float vestrane::detail::zoomedScale(float scale, long long dy)
{
    double zoomed = scale;
    if (dy > 0) {
        zoomed = scale * std::pow(zoomBase, static_cast<double>(dy) / zoomPixelsPerStep);
    } else if (dy < 0) {
        zoomed = scale / std::pow(zoomBase, -(static_cast<double>(dy) / zoomPixelsPerStep));
    }
    const auto rounded = static_cast<float>(zoomed);
    /* The comparisons are false for NaN too. */
    return rounded >= minZoomScale && rounded <= maxZoomScale ? rounded : scale;
}

double vestrane::detail::panStep(long long pixels, int windowWidth, float projectionScaleX,
                                 float factor)
{
    if (windowWidth == 0 || projectionScaleX == 0.0f) {
        return 0.0;
    }
    const double step =
        ((2.0 * static_cast<double>(pixels) / windowWidth) / projectionScaleX) * factor;
    /* The pan is a float: a step beyond its range would make it infinite. */
    return std::isfinite(static_cast<float>(step)) ? step : 0.0;
}

/* ---- Public functions -------------------------------------------------- */

int mouseButton(int button, int state, int x, int y)
{
    ViewState& view = viewState();
    glGetFloatv(GL_PROJECTION_MATRIX, view.dragProjection.data());
    view.dragWidth = glutGet(GLUT_WINDOW_WIDTH);
    view.dragButton = button;
    if (button != GLUT_LEFT_BUTTON) {
        return 0;
    }
    view.lastModifierCode = modifierCode();
    if (view.lastModifierCode == modifierNone) {
        return 0;
    }
    view.dragLastX = x;
    view.dragLastY = y;
    if (state == GLUT_DOWN) {
        view.dragActive = 1;
    } else if (state == GLUT_UP) {
        view.dragActive = 0;
    }
    return 1;
}

int mouseMotion(int x, int y)
{
    ViewState& view = viewState();
    if (view.dragButton != GLUT_LEFT_BUTTON || view.dragActive != 1) {
        return 0;
    }
    const long long dx = static_cast<long long>(x) - view.dragLastX;
    const long long dy = static_cast<long long>(y) - view.dragLastY;
    switch (view.lastModifierCode) {
    case modifierShift: turn(view, view.mouseAngleY, dx, dy, x, y); break;
    case modifierShiftCtrl: turn(view, view.mouseAngleZ, dx, dy, x, y); break;
    case modifierCtrl: zoom(view, dy, y); break;
    case modifierAlt: pan(view, dx, dy, x, y); break;
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
