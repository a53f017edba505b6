/*
 * x_server.cpp - starts and stops a private Xvfb for the tests
 *
 * Depends on: Xlib, POSIX process calls, the Xvfb program.
 */
#include "tests/harness/x_server.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

pid_t serverPid = -1;

bool displayAnswers(const char* name)
{
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

bool displayNumberInUse(int number)
{
    struct stat info;
    const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    return stat(lock.c_str(), &info) == 0 || stat(socket.c_str(), &info) == 0;
}

pid_t spawnXvfb(const std::string& name)
{
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive the test program
        std::freopen("/dev/null", "w", stderr);
        std::freopen("/dev/null", "w", stdout);
        execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

bool waitUntilAnswering(const std::string& name, pid_t pid)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (displayAnswers(name.c_str())) {
            return true;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return false;  // it died: most likely the number was taken
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

}  // namespace

bool ensureXServer()
{
    const char* current = std::getenv("DISPLAY");
    if (current != nullptr && *current != '\0' && displayAnswers(current)) {
        return true;
    }
    for (int number = 90 + getpid() % 50; number < 400; ++number) {
        if (displayNumberInUse(number)) {
            continue;
        }
        const std::string name = ":" + std::to_string(number);
        const pid_t pid = spawnXvfb(name);
        if (pid > 0 && waitUntilAnswering(name, pid)) {
            serverPid = pid;
            setenv("DISPLAY", name.c_str(), 1);
            return true;
        }
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    return false;
}

void stopPrivateXServer()
{
    if (serverPid <= 0) {
        return;
    }
    kill(serverPid, SIGTERM);
    waitpid(serverPid, nullptr, 0);
    serverPid = -1;
    unsetenv("DISPLAY");
}
