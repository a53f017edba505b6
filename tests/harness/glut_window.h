/*
 * glut_window.h - real freeglut windows for tests, and event pumping
 */
#ifndef VESTRANE_TEST_GLUT_WINDOW_H
#define VESTRANE_TEST_GLUT_WINDOW_H

#include "tests/harness/x_types.h"

#include <functional>

/* Initialises GLUT once for the test program (RGBA, double, depth). */
void initGlutOnce();

/* Ends GLUT cleanly if it was initialised: windows destroyed, glutExit. */
void shutDownGlut();

/*
 * Opens a GLUT window of the given size at screen (x, y), makes it current,
 * and pumps events until it is mapped and its first reshape has run.
 * Returns the GLUT window identifier.
 */
int openTestWindow(const char* title, int width, int height, int x = 0, int y = 0);

/* Destroys a GLUT window and lets freeglut process the destruction. */
void closeTestWindow(int window);

/* The X window behind a GLUT window. */
XWindow xWindowOf(int window);

/* Runs glutMainLoopEvent for about `milliseconds`. */
void pumpEventsFor(int milliseconds);

/* Runs glutMainLoopEvent until `done` holds or the time runs out. */
bool pumpEventsUntil(const std::function<bool()>& done, int timeoutMs = 3000);

/* Resizes a GLUT window and pumps until GLUT reports the new size. */
bool resizeTestWindow(int window, int width, int height);

#endif
