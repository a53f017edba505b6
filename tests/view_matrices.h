/*
 * view_matrices.h - the view state read back as the matrices GL builds
 *
 * The view state is private to the library; tests observe it by letting
 * applyMouseTransform and applyKeyRotation act on an identity matrix and
 * comparing with the matrix GL builds from the expected values.
 */
#ifndef VESTRANE_TEST_VIEW_MATRICES_H
#define VESTRANE_TEST_VIEW_MATRICES_H

#include "support/view/view.h"

#include "tests/gl_matrices.h"

struct MouseView {
    float panX = 0.0f;
    float panY = 0.0f;
    float angleX = 0.0f;
    float angleY = 0.0f;
    float angleZ = 0.0f;
    float zoom = 1.0f;
};

inline Matrix expectedMouseTransform(const MouseView& v)
{
    return matrixOf([&] {
        glTranslatef(v.panX, v.panY, 0.0f);
        glRotatef(v.angleX, 1.0f, 0.0f, 0.0f);
        glRotatef(v.angleY, 0.0f, 1.0f, 0.0f);
        glRotatef(v.angleZ, 0.0f, 0.0f, 1.0f);
        glScalef(v.zoom, v.zoom, v.zoom);
    });
}

inline Matrix expectedKeyRotation(float x, float y, float z)
{
    return matrixOf([&] {
        glRotatef(x, 1.0f, 0.0f, 0.0f);
        glRotatef(y, 0.0f, 1.0f, 0.0f);
        glRotatef(z, 0.0f, 0.0f, 1.0f);
    });
}

inline Matrix mouseTransform()
{
    return matrixOf(applyMouseTransform);
}
inline Matrix keyRotation()
{
    return matrixOf(applyKeyRotation);
}

#endif
