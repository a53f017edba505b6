/**
 * @defgroup vestrane_color Colours: named RGBA colours, builders, heap copies and ramps
 *
 * Named RGBA colours, colours with a chosen opacity, heap copies and
 * 256-entry colour ramps for small OpenGL/GLUT programs.
 *
 * A colour is four consecutive floats red, green, blue, alpha, handed
 * around as a `Color *` (see ::Color) so that it goes straight into
 * glColor4fv, glLightfv or glMaterialfv:
 *
 *     glColor4fv(colorWhite());
 *
 * Every returned pointer lives in one of three places, stated per function:
 *   - the colour table: the 24 named colours (colorWhite() ...
 *     colorSlateBlue()), present from program start;
 *   - a builder buffer: one static colour per builder function
 *     (colorWhiteWithAlpha() ... colorSlateBlueWithAlpha(), greyWithAlpha(),
 *     makeColor()), overwritten by the next call of that same builder (other
 *     builders never touch it);
 *   - the heap: copies and ramps (copyColor(), makeRainbowRamp(),
 *     makeGreyRamp()), owned by the caller, released with freeColor() and
 *     freeRamp() (or free).
 *
 * No function checks its arguments; components are stored as given, without
 * clamping to 0..1.
 *
 * `#include <support/color/color.h>`, usable from C99 and C++.
 * Depends on: <GL/gl.h> (GLfloat).
 * @{
 */
#ifndef VESTRANE_SUPPORT_COLOR_COLOR_H
#define VESTRANE_SUPPORT_COLOR_COLOR_H

#include "support/common.h"

#include <GL/gl.h>

