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
bool launchDemo(DemoWindows& demo, bool withValues);

/* Types xdotool key names ("x", "Return", "shift+Return", "space") with the
 * pointer in `window`, so that the keys reach that window. */
bool typeKeys(XWindow window, const std::string& keys, int repeat = 1);

/* Chooses the first entry of the right-button menu of `window`. */
bool chooseFirstMenuEntry(XWindow window);

/* Waits, however slow the build, until a window shows its first frame: its
 * top-left pixel no longer black, as a window never drawn is. */
bool waitForFirstFrame(XWindow window);

/* A screenshot taken after the program had time to draw. */
Image settledShot(XWindow window, int waitMs = 150);

#endif
