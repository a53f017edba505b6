/*
 * Picking: quads drawn at known places under orthographic and perspective
 * projections, clicked through windowToScene, with the caller's GL state
 * read back around the clicks.
 */
#define GL_GLEXT_PROTOTYPES /* glBindBuffer, for a bound pack buffer */
#include "support/projection/projection.h"
#include "tests/gl_matrices.h"
#include "tests/harness/glut_window.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

namespace {

/* A cleared picture with one quad of the plane z, depth test on. */
void drawQuad(double x0, double y0, double x1, double y1, double z)
{
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_QUADS);
    glVertex3d(x0, y0, z);
    glVertex3d(x1, y0, z);
    glVertex3d(x1, y1, z);
    glVertex3d(x0, y1, z);
    glEnd();
}

/* Clicks the pixel on which the current matrices put (x, y, z), and expects
 * that point back within `tolerance` (one pixel's size there). */
void expectPicked(double x, double y, double z, double tolerance)
{
    GLdouble modelView[16], projection[16], win[3];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, modelView, projection, viewport, &win[0], &win[1], &win[2]);
    const int column = static_cast<int>(win[0]);
    const int row = glutGet(GLUT_WINDOW_HEIGHT) - 1 - static_cast<int>(win[1]);
    double picked[3] = {NAN, NAN, NAN};
    ASSERT_EQ(windowToScene(column, row, &picked[0], &picked[1], &picked[2]), 1)
        << "pixel " << column << ", " << row;
    EXPECT_NEAR(picked[0], x, tolerance);
    EXPECT_NEAR(picked[1], y, tolerance);
    EXPECT_NEAR(picked[2], z, tolerance);
}

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

TEST(Picking, OrthographicClicksReturnThePointUnderThePixel)
{
    const int window = openTestWindow("picking ortho", 200, 100);
    setOrthoBox(-5, 5, -5, 5, -500, 500);
    reshapeOrtho(200, 100);   /* x -10..10, y -5..5: 0.1 a pixel */
    drawQuad(-6, 1, 8, 4, 2); /* in the upper half only */
    expectPicked(-5.9, 3.9, 2, 0.1);
    expectPicked(7.93, 1.05, 2, 0.1);
    // The top rows are the top of the scene; pixel centres; NULL outputs.
    double x = 7, y = 7, z = 7;
    EXPECT_EQ(windowToScene(100, 10, nullptr, &y, nullptr), 1);
    EXPECT_NEAR(y, 5 - 10.5 * 0.1, 1e-5);
    EXPECT_EQ(windowToScene(100, 10, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(z, 7);
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
    drawQuad(-6, 1, 8, 4, 2);
    expectPicked(-5.9, 3.9, 2, 0.1);
    expectPicked(4.2, 1.1, 2, 0.1);
    expectMisses({{100, 95}});
    glDepthRange(0, 1);
    closeTestWindow(window);
}

TEST(Picking, PerspectiveClicksReturnThePointUnderThePixel)
{
    const int window = openTestWindow("picking perspective", 200, 200);
    setPerspective(60, 1, 1, 100, 0, 0, -10);
    reshapePerspective(200, 200);
    const double pixel = 2 * 10 * std::tan(M_PI / 6) / 200; /* at distance 10 */
    drawQuad(-3, -1, 4, 5, 0);
    expectPicked(-2.9, 4.9, 0, pixel);
    expectPicked(3.5, -0.9, 0, pixel);
    expectMisses({{100, 190}});
    glRotated(25, 0, 1, 0);
    glRotated(10, 1, 0, 0);
    drawQuad(-3, -1, 4, 5, 0);
    expectPicked(-2.5, 4.5, 0, pixel);
    expectPicked(1.5, 0.5, 0, pixel);
    closeTestWindow(window);
}

TEST(Picking, TheCallersStateNeitherMisleadsNorChanges)
{
    const int window = openTestWindow("picking state", 100, 100);
    setOrthoBox(-5, 5, -5, 5, -500, 500);
    reshapeOrtho(100, 100);
    drawQuad(-5, -5, 5, 5, 3);
    // Settings that would skew or misplace a plain read.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 3);
    glPixelStorei(GL_PACK_ROW_LENGTH, 9);
    glPixelTransferf(GL_DEPTH_SCALE, 0.25f);
    glReadBuffer(GL_FRONT);
    glMatrixMode(GL_PROJECTION);
    const auto state = [] {
        std::vector<double> values;
        for (GLenum name : {GL_PACK_ALIGNMENT, GL_PACK_SKIP_PIXELS, GL_PACK_ROW_LENGTH,
                            GL_DEPTH_SCALE, GL_READ_BUFFER, GL_MATRIX_MODE}) {
            GLdouble value = 0;
            glGetDoublev(name, &value);
            values.push_back(value);
        }
        for (GLenum name : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
            const Matrix m = currentMatrix(name);
            values.insert(values.end(), m.begin(), m.end());
        }
        return values;
    };
    const std::vector<double> before = state();
    expectPicked(1.25, -2.45, 3, 0.1);
    expectPicked(-4.95, 4.95, 3, 0.1);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // A bound pack buffer would receive the read; singular matrices.
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    expectMisses({{50, 50}});
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glDeleteBuffers(1, &buffer);
    glScaled(0, 0, 0);
    expectMisses({{50, 50}});
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
    drawQuad(-1, -1, 1, 1, 0);
    expectMisses({{50, 50}});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
    ASSERT_EQ(glutGetWindow(), 0);
    expectMisses({{0, 0}});
}
