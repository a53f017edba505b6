/*
 * view.cpp - the view state, its application to the matrix, the rotation keys
 *
 * Holds the one view state of the program (see view_state.h), applies it to
 * the current OpenGL matrix, sets, reads back and resets it, and handles the
 * rotation keys. Mouse drags and special keys live in mouse.cpp and
 * special_keys.cpp.
 *
 * Depends on: OpenGL (glRotatef, glTranslatef, glScalef), GLUT
 * (glutGetModifiers, glutPostRedisplay), the C library (exit).
 */
#include "support/view/view.h"
#include "support/view/view_state.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdlib>

using namespace vestrane::detail;

/* ---- State ------------------------------------------------------------- */

namespace {

ViewState view;

}  // namespace

ViewState& vestrane::detail::viewState()
{
    return view;
}

/* ---- Internal helpers -------------------------------------------------- */

namespace {

constexpr unsigned char keyEnter = 13;
constexpr unsigned char keyEscape = 27;
constexpr double rotationKeyStep = 2.0;

bool allFinite(float x, float y, float z)
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

/* Copies a value out through a pointer that may be NULL. */
void copyOut(float* to, float value)
{
    if (to != nullptr) {
        *to = value;
    }
}

}  // namespace

/* ---- Public functions -------------------------------------------------- */

int modifierCode(void)
{
    const int held = glutGetModifiers();
    const bool shift = (held & GLUT_ACTIVE_SHIFT) != 0;
    const bool ctrl = (held & GLUT_ACTIVE_CTRL) != 0;
    const bool alt = (held & GLUT_ACTIVE_ALT) != 0;
    if (shift) {
        return ctrl ? modifierShiftCtrl : modifierShift;
    }
    if (ctrl) {
        return modifierCtrl;
    }
    return alt ? modifierAlt : modifierNone;
}

void applyMouseTransform(void)
{
    glTranslatef(view.panX, view.panY, 0.0f);
    glRotatef(view.mouseAngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(view.mouseAngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(view.mouseAngleZ, 0.0f, 0.0f, 1.0f);
    glScalef(view.zoomScale, view.zoomScale, view.zoomScale);
}

void applyKeyRotation(void)
{
    glRotatef(view.keyAngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(view.keyAngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(view.keyAngleZ, 0.0f, 0.0f, 1.0f);
}

void setMouseAngles(float x, float y, float z)
{
    if (allFinite(x, y, z)) {
        view.mouseAngleX = x;
        view.mouseAngleY = y;
        view.mouseAngleZ = z;
    }
}

void setKeyAngles(float x, float y, float z)
{
    if (allFinite(x, y, z)) {
        view.keyAngleX = x;
        view.keyAngleY = y;
        view.keyAngleZ = z;
    }
}

void setPanFactor(float factor)
{
    if (std::isfinite(factor)) {
        view.panFactor = factor;
    }
}

void getMouseAngles(float* x, float* y, float* z)
{
    copyOut(x, view.mouseAngleX);
    copyOut(y, view.mouseAngleY);
    copyOut(z, view.mouseAngleZ);
}

void getKeyAngles(float* x, float* y, float* z)
{
    copyOut(x, view.keyAngleX);
    copyOut(y, view.keyAngleY);
    copyOut(z, view.keyAngleZ);
}

void getPan(float* x, float* y)
{
    copyOut(x, view.panX);
    copyOut(y, view.panY);
}

float getZoomScale(void)
{
    return view.zoomScale;
}

float getPanFactor(void)
{
    return view.panFactor;
}

void resetView(void)
{
    ViewState fresh;
    fresh.panFactor = view.panFactor;
    fresh.autoRotateWindow = view.autoRotateWindow;
    view = fresh;
}

int handleRotationKey(unsigned char key, int /*x*/, int /*y*/)
{
    view.lastModifierCode = modifierCode();
    if (view.lastModifierCode == modifierShift && key == keyEnter) {
        view.autoRotateOn = (view.autoRotateOn + 1) % 2;
        return 1;
    }
    switch (key) {
    case keyEscape: std::exit(0);
    case 'x': addIfFinite(view.keyAngleX, rotationKeyStep); return 1;
    case 'X': addIfFinite(view.keyAngleX, -rotationKeyStep); return 1;
    case 'y': addIfFinite(view.keyAngleY, rotationKeyStep); return 1;
    case 'Y': addIfFinite(view.keyAngleY, -rotationKeyStep); return 1;
    case 'z': addIfFinite(view.keyAngleZ, rotationKeyStep); return 1;
    case 'Z': addIfFinite(view.keyAngleZ, -rotationKeyStep); return 1;
    default: return 0;
    }
}

void rotationKeyCallback(unsigned char key, int x, int y)
{
    if (handleRotationKey(key, x, y)) {
        glutPostRedisplay();
    }
}
