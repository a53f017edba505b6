/*
 * Picking: quads drawn at known places under orthographic and perspective
 * projections, clicked through windowToScene, with hostile caller state.
 */
#define GL_GLEXT_PROTOTYPES /* glBindBuffer, for a bound pack buffer */
#include "support/projection/projection.h"
#include "tests/harness/glut_window.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

namespace {

/* A cleared picture with one rectangle of the plane z = 0, depth test on. */
void drawRect(double x0, double y0, double x1, double y1)
{
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRectd(x0, y0, x1, y1);
}

/* Clicks the pixel on which the current matrices put (x, y, 0), and expects
 * that point back within `tolerance`. */
void expectPicked(double x, double y, double tolerance)
{
    GLdouble modelView[16], projection[16], win[3];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, 0, modelView, projection, viewport, &win[0], &win[1], &win[2]);
    const int row = glutGet(GLUT_WINDOW_HEIGHT) - 1 - static_cast<int>(win[1]);
    double p[3] = {NAN, NAN, NAN};
    ASSERT_EQ(windowToScene(static_cast<int>(win[0]), row, &p[0], &p[1], &p[2]), 1);
    EXPECT_NEAR(p[0], x, tolerance);
    EXPECT_NEAR(p[1], y, tolerance);
    EXPECT_NEAR(p[2], 0, tolerance);
}

/* Model-view and projection matrices, floats as GL keeps them, whose
 * product GLU unprojects into a point with x, y or z in turn beyond the
 * double range and the other two finite, whatever the pixel (found by a
 * search over extreme floats). */
struct Matrices {
    std::array<float, 16> modelView, projection;
};

constexpr float big = std::numeric_limits<float>::max();
constexpr float low = std::numeric_limits<float>::min();
constexpr float sub = std::numeric_limits<float>::denorm_min();

const Matrices oneCoordinateOverflows[] = {
    {{sub, 0, 0, 0, 0, big, 0, sub, 0, sub, -big, 1, 0, 0, 0, 1},
     {0, 0, low, 0, 0, 1, 0, 0, 0, 0, big, 0, 1, 0, 0, sub}},
    {{0, 0, 0, 1, 0, sub, 0, 0, big, sub, 0, 0, low, big, 0, 0},
     {low, 0, 0, -big, 0, 1, 0, sub, 0, 0, 0, 0, 0, 0, 1, 0}},
    {{big, 0, sub, 0, 0, 0, -big, 1, 0, low, 0, 0, 0, 1, 0, 0},
     {0, 0, -big, 0, 0, sub, 1, -big, 1, 0, 0, 0, 0, 0, 1, low}},
};

/* Every pixel given misses: 0, and the outputs keep their values. */
void expectMisses(const std::vector<std::array<int, 2>>& pixels)
{
    for (const auto& pixel : pixels) {
        double out[3] = {7, 7, 7};
        EXPECT_EQ(windowToScene(pixel[0], pixel[1], &out[0], &out[1], &out[2]), 0)
            << "pixel " << pixel[0] << ", " << pixel[1];
        EXPECT_TRUE(out[0] == 7 && out[1] == 7 && out[2] == 7);
    }
}

}  // namespace

TEST(Picking, ClicksReturnThePointUnderThePixel)
{
    const int window = openTestWindow("picking", 200, 100);
    setOrthoBox(-5, 5, -5, 5, -500, 500);     /* x -10..10, y -5..5 */
    setPerspective(60, 1, 1, 100, 0, 0, -10); /* the plane z = 0 at distance 10 */
    for (auto reshape : {reshapeOrtho, reshapePerspective}) {
        reshape(200, 100);
        const double pixel = reshape == reshapeOrtho ? 0.1 : 20 * std::tan(M_PI / 6) / 100;
        drawRect(-6, 1, 8, 4.8); /* in the upper half only */
        expectPicked(-5.9, 4.7, pixel);
        expectPicked(7.9, 1.1, pixel);
        // The top rows are the top of the scene, at pixel centres; NULL outputs.
        double x = 7, y = 7;
        EXPECT_EQ(windowToScene(100, 10, nullptr, &y, nullptr), 1);
        EXPECT_NEAR(y, (50 - 10.5) * pixel, 1e-4);
        EXPECT_EQ(windowToScene(100, 10, &x, nullptr, nullptr), 1);
        EXPECT_NEAR(x, 0.5 * pixel, 1e-4);
        EXPECT_EQ(windowToScene(100, 10, nullptr, nullptr, nullptr), 1);
        expectMisses({{100, 89},
                      {10, 10},
                      {-1, 10},
                      {200, 10},
                      {100, 100},
                      {100, -1},
                      {INT_MIN, 10},
                      {INT_MAX, 10},
                      {10, INT_MIN},
                      {10, INT_MAX}});
        // A turned view, and a depth range other than 0..1.
        glRotated(20, 1, 0, 0);
        glRotated(-15, 0, 1, 0);
        glDepthRange(0.25, 0.5);
        drawRect(-6, 1, 8, 4.8);
        expectPicked(-3.5, 3.9, pixel);
        expectPicked(4.2, 1.5, pixel);
        expectMisses({{100, 95}});
        glDepthRange(0, 1);
    }
    closeTestWindow(window);
}

TEST(Picking, TheCallersStateNeitherMisleadsNorChanges)
{
    const int window = openTestWindow("picking state", 100, 100);
    setOrthoBox(-5, 5, -5, 5, -500, 500);
    reshapeOrtho(100, 100);
    drawRect(-5, -5, 5, 5);
    // Settings that would skew or misplace a plain read.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 3);
    glPixelStorei(GL_PACK_ROW_LENGTH, 9);
    glPixelTransferf(GL_DEPTH_SCALE, 0.25f);
    glReadBuffer(GL_FRONT);
    glMatrixMode(GL_PROJECTION);
    const auto state = [] {
        std::vector<double> values(6 + 32);
        const GLenum names[] = {GL_PACK_ALIGNMENT, GL_PACK_SKIP_PIXELS, GL_PACK_ROW_LENGTH,
                                GL_DEPTH_SCALE,    GL_READ_BUFFER,      GL_MATRIX_MODE};
        for (int i = 0; i < 6; ++i) {
            glGetDoublev(names[i], &values[i]);
        }
        glGetDoublev(GL_MODELVIEW_MATRIX, &values[6]);
        glGetDoublev(GL_PROJECTION_MATRIX, &values[22]);
        return values;
    };
    const std::vector<double> before = state();
    expectPicked(1.25, -2.45, 0.1);
    expectPicked(-4.95, 4.95, 0.1);
    EXPECT_EQ(state(), before);
    // A bound pack buffer would receive the read; singular matrices; one
    // coordinate past the double range.
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    expectMisses({{50, 50}});
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    glScaled(0, 0, 0);
    expectMisses({{50, 50}});
    for (const Matrices& matrices : oneCoordinateOverflows) {
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(matrices.projection.data());
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(matrices.modelView.data());
        expectMisses({{50, 50}, {10, 90}});
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
}

TEST(Picking, NoDepthBufferOrNoWindowPicksNothing)
{
    initGlutOnce();
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    const int window = openTestWindow("picking without depth", 100, 100);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    GLint depthBits = -1;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_EQ(depthBits, 0);
    drawRect(-1, -1, 1, 1);
    expectMisses({{50, 50}});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
    ASSERT_EQ(glutGetWindow(), 0);
    expectMisses({{0, 0}});
}