/** Marks functions whose result owns heap memory: dropping it is a leak. */
#if defined(__GNUC__) || defined(__clang__)
#define COLOR_MUST_USE_RESULT __attribute__((warn_unused_result))
#else
#define COLOR_MUST_USE_RESULT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/**
 * @name Named colours
 * Each returns a pointer to its own entry of the colour table, the same
 * pointer on every call (not a copy, never to be freed). The entry keeps
 * the values given (red, green, blue) for the whole run unless a caller
 * writes through the pointer. Alpha is 1 in every entry.
 * @{
 */
/** White (1, 1, 1). @return its table entry */
VESTRANE_API Color* colorWhite(void);
/** Yellow (1, 1, 0). @return its table entry */
VESTRANE_API Color* colorYellow(void);
/** Cyan (0, 1, 1). @return its table entry */
VESTRANE_API Color* colorCyan(void);
/** Magenta (1, 0, 1). @return its table entry */
VESTRANE_API Color* colorMagenta(void);
/** Red (1, 0, 0). @return its table entry */
VESTRANE_API Color* colorRed(void);
/** Green (0, 1, 0). @return its table entry */
VESTRANE_API Color* colorGreen(void);
/** Blue (0, 0, 1). @return its table entry */
VESTRANE_API Color* colorBlue(void);
/** Black (0, 0, 0). @return its table entry */
VESTRANE_API Color* colorBlack(void);
/** Grey 10% (0.1, 0.1, 0.1). @return its table entry */
VESTRANE_API Color* colorGrey10(void);
/** Grey 25% (0.25, 0.25, 0.25). @return its table entry */
VESTRANE_API Color* colorGrey25(void);
/** Grey 50% (0.5, 0.5, 0.5). @return its table entry */
VESTRANE_API Color* colorGrey50(void);
/** Grey 75% (0.75, 0.75, 0.75). @return its table entry */
VESTRANE_API Color* colorGrey75(void);
/** Medium yellow (0.75, 0.75, 0). @return its table entry */
VESTRANE_API Color* colorMediumYellow(void);
/** Dark yellow (0.5, 0.5, 0). @return its table entry */
VESTRANE_API Color* colorDarkYellow(void);
/** Dark cyan (0, 0.5, 0.5). @return its table entry */
VESTRANE_API Color* colorDarkCyan(void);
/** Dark magenta (0.5, 0, 0.5). @return its table entry */
VESTRANE_API Color* colorDarkMagenta(void);
/** Dark red (0.5, 0, 0). @return its table entry */
VESTRANE_API Color* colorDarkRed(void);
/** Dark green (0, 0.5, 0). @return its table entry */
VESTRANE_API Color* colorDarkGreen(void);
/** Dark blue (0, 0, 0.5). @return its table entry */
VESTRANE_API Color* colorDarkBlue(void);
/** Tan (0.8, 0.6, 0.4). @return its table entry */
VESTRANE_API Color* colorTan(void);
/** Pink (1, 0.65, 0.65). @return its table entry */
VESTRANE_API Color* colorPink(void);
/** Brick (0.6, 0.25, 0.25). @return its table entry */
VESTRANE_API Color* colorBrick(void);
/** Light blue (0.5, 0.5, 1). @return its table entry */
VESTRANE_API Color* colorLightBlue(void);
/** Slate blue (0.25, 0.25, 0.5). @return its table entry */
VESTRANE_API Color* colorSlateBlue(void);
/** @} */

/**
 * @name Named colours with a chosen opacity
 * colorXxxWithAlpha(alpha) copies red, green and blue of the table entry
 * of colorXxx (read at each call, so a change written into the table
 * shows) into the builder's own buffer, sets the buffer's alpha to `alpha`
 * (stored unchanged: nominally 0 transparent .. 1 opaque) and returns a
 * pointer to that buffer, valid until that same builder's next call.
 * Overwrites this builder's buffer only. Every named colour but colorTan()
 * has one.
 * @{
 */
/** White with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorWhiteWithAlpha(float alpha);
/** Yellow with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorYellowWithAlpha(float alpha);
/** Cyan with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorCyanWithAlpha(float alpha);
/** Magenta with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorMagentaWithAlpha(float alpha);
/** Red with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorRedWithAlpha(float alpha);
/** Green with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorGreenWithAlpha(float alpha);
/** Blue with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorBlueWithAlpha(float alpha);
/** Black with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorBlackWithAlpha(float alpha);
/** Grey 10% with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorGrey10WithAlpha(float alpha);
/** Grey 25% with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorGrey25WithAlpha(float alpha);
/** Grey 50% with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorGrey50WithAlpha(float alpha);
/** Grey 75% with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorGrey75WithAlpha(float alpha);
/** Medium yellow with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorMediumYellowWithAlpha(float alpha);
/** Dark yellow with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorDarkYellowWithAlpha(float alpha);
/** Dark cyan with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorDarkCyanWithAlpha(float alpha);
/** Dark magenta with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorDarkMagentaWithAlpha(float alpha);
/** Dark red with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorDarkRedWithAlpha(float alpha);
/** Dark green with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorDarkGreenWithAlpha(float alpha);
/** Dark blue with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorDarkBlueWithAlpha(float alpha);
/** Pink with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorPinkWithAlpha(float alpha);
/** Brick with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorBrickWithAlpha(float alpha);
/** Light blue with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorLightBlueWithAlpha(float alpha);
/** Slate blue with opacity @p alpha. @param alpha opacity @return this builder's buffer */
VESTRANE_API Color* colorSlateBlueWithAlpha(float alpha);
/** @} */

/**
 * Grey of any level, in this builder's buffer.
 *
 * Sets red, green and blue of the buffer to `level` and its alpha to
 * `alpha`. Overwrites this builder's buffer only.
 *
 * @param level  grey level, 0 black .. 1 white
 * @param alpha  opacity
 * @return       this builder's buffer, valid until its next call
 */
VESTRANE_API Color* greyWithAlpha(float level, float alpha);

/**
 * Colour from four components, in this builder's buffer.
 *
 * Stores the components in that order. Overwrites this builder's buffer
 * only.
 *
 * @param red    red component
 * @param green  green component
 * @param blue   blue component
 * @param alpha  opacity
 * @return       this builder's buffer, valid until its next call
 */
VESTRANE_API Color* makeColor(float red, float green, float blue, float alpha);

/**
 * Heap copy of a colour.
 *
 * Allocates one colour (calloc) and copies the four components of `color`
 * into it.
 *
 * @param color  the colour to copy (any Color pointer), or NULL
 * @return       the copy, owned by the caller (release with freeColor()), or
 *               NULL when `color` is NULL or the heap is exhausted
 */
VESTRANE_API COLOR_MUST_USE_RESULT Color* copyColor(const Color* color);

/**
 * Releases a heap colour with free.
 *
 * A copy or a ramp entry (a plain free, so it also takes a ramp's pointer
 * array cast to Color *). NULL is accepted.
 *
 * @param color  heap memory from this library; never a table or buffer colour
 */
VESTRANE_API void freeColor(Color* color);

/**
 * Rainbow ramp: 256 heap colours from green to yellow.
 *
 * A new heap array of 256 pointers, entry i a separately allocated colour
 * for value i (0..255), alpha 1. It runs in equal steps of 1/51 through
 * green (entry 0), cyan (51), blue (102), magenta (153), red (204) and
 * yellow (255).
 *
 * @return  the ramp, owned by the caller: release it with freeRamp(). NULL
 *          when the heap is exhausted; nothing of that call is then left
 *          allocated.
 */
VESTRANE_API COLOR_MUST_USE_RESULT Color** makeRainbowRamp(void);

/**
 * Grey ramp: 256 heap colours from black to white.
 *
 * A new heap array of 256 pointers, entry i the grey of level i/255 (entry
 * 0 black, entry 255 white), alpha 1.
 *
 * @return  the ramp; ownership, release and exhaustion as for
 *          makeRainbowRamp()
 */
VESTRANE_API COLOR_MUST_USE_RESULT Color** makeGreyRamp(void);

/**
 * Releases a whole ramp from makeRainbowRamp() or makeGreyRamp().
 *
 * Its 256 colours, then the pointer array (the same as freeColor() on each
 * entry and free on the array). NULL does nothing.
 *
 * @param ramp  a ramp of this library, not yet released; it must not be used
 *              afterwards
 */
VESTRANE_API void freeRamp(Color** ramp);

#ifdef __cplusplus
}
#endif

/** @} */

#endif /* VESTRANE_SUPPORT_COLOR_COLOR_H */
