/*
 * swap_counter.c - preloaded into a GL program (LD_PRELOAD): counts the
 * frames of its first window
 *
 * Every glXSwapBuffers goes on to the real one. Those of the window with the
 * lowest X identifier (a client's windows get rising identifiers, so the
 * first one created) are counted, and the count is written to the file named
 * by VESTRANE_SWAP_COUNT_FILE (or to the standard output).
 *
 * Two ways of counting:
 *   - running (the soak): the count so far, rewritten every 16 frames and
 *     when the program ends, so that a script can read it while the program
 *     runs;
 *   - timed (the frame-rate bench), when VESTRANE_SWAP_COUNT_SECONDS is set:
 *     after VESTRANE_SWAP_COUNT_WARMUP seconds of swapping (default 1), the
 *     frames of the next VESTRANE_SWAP_COUNT_SECONDS seconds; then the count
 *     is written and the program ends.
 *
 * Depends on: GLX (the real glXSwapBuffers, found with dlsym).
 * Build: cc -shared -fPIC -o swap_counter.so swap_counter.c -ldl
 */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

/* ---- State ------------------------------------------------------------- */

static unsigned long long swaps;
static GLXDrawable firstWindow;
static int countFile = -1;
static double timedSeconds; /* 0: running count */
static double warmupSeconds = 1.0;
static double start;

/* ---- Internal helpers -------------------------------------------------- */

static double secondsNow(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

static void writeCount(void)
{
    char line[32];
    const int length = snprintf(line, sizeof line, "%20llu\n", swaps);
    if (countFile >= 0 && length > 0) {
        (void)!pwrite(countFile, line, (size_t)length, 0);
    }
}

__attribute__((constructor)) static void setUp(void)
{
    const char* path = getenv("VESTRANE_SWAP_COUNT_FILE");
    const char* seconds = getenv("VESTRANE_SWAP_COUNT_SECONDS");
    const char* warmup = getenv("VESTRANE_SWAP_COUNT_WARMUP");
    countFile = path != NULL ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)
                             : dup(STDOUT_FILENO);
    if (seconds != NULL) {
        timedSeconds = atof(seconds);
    }
    if (warmup != NULL) {
        warmupSeconds = atof(warmup);
    }
    if (timedSeconds <= 0.0) {
        writeCount();
    }
}

__attribute__((destructor)) static void writeFinalCount(void)
{
    if (timedSeconds <= 0.0) {
        writeCount();
    }
}

/* ---- The counted swap -------------------------------------------------- */

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static void (*realSwap)(Display*, GLXDrawable);
    if (realSwap == NULL) {
        void* symbol = dlsym(RTLD_NEXT, "glXSwapBuffers");
        memcpy(&realSwap, &symbol, sizeof realSwap); /* POSIX: data to function pointer */
        start = secondsNow();
    }
    if (realSwap != NULL) {
        realSwap(display, drawable);
    }
    if (firstWindow == 0 || drawable < firstWindow) {
        firstWindow = drawable;
    }
    if (timedSeconds <= 0.0) {
        if (drawable == firstWindow && ++swaps % 16 == 0) {
            writeCount();
        }
        return;
    }
    const double elapsed = secondsNow() - start;
    if (elapsed >= warmupSeconds && drawable == firstWindow) {
        ++swaps;
    }
    if (elapsed >= warmupSeconds + timedSeconds) {
        writeCount();
        _exit(0);
    }
}
