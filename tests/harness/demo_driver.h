/*
 * demo_driver.h - the real demo program, run and driven as a user would
 */
#ifndef VESTRANE_TEST_DEMO_DRIVER_H
#define VESTRANE_TEST_DEMO_DRIVER_H

#include "tests/harness/pixels.h"
#include "tests/harness/program.h"

#include <string>

struct DemoWindows {
    RunningProgram program;
    XWindow scene = 0;   // "Vestrane"
    XWindow values = 0;  // "Valeurs", once the program has one
};

/* Starts the demo and waits for its main window (and values window when
 * `withValues`), and for the main window's first frame. */
::testing::AssertionResult launchDemo(DemoWindows& demo, bool withValues);

/* Types xdotool key names ("x", "Return", "shift+Return", "space") with the
 * pointer in `window`, so that the keys reach that window. */
bool typeKeys(XWindow window, const std::string& keys, int repeat = 1);

/* Chooses the first entry of the right-button menu of `window`: opens the
 * menu, points at the entry, waits until the menu shows it highlighted and
 * clicks. */
::testing::AssertionResult chooseFirstMenuEntry(XWindow window);

/* Waits, however slow the build, until a window shows its first frame: its
 * top-left pixel no longer black, as a window never drawn is. */
::testing::AssertionResult waitForFirstFrame(XWindow window);

/* A screenshot of a frame drawn after the program read every input event
 * sent so far, however slow it runs: paints the window over in a colour of
 * its own and sends it an Expose, twice, and waits each time until the
 * program has drawn over the paint (the second frame started after the
 * first was shown, so after the program had read its events). Between the
 * two frames a running GLUT idle function was called at least once. Gives
 * up after waitLimitMs, failing the test, and returns the painted window. */
Image redrawnShot(XWindow window);

#endif
