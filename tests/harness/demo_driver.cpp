/*
 * demo_driver.cpp - the real demo program, run and driven as a user would
 *
 * Depends on: the harness's program, pixel and X connection helpers,
 * Xlib, xdotool.
 */
#include "tests/harness/demo_driver.h"

#include "tests/harness/x_connection.h"

#include <chrono>

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

Image redrawnShot(XWindow window)
{
    Image shot;
    for (int frame = 0; frame < 2; ++frame) {
        paintOverAndExpose(window);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        shot = captureWindow(window);
        while (showsOnlyPaint(shot) && std::chrono::steady_clock::now() < end) {
            waitMilliseconds(10);
            shot = captureWindow(window);
        }
    }
    return shot;
}
