/*
 * projection.cpp - reshape callbacks that keep the picture undistorted
 *
 * The wanted boxes and the current view box shared by the reshapes, the
 * widening of a box to the window's shape, and the reshape callbacks.
 *
 * Depends on: OpenGL (glViewport, glMatrixMode, glLoadIdentity, glOrtho).
 */
#include "support/projection/projection.h"
#include "support/projection/view_box.h"

#include <GL/gl.h>

/* ---- State ------------------------------------------------------------- */

namespace {

ViewBox orthoBox = {0.0, 0.0, 0.0, 0.0};
double orthoNear = 0.0;
double orthoFar = 0.0;

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

void setOrthoBox(float xmin, float xmax, float ymin, float ymax, float near,
                 float far)
{
    orthoBox = {xmin, xmax, ymin, ymax};
    orthoNear = near;
    orthoFar = far;
}

void reshapeOrtho(int width, int height)
{
    /* A zero-sized window would give infinite bounds: keep the last ones. */
    if (!isDrawableSize(width, height)) {
        return;
    }
    beginProjection(width, height);
    recordViewBox(orthoBox, width, height);
    glOrtho(viewBox.left, viewBox.right, viewBox.bottom, viewBox.top,
            orthoNear, orthoFar);
    endProjection();
}

float getViewLeft(void) { return static_cast<float>(viewBox.left); }
float getViewRight(void) { return static_cast<float>(viewBox.right); }
float getViewBottom(void) { return static_cast<float>(viewBox.bottom); }
float getViewTop(void) { return static_cast<float>(viewBox.top); }
float getPixelSize(void) { return pixelSize; }
