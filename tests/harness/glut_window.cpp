/*
 * glut_window.cpp - real freeglut windows for tests, and event pumping
 *
 * Depends on: freeglut, GLX (to find the X window behind a GLUT window and
 * GLUT's connection to the X server), gl_context.h (to let go of an EGL
 * context before GLUT makes a window current).
 */
#include "tests/harness/glut_window.h"

#include "tests/harness/gl_context.h"

#include <X11/Xlib.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <map>
#include <string>
#include <utility>

namespace {

bool glutStarted = false;

/* GLUT's own connection, known once a window of it has been current. */
Display* glutDisplay = nullptr;

/* The GL context and X window of each test window, to make current again
 * after another toolkit's context was. */
std::map<int, std::pair<GLXDrawable, GLXContext>> glutContexts;

void drawNothing() {}

void noteGlutDisplay()
{
    if (glutDisplay == nullptr) {
        glutDisplay = glXGetCurrentDisplay();
    }
}

}  // namespace

void initGlutOnce()
{
    if (glutStarted) {
        return;
    }
    int argc = 1;
    char name[] = "vestrane-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutStarted = true;
}

void shutDownGlut()
{
    if (!glutStarted) {
        return;
    }
    glutExit();
    glutContexts.clear();
    glutStarted = false;
    glutDisplay = nullptr;
}

int openTestWindow(const char* title, int width, int height, int x, int y)
{
    releaseGlfwEglContext();
    initGlutOnce();
    glutInitWindowSize(width, height);
    glutInitWindowPosition(x, y);
    const int window = glutCreateWindow(title);
    glutDisplayFunc(drawNothing);
    EXPECT_TRUE(waitForWindowShown(window)) << title;
    glutSetWindow(window);
    noteGlutDisplay();
    glutContexts[window] = {glXGetCurrentDrawable(), glXGetCurrentContext()};
    return window;
}

void makeTestWindowCurrent(int window)
{
    releaseGlfwEglContext();
    glutSetWindow(window);
    const auto known = glutContexts.find(window);
    if (known != glutContexts.end() && glutDisplay != nullptr)
        glXMakeCurrent(glutDisplay, known->second.first, known->second.second);
}

void closeTestWindow(int window)
{
    releaseGlfwEglContext();
    glutContexts.erase(window);
    glutDestroyWindow(window);
    pumpPendingEvents();
}

Window xWindowOf(int window)
{
    releaseGlfwEglContext();
    const int previous = glutGetWindow();
    glutSetWindow(window);
    const Window xWindow = glXGetCurrentDrawable();
    if (previous != 0) {
        glutSetWindow(previous);
    }
    return xWindow;
}

::testing::AssertionResult pumpEventsUntil(const std::string& what,
                                           const std::function<bool()>& done, int timeoutMs)
{
    releaseGlfwEglContext();
    return waitUntil(
        what,
        [&] {
            glutMainLoopEvent();
            return done();
        },
        timeoutMs, 2);
}

void pumpPendingEvents()
{
    releaseGlfwEglContext();
    noteGlutDisplay();
    if (glutDisplay == nullptr) {
        glutMainLoopEvent();
        return;
    }
    // The round trip brings in every event the server sent before its
    // reply; handling them may send requests that bring more. A window
    // that redraws itself for ever is given up on after a hundred rounds.
    for (int round = 0; round < 100; ++round) {
        XSync(glutDisplay, False);
        glutMainLoopEvent();
        XSync(glutDisplay, False);
        if (XPending(glutDisplay) == 0) {
            return;
        }
    }
}

::testing::AssertionResult waitForWindowShown(int window)
{
    noteGlutDisplay();
    const Window xWindow = xWindowOf(window);
    const ::testing::AssertionResult shown =
        pumpEventsUntil("GLUT window " + std::to_string(window) + " to be shown", [&] {
            XWindowAttributes attributes;
            XGetWindowAttributes(glutDisplay, xWindow, &attributes);
            return attributes.map_state == IsViewable;
        });
    pumpPendingEvents();
    return shown;
}

::testing::AssertionResult resizeTestWindow(int window, int width, int height)
{
    releaseGlfwEglContext();
    glutSetWindow(window);
    glutReshapeWindow(width, height);
    const ::testing::AssertionResult resized = pumpEventsUntil(
        "GLUT window " + std::to_string(window) + " to be " + std::to_string(width) + " x " +
            std::to_string(height),
        [&] {
            glutSetWindow(window);
            return glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height;
        });
    pumpPendingEvents();
    glutSetWindow(window);
    return resized;
}
