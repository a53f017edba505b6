/*
 * projection.cpp - reshape callbacks that keep the picture undistorted
 *
 * The wanted boxes and the current view box shared by the reshapes, the
 * widening of a box to the window's shape, and the reshape callbacks.
 *
 * Depends on: OpenGL (glViewport, glMatrixMode, glLoadIdentity, glOrtho,
 * glFrustum, glTranslatef), GLU (gluPerspective), GLUT
 * (glutPostWindowRedisplay).
 */
#include "support/projection/projection.h"
#include "support/projection/view_box.h"

#include <GL/glu.h>
#include <GL/glut.h>

/* ---- State ------------------------------------------------------------- */

namespace {

/* The eye translation loaded after a frustum or perspective projection. */
struct EyeShift {
    double x;
    double y;
    double z;
};

ViewBox orthoBox = {0.0, 0.0, 0.0, 0.0};
double orthoNear = 0.0;
double orthoFar = 0.0;

ViewBox frustumBox = {0.0, 0.0, 0.0, 0.0};
double frustumNear = 0.0;
double frustumFar = 0.0;
EyeShift frustumShift = {0.0, 0.0, 0.0};

double perspectiveFovy = 0.0;
double perspectiveRefAspect = 0.0;
double perspectiveNear = 0.0;
double perspectiveFar = 0.0;
EyeShift perspectiveShift = {0.0, 0.0, 0.0};
float perspectiveAspect = 0.0f;
float perspectiveUsedFovy = 0.0f;
int perspectiveRedisplayWindow = -1;

/* The bounds last loaded by an orthographic or frustum reshape. */
ViewBox viewBox = {0.0, 0.0, 0.0, 0.0};
float pixelSize = 0.0f;

/* ---- Internal helpers -------------------------------------------------- */

bool isDrawableSize(int width, int height)
{
    return width > 0 && height > 0;
}

void beginProjection(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void endProjection()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

/* Ends the projection with the shift as the whole model-view matrix. */
void endProjectionShifted(const EyeShift& shift)
{
    endProjection();
    glTranslatef(static_cast<float>(shift.x), static_cast<float>(shift.y),
                 static_cast<float>(shift.z));
}

/*
 * The field of view widened linearly (no tangent) for windows narrower
 * than the reference aspect, so that the reference width stays in view.
 */
float fieldOfViewFor(float aspect)
{
    if (aspect < perspectiveRefAspect) {
        return static_cast<float>(perspectiveFovy / aspect * perspectiveRefAspect);
    }
    return static_cast<float>(perspectiveFovy);
}

/* Widens `wanted` to the window and records it as the current view box. */
void recordViewBox(const ViewBox& wanted, int width, int height)
{
    viewBox = widenToWindow(wanted, width, height);
    pixelSize = pixelSizeOf(viewBox, height);
}

}  // namespace

ViewBox widenToWindow(const ViewBox& wanted, int width, int height)
{
    ViewBox box = wanted;
    if (width > height) {
        box.left = width * wanted.left / height;
        box.right = width * wanted.right / height;
    } else {
        box.bottom = height * wanted.bottom / width;
        box.top = height * wanted.top / width;
    }
    return box;
}

float pixelSizeOf(const ViewBox& box, int height)
{
    return static_cast<float>((box.top - box.bottom) / height);
}

/* ---- Public functions -------------------------------------------------- */

void setOrthoBox(float xmin, float xmax, float ymin, float ymax, float near, float far)
{
    orthoBox = {xmin, xmax, ymin, ymax};
    orthoNear = near;
    orthoFar = far;
}

/*
 * A zero-sized window would give infinite bounds, aspect or field of view:
 * every reshape keeps its last projection and values for it instead.
 */
void reshapeOrtho(int width, int height)
{
    if (!isDrawableSize(width, height)) {
        return;
    }
    beginProjection(width, height);
    recordViewBox(orthoBox, width, height);
    glOrtho(viewBox.left, viewBox.right, viewBox.bottom, viewBox.top, orthoNear, orthoFar);
    endProjection();
}

void setFrustumBox(float xmin, float xmax, float ymin, float ymax, float near, float far,
                   float shiftX, float shiftY, float shiftZ)
{
    frustumBox = {xmin, xmax, ymin, ymax};
    frustumNear = near;
    frustumFar = far;
    frustumShift = {shiftX, shiftY, shiftZ};
}

void reshapeFrustum(int width, int height)
{
    if (!isDrawableSize(width, height)) {
        return;
    }
    beginProjection(width, height);
    recordViewBox(frustumBox, width, height);
    glFrustum(viewBox.left, viewBox.right, viewBox.bottom, viewBox.top, frustumNear, frustumFar);
    endProjectionShifted(frustumShift);
}

void setPerspective(float fovy, float refAspect, float near, float far, float shiftX, float shiftY,
                    float shiftZ)
{
    perspectiveFovy = fovy;
    perspectiveRefAspect = refAspect;
    perspectiveNear = near;
    perspectiveFar = far;
    perspectiveShift = {shiftX, shiftY, shiftZ};
}

void setPerspectiveForWindow(float fovy, float refAspect, float near, float far, float shiftX,
                             float shiftY, float shiftZ, int window)
{
    setPerspective(fovy, refAspect, near, far, shiftX, shiftY, shiftZ);
    perspectiveRedisplayWindow = window;
}

void reshapePerspective(int width, int height)
{
    if (!isDrawableSize(width, height)) {
        return;
    }
    beginProjection(width, height);
    perspectiveAspect = static_cast<float>(static_cast<double>(width) / height);
    perspectiveUsedFovy = fieldOfViewFor(perspectiveAspect);
    gluPerspective(perspectiveUsedFovy, perspectiveAspect, perspectiveNear, perspectiveFar);
    endProjectionShifted(perspectiveShift);
    if (perspectiveRedisplayWindow != -1) {
        glutPostWindowRedisplay(perspectiveRedisplayWindow);
    }
}

float getPerspectiveFovy(void)
{
    return perspectiveUsedFovy;
}
float getPerspectiveAspect(void)
{
    return perspectiveAspect;
}

float getViewLeft(void)
{
    return static_cast<float>(viewBox.left);
}
float getViewRight(void)
{
    return static_cast<float>(viewBox.right);
}
float getViewBottom(void)
{
    return static_cast<float>(viewBox.bottom);
}
float getViewTop(void)
{
    return static_cast<float>(viewBox.top);
}
float getPixelSize(void)
{
    return pixelSize;
}
