/*
 * glut_window.h - real freeglut windows for tests, and event pumping
 */
#ifndef VESTRANE_TEST_GLUT_WINDOW_H
#define VESTRANE_TEST_GLUT_WINDOW_H

#include "tests/harness/wait.h"
#include "tests/harness/x_types.h"

#include <functional>
#include <string>

/* Initialises GLUT once for the test program (RGBA, double, depth). */
void initGlutOnce();

/* Ends GLUT cleanly if it was initialised: windows destroyed, glutExit. */
void shutDownGlut();

/*
 * Opens a GLUT window of the given size at screen (x, y), makes it current,
 * and pumps events until it is mapped and every event that brought
 * (its first reshape among them) has been handled.
 * Returns the GLUT window identifier.
 */
int openTestWindow(const char* title, int width, int height, int x = 0, int y = 0);

/* Makes a window of openTestWindow current, with its GL context, also
 * after a context of another toolkit was (glutSetWindow alone does nothing
 * for the window GLUT thinks is current already). */
void makeTestWindowCurrent(int window);

/* Destroys a GLUT window and lets freeglut process the destruction. */
void closeTestWindow(int window);

/* The X window behind a GLUT window. */
XWindow xWindowOf(int window);

/* Runs glutMainLoopEvent until `done` holds, for at most `timeoutMs`; the
 * failure names `what`. */
::testing::AssertionResult pumpEventsUntil(const std::string& what,
                                           const std::function<bool()>& done,
                                           int timeoutMs = waitLimitMs);

/* Hands GLUT every event the X server has for it, the input sent through
 * x_input.h included, and runs the callbacks and redisplays they cause,
 * until none is left. A callback that has not run by then was not called
 * for: a test that expects nothing to happen checks right after it, with
 * no time to wait out. */
void pumpPendingEvents();

/* Pumps events until a GLUT window (one that GLUT opened by itself too) is
 * mapped and viewable, then every event that brought. */
::testing::AssertionResult waitForWindowShown(int window);

/* Resizes a GLUT window, pumps until GLUT reports the new size, then every
 * event the resize brought: the reshape and the redisplays it asks for
 * have run. */
::testing::AssertionResult resizeTestWindow(int window, int width, int height);

#endif
