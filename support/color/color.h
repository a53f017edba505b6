/*
 * color.h - named RGBA colours, colours with a chosen opacity, heap copies
 * and 256-entry colour ramps for small OpenGL/GLUT programs.
 *
 * Depends on: <GL/gl.h> (GLfloat). Usable from C99 and C++.
 *
 * A colour is four consecutive floats red, green, blue, alpha, handed
 * around as a `Color *` so that it goes straight into glColor4fv,
 * glLightfv or glMaterialfv:
 *
 *     glColor4fv(colorWhite());
 *
 * Every returned pointer lives in one of three places, stated per function:
 *   - the colour table: the 24 named colours, present from program start;
 *   - a builder buffer: one static colour per builder function, overwritten
 *     by the next call of that same builder (other builders never touch it);
 *   - the heap: copies and ramps, owned by the caller, released with
 *     freeColor and freeRamp (or free).
 * No function checks its arguments; components are stored as given, without
 * clamping to 0..1.
 */
#ifndef VESTRANE_SUPPORT_COLOR_COLOR_H
#define VESTRANE_SUPPORT_COLOR_COLOR_H

#include "support/common.h"

#include <GL/gl.h>

/* Marks functions whose result owns heap memory: dropping it is a leak. */
#if defined(__GNUC__) || defined(__clang__)
#define COLOR_MUST_USE_RESULT __attribute__((warn_unused_result))
#else
#define COLOR_MUST_USE_RESULT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One colour component; a colour is a pointer to four of them (RGBA). */
typedef GLfloat Color;

/*
 * Named colours: no arguments; each returns a pointer to its own entry of
 * the colour table, the same pointer on every call (not a copy). The entry
 * keeps the values below for the whole run unless a caller writes through
 * the pointer. Alpha is 1 in every entry.
 *
 *   getter             red   green blue     getter             red  green blue
 *   colorWhite         1     1     1        colorDarkYellow    0.5  0.5   0
 *   colorYellow        1     1     0        colorDarkCyan      0    0.5   0.5
 *   colorCyan          0     1     1        colorDarkMagenta   0.5  0     0.5
 *   colorMagenta       1     0     1        colorDarkRed       0.5  0     0
 *   colorRed           1     0     0        colorDarkGreen     0    0.5   0
 *   colorGreen         0     1     0        colorDarkBlue      0    0     0.5
 *   colorBlue          0     0     1        colorTan           0.8  0.6   0.4
 *   colorBlack         0     0     0        colorPink          1    0.65  0.65
 *   colorGrey10        0.1   0.1   0.1      colorBrick         0.6  0.25  0.25
 *   colorGrey25        0.25  0.25  0.25     colorLightBlue     0.5  0.5   1
 *   colorGrey50        0.5   0.5   0.5      colorSlateBlue     0.25 0.25  0.5
 *   colorGrey75        0.75  0.75  0.75
 *   colorMediumYellow  0.75  0.75  0
 */
VESTRANE_API Color* colorWhite(void);
VESTRANE_API Color* colorYellow(void);
VESTRANE_API Color* colorCyan(void);
VESTRANE_API Color* colorMagenta(void);
VESTRANE_API Color* colorRed(void);
VESTRANE_API Color* colorGreen(void);
VESTRANE_API Color* colorBlue(void);
VESTRANE_API Color* colorBlack(void);
VESTRANE_API Color* colorGrey10(void);
VESTRANE_API Color* colorGrey25(void);
VESTRANE_API Color* colorGrey50(void);
VESTRANE_API Color* colorGrey75(void);
VESTRANE_API Color* colorMediumYellow(void);
VESTRANE_API Color* colorDarkYellow(void);
VESTRANE_API Color* colorDarkCyan(void);
VESTRANE_API Color* colorDarkMagenta(void);
VESTRANE_API Color* colorDarkRed(void);
VESTRANE_API Color* colorDarkGreen(void);
VESTRANE_API Color* colorDarkBlue(void);
VESTRANE_API Color* colorTan(void);
VESTRANE_API Color* colorPink(void);
VESTRANE_API Color* colorBrick(void);
VESTRANE_API Color* colorLightBlue(void);
VESTRANE_API Color* colorSlateBlue(void);

/*
 * Named colours with a chosen opacity: colorXxxWithAlpha(alpha) copies red,
 * green and blue of the table entry of colorXxx (read at each call, so a
 * change written into the table shows) into the builder's own buffer, sets
 * the buffer's alpha to `alpha` and returns a pointer to that buffer.
 *   alpha - opacity stored unchanged (nominally 0 transparent .. 1 opaque).
 * State: overwrites this builder's buffer only. Every named colour but
 * colorTan has one.
 */
