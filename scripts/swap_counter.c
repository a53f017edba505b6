/*
 * swap_counter.c - preloaded into a GL program: counts the frames of its
 * first window
 *
 * Every glXSwapBuffers goes on to the real one. Those of the window with the
 * lowest X identifier (a client's windows get rising identifiers, so the
 * first one created) are counted; the count so far is written to the file
 * named by VESTRANE_SWAP_COUNT_FILE every 16 frames and when the program
 * ends, so that a script can read it while the program runs.
 *
 * Build: cc -shared -fPIC -o swap_counter.so swap_counter.c -ldl
 */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

static unsigned long long swaps;
static GLXDrawable firstWindow;
static int countFile = -1;

static void writeCount(void)
{
    char line[32];
    const int length = snprintf(line, sizeof line, "%20llu\n", swaps);
    if (countFile >= 0 && length > 0) {
        (void)!pwrite(countFile, line, (size_t)length, 0);
    }
}

__attribute__((constructor)) static void openCountFile(void)
{
    const char* path = getenv("VESTRANE_SWAP_COUNT_FILE");
    if (path != NULL) {
        countFile = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        writeCount();
    }
}

__attribute__((destructor)) static void writeFinalCount(void)
{
    writeCount();
}

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    static void (*realSwap)(Display*, GLXDrawable);
    if (realSwap == NULL) {
        *(void**)&realSwap = dlsym(RTLD_NEXT, "glXSwapBuffers");
    }
    if (realSwap != NULL) {
        realSwap(display, drawable);
    }
    if (firstWindow == 0 || drawable < firstWindow) {
        firstWindow = drawable;
    }
    if (drawable == firstWindow && ++swaps % 16 == 0) {
        writeCount();
    }
}
