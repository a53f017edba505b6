/*
 * text_testing.h - helpers shared by the text tests: windows whose
 * projection counts in pixels, the raster position, lit pixels and the
 * display lists of the current GL context.
 *
 * Depends on: the harness (GLUT windows, glReadPixels), OpenGL.
 */
#ifndef VESTRANE_TEST_TEXT_TESTING_H
#define VESTRANE_TEST_TEXT_TESTING_H

#include "support/projection/projection.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/pixels.h"

#include <GL/glut.h>

#include <array>

/* One unit a pixel over the whole window, origin at the bottom-left
 * corner: an anchor at (x, y) is recorded at window pixel (x, y).
 * Model-view is the identity. */
inline void usePixelProjection(int width = glutGet(GLUT_WINDOW_WIDTH),
                               int height = glutGet(GLUT_WINDOW_HEIGHT))
{
    reshapeWindowPixels(width, height);
    glMatrixMode(GL_PROJECTION);
    glTranslatef(0.0f, static_cast<float>(-height), 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

/* Black colour buffer, depth 1 everywhere; white for what comes next. */
inline void clearToBlack()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
}

/* A fresh window, current, with the pixel projection and a black picture. */
inline int openTextWindow(const char* title, int width = 200, int height = 100)
{
    const int window = openTestWindow(title, width, height);
    usePixelProjection();
    clearToBlack();
    return window;
}

/* What the current window's back buffer holds, top row first. */
inline Image backBuffer()
{
    glFinish();
    return readGlPixels(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT), GL_BACK);
}

/* x, y, depth and w of the GL raster position, in window pixels. */
inline std::array<float, 4> rasterPosition()
{
    std::array<float, 4> position{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position.data());
    return position;
}

/* Whether window pixel (x, y), counted from the bottom left, is drawn. */
inline bool isLit(const Image& image, int x, int y)
{
    const Rgb p = image.at(x, image.height - 1 - y);
    return p.r + p.g + p.b > 0;
}

inline int litPixels(const Image& image)
{
    return countPixels(image, {0, 0, image.width, image.height},
                       [](Rgb p) { return p.r + p.g + p.b > 0; });
}

/* The leftmost and rightmost columns with a lit pixel; -1 when none. */
struct InkSpan {
    int left = -1;
    int right = -1;
};

inline InkSpan inkSpan(const Image& image)
{
    InkSpan span;
    for (int x = 0; x < image.width; ++x) {
        for (int y = 0; y < image.height; ++y) {
            if (isLit(image, x, y)) {
                span.left = span.left < 0 ? x : span.left;
                span.right = x;
                break;
            }
        }
    }
    return span;
}

/* How many of the first `names` display-list names the context holds. */
inline int displayListCount(GLuint names = 4096)
{
    int count = 0;
    for (GLuint name = 1; name <= names; ++name)
        count += glIsList(name) == GL_TRUE ? 1 : 0;
    return count;
}

#endif
