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

#include <cmath>

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

/* Every value the view's getters read back, and every element of the
 * matrices it builds, is finite. */
inline void expectFiniteView()
{
    std::array<float, 11> values{};
    getMouseAngles(&values[0], &values[1], &values[2]);
    getKeyAngles(&values[3], &values[4], &values[5]);
    getPan(&values[6], &values[7]);
    values[8] = getZoomScale();
    values[9] = getPanFactor();
    values[10] = getAutoRotateSpeed();
    for (const Matrix& m : {mouseTransform(), keyRotation()}) {
        EXPECT_TRUE(isFiniteMatrix(m)) << ::testing::PrintToString(m);
    }
    for (const float& value : values) {
        EXPECT_TRUE(std::isfinite(value)) << "getter value " << &value - values.data();
    }
}

#endif
