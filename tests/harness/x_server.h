/*
 * x_server.h - a private X server for tests that need one
 *
 * Starts Xvfb on a free display number and points DISPLAY at it, whatever
 * DISPLAY named before (the user's display is never touched); stops it
 * again on request.
 */
#ifndef VESTRANE_TEST_X_SERVER_H
#define VESTRANE_TEST_X_SERVER_H

#include <sys/types.h>

#include <string>
#include <vector>

/* Starts the program's private X server (once) and points DISPLAY at it;
 * returns false if it could not be started. */
bool ensureXServer();

/* Stops the X server that ensureXServer started, if it started one. */
void stopPrivateXServer();

/* Starts one more Xvfb, which lets Xvfb choose a free display number itself
 * (so that programs started side by side never pick the same), with
 * further server arguments (such as "-dpi", "288") if given. Returns the
 * number once the server answers, or -1 (the server is then stopped). */
int startXvfb(pid_t& pid, const std::vector<std::string>& extraArguments = {});

/* Loads an X resource string ("Xft.dpi:\t192\n") into the RESOURCE_MANAGER
 * property of the display's root window, as xrdb does; programs that open
 * the display afterwards see it. False when the display does not answer. */
bool loadResources(const char* displayName, const char* resources);

/* Stops a server that startXvfb started; sets pid to -1. */
void stopXvfb(pid_t& pid);

/* True when an X server answers on this display name. */
bool displayAnswers(const char* name);

#endif
