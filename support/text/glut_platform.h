/*
 * glut_platform.h - what text needs from GLUT, in one place (internal, C++).
 *
 * Depends on: nothing public; glut_platform.cpp needs freeglut. Used by
 * text.cpp, stroke.cpp, text_context.cpp and text_scale.cpp.
 *
 * freeglut ends a program that calls most of its functions before
 * glutInit, and text works in programs that never call it: every entry
 * here asks GLUT only once it is initialised, and otherwise does nothing
 * and returns 0.
 */
#ifndef VESTRANE_SUPPORT_TEXT_GLUT_PLATFORM_H
#define VESTRANE_SUPPORT_TEXT_GLUT_PLATFORM_H

namespace vestrane::detail {

/* Whether glutInit has been called (and glutExit not since). */
[[nodiscard]] bool glutReady();

/* The current GLUT window; 0 without GLUT or without a current window. */
[[nodiscard]] int currentGlutWindow();

/* Draws each byte of `text` up to 127 with glutBitmapCharacter at the
 * current raster position; bytes above 127 are left out. A null font is
 * GLUT_BITMAP_8_BY_13, here and in glutCharactersWidth. */
void drawGlutCharacters(void* font, const char* text);

/* The sum of glutBitmapWidth over the bytes drawGlutCharacters draws. */
[[nodiscard]] int glutCharactersWidth(void* font, const char* text);

/* The screen's width in pixels over its width in millimetres, as GLUT
 * reports them, in dots per inch; 0 when GLUT cannot say. */
[[nodiscard]] double glutScreenDpi();

}  // namespace vestrane::detail

#endif
