/*
 * swap_counter.c - preloaded into a GLUT program (LD_PRELOAD), counts the
 * buffer swaps of its first window for a fixed time, writes the count and
 * ends the program.
 *
 * The first window is the one with the lowest X identifier: a client's
 * windows get rising identifiers. Counting starts once the program has
 * swapped for SWAP_COUNT_WARMUP seconds (default 1) and lasts
 * SWAP_COUNT_SECONDS (default 3); the count goes to SWAP_COUNT_FILE, or to
 * the standard output.
 *
 * Depends on: GLX (the real glXSwapBuffers, found with dlsym).
 */
#define _GNU_SOURCE
#include <GL/glx.h>

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double secondsNow(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

static double settingOr(const char* name, double fallback)
{
    const char* value = getenv(name);
    return value != NULL ? atof(value) : fallback;
}

static void reportAndExit(long swaps)
{
    const char* path = getenv("SWAP_COUNT_FILE");
    FILE* out = path != NULL ? fopen(path, "w") : stdout;
    if (out != NULL) {
        fprintf(out, "%ld\n", swaps);
        fflush(out);
    }
    _exit(out != NULL ? 0 : 1);
}

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    typedef void (*SwapBuffers)(Display*, GLXDrawable);
    static SwapBuffers realSwap;
    static double start;
    static double counted;
    static double warmup;
    static GLXDrawable first;
    static long swaps;
    double elapsed;

    if (realSwap == NULL) {
        void* symbol = dlsym(RTLD_NEXT, "glXSwapBuffers");
        memcpy(&realSwap, &symbol, sizeof realSwap); /* POSIX: data to function pointer */
        warmup = settingOr("SWAP_COUNT_WARMUP", 1.0);
        counted = settingOr("SWAP_COUNT_SECONDS", 3.0);
        start = secondsNow();
    }
    realSwap(display, drawable);
    if (first == 0 || drawable < first)
        first = drawable;
    elapsed = secondsNow() - start;
    if (elapsed >= warmup && drawable == first)
        ++swaps;
    if (elapsed >= warmup + counted)
        reportAndExit(swaps);
}
