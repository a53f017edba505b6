/*
 * x_input.cpp - real X input events for tests, sent through XTest
 *
 * Depends on: Xlib, the XTest extension.
 */
#include "tests/harness/x_input.h"

#include "tests/harness/x_connection.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

void sendKey(KeySym key, bool down)
{
    Display* display = harnessDisplay();
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), down ? True : False, CurrentTime);
}

void setModifiers(unsigned held, bool down)
{
    if (held & holdShift)
        sendKey(XK_Shift_L, down);
    if (held & holdCtrl)
        sendKey(XK_Control_L, down);
    if (held & holdAlt)
        sendKey(XK_Alt_L, down);
}

void sendButton(int button, bool down, unsigned held)
{
    setModifiers(held, true);
    XTestFakeButtonEvent(harnessDisplay(), static_cast<unsigned>(button), down ? True : False,
                         CurrentTime);
    setModifiers(held, false);
    syncInput();
}

}  // namespace

void movePointerInto(Window window, int x, int y)
{
    Display* display = harnessDisplay();
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    syncInput();
}

void tapKey(KeySym key, unsigned held)
{
    setModifiers(held, true);
    sendKey(key, true);
    sendKey(key, false);
    setModifiers(held, false);
    syncInput();
}

void pressButton(int button, unsigned held)
{
    sendButton(button, true, held);
}

void releaseButton(int button, unsigned held)
{
    sendButton(button, false, held);
}

void holdKeys(unsigned held)
{
    setModifiers(held, true);
    syncInput();
}

void releaseKeys(unsigned held)
{
    setModifiers(held, false);
    syncInput();
}

void syncInput()
{
    XSync(harnessDisplay(), False);
}
