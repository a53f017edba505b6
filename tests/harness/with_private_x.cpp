/*
 * with_private_x.cpp - runs one program on a private X server
 *
 *     with_private_x SECONDS PROGRAM [ARGUMENT...]
 *
 * Starts an Xvfb of its own, runs PROGRAM there (killed after SECONDS),
 * prints what it wrote, stops the server and exits with the program's
 * status (1 when it timed out or was killed). For programs that are not
 * test programs themselves, such as the consumer projects.
 *
 * Depends on: the harness's X server and program helpers.
 */
#include "tests/harness/program.h"
#include "tests/harness/x_server.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: with_private_x SECONDS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    if (!ensureXServer()) {
        std::fprintf(stderr, "with_private_x: no X server: is Xvfb installed?\n");
        return 1;
    }
    RunningProgram program = startProgram(argv[2], std::vector<std::string>(argv + 3, argv + argc));
    const int status = waitForExit(program, std::atoi(argv[1]) * 1000);
    std::fputs(programOutput(program).c_str(), stdout);
    stopProgram(program);
    stopPrivateXServer();
    if (status == exitTimedOut) {
        std::fprintf(stderr, "with_private_x: %s timed out\n", argv[2]);
    }
    return status >= 0 ? status : 1;
}
