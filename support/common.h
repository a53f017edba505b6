/**
 * @defgroup vestrane_common Common: what the public headers share
 *
 * What the library's public headers share.
 *
 * - ::VESTRANE_API stands before every function that the public headers
 *   declare.
 * - ::WindowId names a GLUT window in the view and projection modules.
 * - ::Color is a colour component: the colour and text modules take colours
 *   as pointers to four of them.
 *
 * `#include <support/common.h>` (every module header includes it).
 * Depends on: nothing.
 * @{
 */
#ifndef VESTRANE_COMMON_H
#define VESTRANE_COMMON_H

/**
 * Marks a public function of the library.
 *
 * The library is compiled with hidden visibility, so in the shared build
 * these functions, and nothing else of ours, are exported; in the static
 * build the mark changes nothing.
 */
#if defined(__GNUC__) || defined(__clang__)
#define VESTRANE_API __attribute__((visibility("default")))
#else
#define VESTRANE_API
#endif

/** A GLUT window identifier, as glutCreateWindow returns it; -1 names no window. */
typedef int WindowId;

/** One colour component; a colour is a pointer to four of them (red, green,
 * blue, alpha), the form glColor4fv takes. (The same type as GLfloat.) */
typedef float Color;

/** @} */

#endif /* VESTRANE_COMMON_H */
