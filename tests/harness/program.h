/*
 * program.h - running a real program on the test X server and driving it
 *
 * Starts a program with its console output captured, finds its windows by
 * title, drives it with xdotool as a user would, and waits for its exit.
 */
#ifndef VESTRANE_TEST_PROGRAM_H
#define VESTRANE_TEST_PROGRAM_H

#include "tests/harness/wait.h"
#include "tests/harness/x_types.h"
#include <sys/types.h>

#include <string>
#include <vector>

struct RunningProgram {
    pid_t pid = -1;
    std::string outputPath;  // stdout and stderr together
};

struct WindowGeometry {
    int x = 0;  // position of the top-left corner on the screen
    int y = 0;
    int width = 0;
    int height = 0;
};

/* Exit results besides a normal status 0..255. */
constexpr int exitTimedOut = -1;
constexpr int exitBySignal = -2;

/* Starts the program with these arguments, in the current environment. */
RunningProgram startProgram(const std::string& path,
                            const std::vector<std::string>& arguments = {});

/* Waits for the program to end; kills it after `timeoutMs`. Returns its
 * exit status, exitTimedOut or exitBySignal. */
int waitForExit(RunningProgram& program, int timeoutMs = waitLimitMs);

/* Waits for the program to end as waitForExit does; fails unless it ended
 * with status 0, saying how it ended or that it did not. */
::testing::AssertionResult endsWithStatusZero(RunningProgram& program, int timeoutMs = waitLimitMs);

/* Kills the program if it still runs; removes its output file. */
void stopProgram(RunningProgram& program);

/* Everything the program wrote on its console so far. */
std::string programOutput(const RunningProgram& program);

/* A viewable window with this exact title, or 0 after `timeoutMs`. */
XWindow findWindowByTitle(const std::string& title, int timeoutMs = waitLimitMs);

WindowGeometry windowGeometry(XWindow window);

/* Runs `xdotool <arguments>`; true when it exited 0. */
bool xdotool(const std::string& arguments);

/* Sleeps. Only for a test that checks that nothing happens over a while:
 * everything else waits for its condition (waitUntil). */
void waitMilliseconds(int milliseconds);

#endif
