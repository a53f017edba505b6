/*
 * demo_driver.cpp - the real demo program, run and driven as a user would
 *
 * Depends on: the harness's program and pixel helpers, xdotool.
 */
#include "tests/harness/demo_driver.h"

#ifndef VESTRANE_DEMO_PATH
#error "VESTRANE_DEMO_PATH must name the demo binary"
#endif

namespace {

std::string windowArgument(XWindow window)
{
    return std::to_string(static_cast<unsigned long>(window));
}

bool pointInto(XWindow window, int x, int y)
{
    // No --sync: it waits for a motion that never comes when the pointer
    // is already there.
    return xdotool("mousemove --window " + windowArgument(window) + " " + std::to_string(x) + " " +
                   std::to_string(y));
}

}  // namespace

bool launchDemo(DemoWindows& demo, bool withValues)
{
    demo.program = startProgram(VESTRANE_DEMO_PATH);
    demo.scene = findWindowByTitle("Vestrane");
    if (withValues) {
        demo.values = findWindowByTitle("Valeurs");
    }
    return demo.scene != 0 && (!withValues || demo.values != 0) && waitForFirstFrame(demo.scene);
}

bool typeKeys(XWindow window, const std::string& keys, int repeat)
{
    if (!pointInto(window, 10, 10)) {
        return false;
    }
    std::string sequence;
    for (int i = 0; i < repeat; ++i) {
        sequence += " " + keys;
    }
    return xdotool("key --delay 5" + sequence);
}

bool chooseFirstMenuEntry(XWindow window)
{
    // A click opens the menu under the pointer and leaves it open; a second
    // click over the first entry, just below and right of it, chooses it.
    return pointInto(window, 20, 20) && xdotool("click 3") && xdotool("sleep 0.2") &&
           xdotool("mousemove_relative 15 8") && xdotool("sleep 0.1") && xdotool("click 3");
}

bool waitForFirstFrame(XWindow window)
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        const Image shot = captureWindow(window);
        if (shot.width > 0 && shot.at(0, 0).r > 0) {
            return true;
        }
        waitMilliseconds(50);
    }
    return false;
}

Image settledShot(XWindow window, int waitMs)
{
    waitMilliseconds(waitMs);
    return captureWindow(window);
}
