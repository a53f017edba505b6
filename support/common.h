/*
 * common.h - what the library's public headers share
 *
 * VESTRANE_API stands before every function that the public headers
 * declare. The library is compiled with hidden visibility, so in the shared
 * build these functions, and nothing else of ours, are exported; in the
 * static build the mark changes nothing.
 *
 * WindowId is a GLUT window identifier, as glutCreateWindow returns it;
 * -1 names no window.
 *
 * Depends on: nothing.
 */
#ifndef VESTRANE_COMMON_H
#define VESTRANE_COMMON_H

#if defined(__GNUC__) || defined(__clang__)
#define VESTRANE_API __attribute__((visibility("default")))
#else
#define VESTRANE_API
#endif

typedef int WindowId;

#endif /* VESTRANE_COMMON_H */
