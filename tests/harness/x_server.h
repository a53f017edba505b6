/*
 * x_server.h - a private X server for tests that need one
 *
 * When DISPLAY is unset, or names a server that does not answer, starts
 * Xvfb on a free display number and points DISPLAY at it; stops it again
 * on request. When DISPLAY names a working server, uses it.
 */
#ifndef VESTRANE_TEST_X_SERVER_H
#define VESTRANE_TEST_X_SERVER_H

/* Makes sure an X server answers on DISPLAY; returns false if none could. */
bool ensureXServer();

/* Stops the X server that ensureXServer started, if it started one. */
void stopPrivateXServer();

#endif
