/*
 * view.cpp - the view state, its application to the matrix, the rotation keys
 *
 * Holds the one view state of the program (see view_state.h), applies it to
 * the current OpenGL matrix and handles the rotation keys. Mouse drags and
 * special keys live in mouse.cpp and special_keys.cpp.
 *
 * Depends on: OpenGL (glRotatef, glTranslatef, glScalef), GLUT
 * (glutGetModifiers, glutPostRedisplay), the C library (exit).
 */
#include "support/view/view.h"
#include "support/view/view_state.h"

#include <GL/glut.h>

#include <cstdlib>

/* ---- State ------------------------------------------------------------- */

namespace view_state {

float mouseAngleX = 0.0f;
float mouseAngleY = 0.0f;
float mouseAngleZ = 0.0f;
float panX = 0.0f;
float panY = 0.0f;
float zoomScale = 1.0f;
float panFactor = 1.0f;

float keyAngleX = 0.0f;
float keyAngleY = 0.0f;
float keyAngleZ = 0.0f;

int autoRotateOn = 0;
float autoRotateSpeed = 1.0f;
int autoRotateWindow = -1;

int lastModifierCode = modifierNone;

}  // namespace view_state

using namespace view_state;

/* ---- Internal helpers -------------------------------------------------- */

namespace {

constexpr unsigned char keyEnter = 13;
constexpr unsigned char keyEscape = 27;
constexpr float rotationKeyStep = 2.0f;

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
    glTranslatef(panX, panY, 0.0f);
    glRotatef(mouseAngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(mouseAngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(mouseAngleZ, 0.0f, 0.0f, 1.0f);
    glScalef(zoomScale, zoomScale, zoomScale);
}

void applyKeyRotation(void)
{
    glRotatef(keyAngleX, 1.0f, 0.0f, 0.0f);
    glRotatef(keyAngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(keyAngleZ, 0.0f, 0.0f, 1.0f);
}

void setMouseAngles(float x, float y, float z)
{
    mouseAngleX = x;
    mouseAngleY = y;
    mouseAngleZ = z;
}

void setKeyAngles(float x, float y, float z)
{
    keyAngleX = x;
    keyAngleY = y;
    keyAngleZ = z;
}

void setPanFactor(float factor)
{
    panFactor = factor;
}

int handleRotationKey(unsigned char key, int /*x*/, int /*y*/)
{
    lastModifierCode = modifierCode();
    if (lastModifierCode == modifierShift && key == keyEnter) {
        autoRotateOn = (autoRotateOn + 1) % 2;
        return 1;
    }
    switch (key) {
    case keyEscape: std::exit(0);
    case 'x': keyAngleX += rotationKeyStep; return 1;
    case 'X': keyAngleX -= rotationKeyStep; return 1;
    case 'y': keyAngleY += rotationKeyStep; return 1;
    case 'Y': keyAngleY -= rotationKeyStep; return 1;
    case 'z': keyAngleZ += rotationKeyStep; return 1;
    case 'Z': keyAngleZ -= rotationKeyStep; return 1;
    default: return 0;
    }
}

void rotationKeyCallback(unsigned char key, int x, int y)
{
    if (handleRotationKey(key, x, y)) {
        glutPostRedisplay();
    }
}
