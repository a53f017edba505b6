/*
 * x_input.h - real X input events for tests, sent through XTest
 *
 * The events go through the X server like a user's, so freeglut receives
 * them as real key and button events and glutGetModifiers() means what it
 * says. Pump GLUT events afterwards for the callbacks to run.
 */
#ifndef VESTRANE_TEST_X_INPUT_H
#define VESTRANE_TEST_X_INPUT_H

#include "tests/harness/x_types.h"

/* Modifier keys to hold around an event; combine with |. */
enum HeldKeys : unsigned {
    holdNone = 0,
    holdShift = 1,
    holdCtrl = 2,
    holdAlt = 4,
};

/* Moves the pointer to (x, y) inside an X window (keys then go there). */
void movePointerInto(XWindow window, int x, int y);

/* Presses and releases one key, with the given modifier keys held. */
void tapKey(XKeySym key, unsigned held = holdNone);

/* Presses or releases a mouse button (1 left, 2 middle, 3 right) where the
 * pointer is, with the given modifier keys held around it. */
void pressButton(int button, unsigned held = holdNone);
void releaseButton(int button, unsigned held = holdNone);

/* Holds or lets go of modifier keys on their own. */
void holdKeys(unsigned held);
void releaseKeys(unsigned held);

/* Waits until the X server has handled every event sent so far. */
void syncInput();

#endif
