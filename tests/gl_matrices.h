/*
 * gl_matrices.h - GL matrices read back for comparison in tests
 */
#ifndef VESTRANE_TEST_GL_MATRICES_H
#define VESTRANE_TEST_GL_MATRICES_H

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

using Matrix = std::array<float, 16>;

/* GL_MODELVIEW_MATRIX or GL_PROJECTION_MATRIX as GL holds it now. */
inline Matrix currentMatrix(GLenum which)
{
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

/* The model-view matrix that `apply` makes of the identity. */
template <typename Apply>
Matrix matrixOf(Apply apply)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    apply();
    const Matrix m = currentMatrix(GL_MODELVIEW_MATRIX);
    glPopMatrix();
    return m;
}

/* The projection matrix that `load` makes of the identity. */
template <typename Load>
Matrix projectionOf(Load load)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    load();
    const Matrix m = currentMatrix(GL_PROJECTION_MATRIX);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return m;
}

/* Whether every element of `m` is finite. */
inline bool isFiniteMatrix(const Matrix& m)
{
    return std::all_of(m.begin(), m.end(), [](float e) { return std::isfinite(e); });
}

inline void expectMatrixNear(const Matrix& actual, const Matrix& expected)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "element " << i;
    }
}

/* What every reshape leaves: the viewport over the whole window, model-view
 * mode, and `modelView` as the model-view matrix. */
inline void expectReshapeEndState(int width, int height, const Matrix& modelView)
{
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, width, height}));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), modelView);
}

#endif
