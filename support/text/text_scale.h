/*
 * text_scale.h - the scale of own-font text on the screen at hand (internal, C++).
 *
 * Depends on: nothing here; text_scale.cpp needs GLX, Xlib and GLUT. Used by
 * text.cpp (setTextScale(0)) and the tests.
 *
 * The automatic text scale comes from the first source that gives one: the
 * environment variable VESTRANE_TEXT_SCALE, the Xft.dpi resource that
 * desktops set on the X display, then the screen's size in pixels over its
 * size in millimetres. A dots-per-inch value becomes the scale dpi / 96,
 * rounded, within 1..maxTextScale. The parsing steps are pure functions, so
 * that they can be checked without an X server.
 */
#ifndef VESTRANE_SUPPORT_TEXT_TEXT_SCALE_H
#define VESTRANE_SUPPORT_TEXT_TEXT_SCALE_H

namespace vestrane::detail {

inline constexpr int maxTextScale = 8;
inline constexpr const char* scaleVariable = "VESTRANE_TEXT_SCALE";

/* The scale a value of VESTRANE_TEXT_SCALE names: a decimal integer 1..8,
 * blanks around it allowed. 0 for NULL and any other text. */
[[nodiscard]] int scaleFromVariable(const char* value);

/*
 * The dots per inch that the last "Xft.dpi" line of an X resource string
 * sets (lines "name: value"; the value a decimal number, with or without a
 * fraction). 0 when no line names Xft.dpi, the last one holds no such
 * number, or `resources` is NULL.
 */
[[nodiscard]] double xftDpiOf(const char* resources);

/* dpi / 96 rounded to the nearest integer, within 1..8; 0 for a dpi that
 * is not a positive finite number. */
[[nodiscard]] int scaleFromDpi(double dpi);

/*
 * The automatic scale, from the variable, else the Xft.dpi resource of the
 * current GL context's X display, else GLUT's screen size in pixels and
 * millimetres; 1 when none gives one. Without GLUT (glutInit never
 * called) only the variable counts.
 */
[[nodiscard]] int automaticTextScale();

}  // namespace vestrane::detail

#endif
