/*
 * program.cpp - running a real program on the test X server and driving it
 *
 * Depends on: POSIX process calls, Xlib, the xdotool program.
 */
#include "tests/harness/program.h"

#include "tests/harness/x_connection.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

bool hasTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) {
        return false;
    }
    const bool same = title == name;
    XFree(name);
    return same;
}

bool isViewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

/* The first viewable window with this title under `parent`: a program may
 * hold unmapped windows of the same title (freeglut's menus). */
Window searchTree(Display* display, Window parent, const std::string& title)
{
    Window root = 0;
    Window ignored = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &ignored, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        found = hasTitle(display, children[i], title) && isViewable(display, children[i])
                    ? children[i]
                    : searchTree(display, children[i], title);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

int decodeStatus(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : exitBySignal;
}

}  // namespace

RunningProgram startProgram(const std::string& path, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    RunningProgram program;
    char pattern[] = "/tmp/vestrane-output-XXXXXX";
    const int outputFd = mkstemp(pattern);
    program.outputPath = pattern;
    program.pid = fork();
    if (program.pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(outputFd, STDOUT_FILENO);
        dup2(outputFd, STDERR_FILENO);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(outputFd);
    return program;
}

int waitForExit(RunningProgram& program, int timeoutMs)
{
    if (program.pid <= 0) {
        return exitBySignal;
    }
    int status = 0;
    const bool ended = static_cast<bool>(waitUntil(
        "the program to end", [&] { return waitpid(program.pid, &status, WNOHANG) == program.pid; },
        timeoutMs));
    if (!ended) {
        kill(program.pid, SIGKILL);
        waitpid(program.pid, &status, 0);
    }
    program.pid = -1;
    return ended ? decodeStatus(status) : exitTimedOut;
}

::testing::AssertionResult endsWithStatusZero(RunningProgram& program, int timeoutMs)
{
    const int status = waitForExit(program, timeoutMs);
    if (status == 0) {
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    if (status == exitTimedOut) {
        failure << "gave up after " << timeoutMs / 1000.0 << " s waiting for the program to end";
    } else if (status == exitBySignal) {
        failure << "the program was killed by a signal";
    } else {
        failure << "the program ended with status " << status;
    }
    return failure;
}

void stopProgram(RunningProgram& program)
{
    if (program.pid > 0) {
        kill(program.pid, SIGKILL);
        waitpid(program.pid, nullptr, 0);
        program.pid = -1;
    }
    if (!program.outputPath.empty()) {
        std::remove(program.outputPath.c_str());
        program.outputPath.clear();
    }
}

std::string programOutput(const RunningProgram& program)
{
    std::ifstream file(program.outputPath);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Window findWindowByTitle(const std::string& title, int timeoutMs)
{
    Display* display = harnessDisplay();
    Window found = 0;
    waitUntil(
        "a window titled " + title,
        [&] {
            XSync(display, False);
            found = searchTree(display, DefaultRootWindow(display), title);
            return found != 0;
        },
        timeoutMs, 20);
    return found;
}

WindowGeometry windowGeometry(Window window)
{
    Display* display = harnessDisplay();
    XSync(display, False);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    WindowGeometry geometry;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &geometry.x,
                          &geometry.y, &child);
    geometry.width = attributes.width;
    geometry.height = attributes.height;
    return geometry;
}

bool xdotool(const std::string& arguments)
{
    const std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

void waitMilliseconds(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
