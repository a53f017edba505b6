/*
 * The orthographic reshape: windows really resized, GLUT calling the
 * reshape, and the projection, viewport and matrix mode read back from GL.
 */
#include "support/projection/projection.h"
#include "support/projection/view_box.h"
#include "tests/gl_matrices.h"
#include "tests/harness/glut_window.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

using vestrane::detail::pixelSizeOf;
using vestrane::detail::ViewBox;
using vestrane::detail::widenToWindow;

namespace {

const Matrix identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix projectionMatrix()
{
    return currentMatrix(GL_PROJECTION_MATRIX);
}

/* The matrix GL itself builds for these bounds. */
Matrix orthoMatrix(double left, double right, double bottom, double top, double near, double far)
{
    return projectionOf([&] { glOrtho(left, right, bottom, top, near, far); });
}

struct OrthoCase {
    int width;
    int height;
    float left, right, bottom, top, pixelSize;
};

}  // namespace

TEST(OrthoReshape, WindowsOfEveryShapeShowTheWholeBoxUndistorted)
{
    EXPECT_EQ(getViewLeft(), 0.0f);
    EXPECT_EQ(getViewRight(), 0.0f);
    EXPECT_EQ(getViewBottom(), 0.0f);
    EXPECT_EQ(getViewTop(), 0.0f);
    EXPECT_EQ(getPixelSize(), 0.0f);

    setOrthoBox(-5, 5, -5, 5, -500, 500);
    const int window = openTestWindow("ortho", 100, 100);
    glutReshapeFunc(reshapeOrtho);
    const OrthoCase cases[] = {
        {500, 500, -5, 5, -5, 5, 0.02f},
        {400, 300, -20 / 3.0f, 20 / 3.0f, -5, 5, 10 / 300.0f},
        {300, 400, -5, 5, -20 / 3.0f, 20 / 3.0f, 40 / 3.0f / 400},
    };
    for (const OrthoCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        ASSERT_TRUE(resizeTestWindow(window, c.width, c.height));
        expectReshapeEndState(c.width, c.height, identity);
        expectMatrixNear(projectionMatrix(),
                         orthoMatrix(c.left, c.right, c.bottom, c.top, -500, 500));
        EXPECT_FLOAT_EQ(getViewLeft(), c.left);
        EXPECT_FLOAT_EQ(getViewRight(), c.right);
        EXPECT_FLOAT_EQ(getViewBottom(), c.bottom);
        EXPECT_FLOAT_EQ(getViewTop(), c.top);
        EXPECT_FLOAT_EQ(getPixelSize(), c.pixelSize);
    }

    // A box off the origin is widened about the origin, not its middle.
    setOrthoBox(0, 10, 0, 10, -1, 1);
    const Matrix before = projectionMatrix();
    EXPECT_EQ(getViewRight(), 5.0f) << "setting a box changes nothing until the next reshape";
    EXPECT_EQ(projectionMatrix(), before);
    ASSERT_TRUE(resizeTestWindow(window, 200, 100));
    expectMatrixNear(projectionMatrix(), orthoMatrix(0, 20, 0, 10, -1, 1));
    EXPECT_EQ(getViewLeft(), 0.0f);
    EXPECT_EQ(getViewRight(), 20.0f);
    EXPECT_EQ(getViewBottom(), 0.0f);
    EXPECT_EQ(getViewTop(), 10.0f);
    EXPECT_FLOAT_EQ(getPixelSize(), 0.1f);
    closeTestWindow(window);
}

TEST(OrthoReshape, ZeroSizedWindowKeepsThePreviousProjectionAndBox)
{
    setOrthoBox(-5, 5, -5, 5, -500, 500);
    const int window = openTestWindow("ortho zero", 400, 300);
    reshapeOrtho(400, 300);
    const Matrix before = projectionMatrix();
    for (const auto& size : {std::array<int, 2>{0, 300}, {400, 0}, {0, 0}}) {
        reshapeOrtho(size[0], size[1]);
        EXPECT_EQ(projectionMatrix(), before);
        expectReshapeEndState(400, 300, identity);
        for (float value :
             {getViewLeft(), getViewRight(), getViewBottom(), getViewTop(), getPixelSize()}) {
            EXPECT_TRUE(std::isfinite(value));
        }
        EXPECT_FLOAT_EQ(getViewRight(), 20 / 3.0f);
        EXPECT_FLOAT_EQ(getPixelSize(), 10 / 300.0f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
}

TEST(ViewBoxWidening, ScalesBothBoundsOfTheLongerSideByTheAspectRatio)
{
    const ViewBox wanted = {-1, 3, -2, 2};
    const ViewBox wide = widenToWindow(wanted, 300, 100);
    EXPECT_DOUBLE_EQ(wide.left, -3);
    EXPECT_DOUBLE_EQ(wide.right, 9);
    EXPECT_DOUBLE_EQ(wide.bottom, -2);
    EXPECT_DOUBLE_EQ(wide.top, 2);
    const ViewBox tall = widenToWindow(wanted, 100, 150);
    EXPECT_DOUBLE_EQ(tall.left, -1);
    EXPECT_DOUBLE_EQ(tall.right, 3);
    EXPECT_DOUBLE_EQ(tall.bottom, -3);
    EXPECT_DOUBLE_EQ(tall.top, 3);
    const ViewBox square = widenToWindow(wanted, 120, 120);
    EXPECT_DOUBLE_EQ(square.bottom, -2);
    EXPECT_DOUBLE_EQ(square.left, -1);
    EXPECT_FLOAT_EQ(pixelSizeOf(tall, 150), 0.04f);
}

TEST(WindowPixelReshape, OneUnitAPixelFromTheTopEdgeDown)
{
    const int window = openTestWindow("pixels", 330, 50);
    for (const auto& size : {std::array<int, 2>{330, 50}, {200, 400}, {1, 1}}) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        reshapeWindowPixels(size[0], size[1]);
        expectReshapeEndState(size[0], size[1], identity);
        expectMatrixNear(projectionMatrix(), orthoMatrix(0, size[0], -size[1], 0, -1, 1));
    }
    reshapeWindowPixels(0, 50);
    reshapeWindowPixels(330, 0);
    expectReshapeEndState(1, 1, identity);
    expectMatrixNear(projectionMatrix(), orthoMatrix(0, 1, -1, 0, -1, 1));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
}