VESTRANE_API Color* colorWhiteWithAlpha(float alpha);
VESTRANE_API Color* colorYellowWithAlpha(float alpha);
VESTRANE_API Color* colorCyanWithAlpha(float alpha);
VESTRANE_API Color* colorMagentaWithAlpha(float alpha);
VESTRANE_API Color* colorRedWithAlpha(float alpha);
VESTRANE_API Color* colorGreenWithAlpha(float alpha);
VESTRANE_API Color* colorBlueWithAlpha(float alpha);
VESTRANE_API Color* colorBlackWithAlpha(float alpha);
VESTRANE_API Color* colorGrey10WithAlpha(float alpha);
VESTRANE_API Color* colorGrey25WithAlpha(float alpha);
VESTRANE_API Color* colorGrey50WithAlpha(float alpha);
VESTRANE_API Color* colorGrey75WithAlpha(float alpha);
VESTRANE_API Color* colorMediumYellowWithAlpha(float alpha);
VESTRANE_API Color* colorDarkYellowWithAlpha(float alpha);
VESTRANE_API Color* colorDarkCyanWithAlpha(float alpha);
VESTRANE_API Color* colorDarkMagentaWithAlpha(float alpha);
VESTRANE_API Color* colorDarkRedWithAlpha(float alpha);
VESTRANE_API Color* colorDarkGreenWithAlpha(float alpha);
VESTRANE_API Color* colorDarkBlueWithAlpha(float alpha);
VESTRANE_API Color* colorPinkWithAlpha(float alpha);
VESTRANE_API Color* colorBrickWithAlpha(float alpha);
VESTRANE_API Color* colorLightBlueWithAlpha(float alpha);
VESTRANE_API Color* colorSlateBlueWithAlpha(float alpha);

/*
 * Grey of any level: sets red, green and blue of this builder's buffer to
 * `level` and its alpha to `alpha`; returns a pointer to the buffer.
 *   level - grey level, 0 black .. 1 white.
 *   alpha - opacity.
 * State: overwrites this builder's buffer only.
 */
VESTRANE_API Color* greyWithAlpha(float level, float alpha);

/*
 * Colour from four components: stores red, green, blue and alpha in that
 * order into this builder's buffer; returns a pointer to the buffer.
 * State: overwrites this builder's buffer only.
 */
VESTRANE_API Color* makeColor(float red, float green, float blue, float alpha);

/*
 * Heap copy: allocates one colour (calloc) and copies the four components
 * of `color` into it.
 *   color - the colour to copy (any Color pointer), or NULL.
 * Returns the copy, owned by the caller (release with freeColor), or NULL
 * when `color` is NULL or the heap is exhausted.
 */
VESTRANE_API COLOR_MUST_USE_RESULT Color* copyColor(const Color* color);

/*
 * Releases a heap colour with free: a copy or a ramp entry (a plain free,
 * so it also takes a ramp's pointer array cast to Color *). NULL is
 * accepted.
 *   color - heap memory from this library; never a table or buffer colour.
 */
VESTRANE_API void freeColor(Color* color);

/*
 * Rainbow ramp: a new heap array of 256 pointers, entry i a separately
 * allocated colour for value i (0..255), alpha 1. It runs in equal steps of
 * 1/51 through green (entry 0), cyan (51), blue (102), magenta (153),
 * red (204) and yellow (255).
 * Returns the ramp, owned by the caller: release it with freeRamp. Returns
 * NULL when the heap is exhausted; nothing of that call is then left
 * allocated.
 */
VESTRANE_API COLOR_MUST_USE_RESULT Color** makeRainbowRamp(void);

/*
 * Grey ramp: a new heap array of 256 pointers, entry i the grey of level
 * i/255 (entry 0 black, entry 255 white), alpha 1.
 * Ownership, release and exhaustion as for makeRainbowRamp.
 */
VESTRANE_API COLOR_MUST_USE_RESULT Color** makeGreyRamp(void);

/*
 * Releases a whole ramp from makeRainbowRamp or makeGreyRamp: its 256
 * colours, then the pointer array (the same as freeColor on each entry and
 * free on the array). NULL does nothing.
 *   ramp - a ramp of this library, not yet released; it must not be used
 *          afterwards.
 */
VESTRANE_API void freeRamp(Color** ramp);

#ifdef __cplusplus
}
#endif

#endif /* VESTRANE_SUPPORT_COLOR_COLOR_H */
