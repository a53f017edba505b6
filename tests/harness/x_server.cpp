/*
 * x_server.cpp - starts and stops a private Xvfb for the tests
 *
 * Whatever DISPLAY names is never used: a test run must leave the user's
 * screen, pointer and keyboard alone, and parallel test programs must not
 * share one pointer.
 *
 * Depends on: Xlib, POSIX process calls, the Xvfb program.
 */
#include "tests/harness/x_server.h"
#include "tests/harness/x_connection.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

pid_t serverPid = -1;

}  // namespace

bool displayAnswers(const char* name)
{
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

/*
 * Starts Xvfb and lets it choose a free display number itself (-displayfd):
 * test programs started side by side can then never pick the same one.
 * Returns the number, or -1 when the server did not come up.
 */
int startXvfb(pid_t& pid, const std::vector<std::string>& extraArguments)
{
    int channel[2];
    if (pipe(channel) != 0) {
        return -1;
    }
    // The command line is made before the fork: the child only execs.
    std::vector<std::string> arguments = {"Xvfb",      "-displayfd", std::to_string(channel[1]),
                                          "-screen",   "0",          "1600x1200x24",
                                          "-nolisten", "tcp",        "-noreset"};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive the test program
        close(channel[0]);
        std::freopen("/dev/null", "w", stderr);
        std::freopen("/dev/null", "w", stdout);
        execvp("Xvfb", argv.data());
        _exit(127);
    }
    close(channel[1]);
    // The server writes its number once it accepts connections.
    std::string number;
    char c = 0;
    while (pid > 0 && read(channel[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(channel[0]);
    const std::string name = ":" + number;
    if (!number.empty() && displayAnswers(name.c_str())) {
        return std::atoi(number.c_str());
    }
    stopXvfb(pid);
    return -1;
}

bool loadResources(const char* displayName, const char* resources)
{
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return false;
    }
    XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(resources),
                    static_cast<int>(std::strlen(resources)));
    XCloseDisplay(display);  // sends the change first
    return true;
}

void stopXvfb(pid_t& pid)
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

bool ensureXServer()
{
    if (serverPid > 0) {
        return true;
    }
    pid_t pid = -1;
    const int number = startXvfb(pid);
    if (number < 0) {
        return false;
    }
    serverPid = pid;
    setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
    return true;
}

void stopPrivateXServer()
{
    if (serverPid > 0) {
        stopXvfb(serverPid);
        unsetenv("DISPLAY");
    }
}

Display* harnessDisplay()
{
    static Display* display = XOpenDisplay(nullptr);
    return display;
}
