/*
 * x_types.h - the X identifiers the harness hands around
 *
 * Same types as Xlib's XWindow and XKeySym, without pulling Xlib's macros
 * (None, Bool, Status, ...) into test files.
 */
#ifndef VESTRANE_TEST_X_TYPES_H
#define VESTRANE_TEST_X_TYPES_H

using XWindow = unsigned long;
using XKeySym = unsigned long;

#endif
