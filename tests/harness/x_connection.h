/*
 * x_connection.h - the harness's own connection to the test X server
 *
 * Internal to the harness: input, screenshots and window look-ups share
 * one connection, opened on first use (after the X server is up).
 */
#ifndef VESTRANE_TEST_X_CONNECTION_H
#define VESTRANE_TEST_X_CONNECTION_H

#include <X11/Xlib.h>

Display* harnessDisplay();

#endif
