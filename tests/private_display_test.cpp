/*
 * Test programs never use the display DISPLAY names: a GUI test program run
 * with DISPLAY pointing at a live server (one this test starts) creates no
 * window there.
 */
#include "tests/harness/program.h"
#include "tests/harness/x_server.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>  // after gtest: it defines None

#include <cstdlib>
#include <string>

#ifndef VESTRANE_GUI_TEST_PATH
#error "VESTRANE_GUI_TEST_PATH must name a test program that opens windows"
#endif

namespace {

/* Windows created on the watched server since the last call. */
int createdWindows(Display* display)
{
    XSync(display, False);
    int count = 0;
    XEvent event;
    while (XCheckTypedEvent(display, CreateNotify, &event)) {
        ++count;
    }
    return count;
}

}  // namespace

TEST(PrivateDisplay, AGuiTestProgramLeavesTheDisplayItIsGivenAlone)
{
    pid_t server = -1;
    const int number = startXvfb(server);
    ASSERT_GE(number, 0);
    const std::string name = ":" + std::to_string(number);
    Display* watched = XOpenDisplay(name.c_str());
    ASSERT_NE(watched, nullptr);
    XSelectInput(watched, DefaultRootWindow(watched), SubstructureNotifyMask);

    // The watch sees a window that is created there.
    const Window own =
        XCreateSimpleWindow(watched, DefaultRootWindow(watched), 0, 0, 10, 10, 0, 0, 0);
    EXPECT_EQ(createdWindows(watched), 1);
    XDestroyWindow(watched, own);

    const std::string ownDisplay = std::getenv("DISPLAY");
    setenv("DISPLAY", name.c_str(), 1);
    RunningProgram program = startProgram(VESTRANE_GUI_TEST_PATH);
    setenv("DISPLAY", ownDisplay.c_str(), 1);
    EXPECT_EQ(waitForExit(program, 100000), 0) << programOutput(program);
    EXPECT_EQ(createdWindows(watched), 0);

    stopProgram(program);
    XCloseDisplay(watched);
    stopXvfb(server);
}
