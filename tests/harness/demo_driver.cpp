/*
 * demo_driver.cpp - the real demo program, run and driven as a user would
 *
 * Depends on: the harness's program, pixel and X connection helpers,
 * Xlib, xdotool.
 */
#include "tests/harness/demo_driver.h"

#include "tests/harness/wait.h"
#include "tests/harness/x_connection.h"

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

/* Green and blue at full strength: no program under test fills a whole
 * window with it. */
bool isPaint(Rgb p)
{
    return p.r == 0 && p.g == 255 && p.b == 255;
}

bool showsOnlyPaint(const Image& shot)
{
    return countPixels(shot, {0, 0, shot.width, shot.height}, isPaint) == shot.width * shot.height;
}

/* Paints the window over, then asks its program to draw it again as if it
 * had just been uncovered. */
void paintOverAndExpose(XWindow window)
{
    Display* display = harnessDisplay();
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    XGCValues values;
    values.foreground = attributes.visual->green_mask | attributes.visual->blue_mask;
    GC gc = XCreateGC(display, window, GCForeground, &values);
    XFillRectangle(display, window, gc, 0, 0, static_cast<unsigned>(attributes.width),
                   static_cast<unsigned>(attributes.height));
    XFreeGC(display, gc);
    XEvent expose{};
    expose.xexpose.type = Expose;
    expose.xexpose.window = window;
    expose.xexpose.width = attributes.width;
    expose.xexpose.height = attributes.height;
    XSendEvent(display, window, False, ExposureMask, &expose);
    XSync(display, False);
}

}  // namespace

::testing::AssertionResult launchDemo(DemoWindows& demo, bool withValues)
{
    demo.program = startProgram(VESTRANE_DEMO_PATH);
    demo.scene = findWindowByTitle("Vestrane");
    if (demo.scene == 0) {
        return ::testing::AssertionFailure() << "the demo showed no window titled Vestrane";
    }
    if (withValues) {
        demo.values = findWindowByTitle("Valeurs");
        if (demo.values == 0) {
            return ::testing::AssertionFailure() << "the demo showed no window titled Valeurs";
        }
    }
    return waitForFirstFrame(demo.scene);
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

::testing::AssertionResult chooseFirstMenuEntry(XWindow window)
{
    // A click opens the menu under the pointer and leaves it open; once the
    // menu is shown, a second click over the first entry, just below and
    // right of it, chooses it. The program reads the pointer's move and the
    // click in the order sent, however late.
    if (!pointInto(window, 20, 20) || !xdotool("click 3")) {
        return ::testing::AssertionFailure() << "xdotool could not open the menu";
    }
    if (findWindowByTitle("freeglut menu") == 0) {
        return ::testing::AssertionFailure() << "no menu was shown";
    }
    if (!xdotool("mousemove_relative 15 8 click 3")) {
        return ::testing::AssertionFailure() << "xdotool could not click the entry";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult waitForFirstFrame(XWindow window)
{
    return waitUntil(
        "window " + std::to_string(window) + " to show its first frame",
        [&] {
            const Image shot = captureWindow(window);
            return shot.width > 0 && shot.at(0, 0).r > 0;
        },
        waitLimitMs, 50);
}

Image redrawnShot(XWindow window)
{
    Image shot;
    for (int frame = 0; frame < 2; ++frame) {
        paintOverAndExpose(window);
        EXPECT_TRUE(waitUntil("window " + std::to_string(window) + " to draw over the paint", [&] {
            shot = captureWindow(window);
            return !showsOnlyPaint(shot);
        }));
    }
    return shot;
}
