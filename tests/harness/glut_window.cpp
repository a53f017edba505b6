/*
 * glut_window.cpp - real freeglut windows for tests, and event pumping
 *
 * Depends on: freeglut, GLX (to find the X window behind a GLUT window).
 */
#include "tests/harness/glut_window.h"

#include <X11/Xlib.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <chrono>
#include <thread>

namespace {

bool glutStarted = false;

void drawNothing() {}

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
    glutStarted = false;
}

int openTestWindow(const char* title, int width, int height, int x, int y)
{
    initGlutOnce();
    glutInitWindowSize(width, height);
    glutInitWindowPosition(x, y);
    const int window = glutCreateWindow(title);
    glutDisplayFunc(drawNothing);
    pumpEventsUntil([&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(glXGetCurrentDisplay(), xWindowOf(window), &attributes);
        return attributes.map_state == IsViewable;
    });
    pumpEventsFor(50);
    glutSetWindow(window);
    return window;
}

void closeTestWindow(int window)
{
    glutDestroyWindow(window);
    pumpEventsFor(20);
}

Window xWindowOf(int window)
{
    const int previous = glutGetWindow();
    glutSetWindow(window);
    const Window xWindow = glXGetCurrentDrawable();
    if (previous != 0) {
        glutSetWindow(previous);
    }
    return xWindow;
}

void pumpEventsFor(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool pumpEventsUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        glutMainLoopEvent();
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

bool resizeTestWindow(int window, int width, int height)
{
    glutSetWindow(window);
    glutReshapeWindow(width, height);
    return pumpEventsUntil([&] {
        glutSetWindow(window);
        return glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height;
    });
}
