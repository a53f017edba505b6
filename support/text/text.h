/**
 * @defgroup vestrane_text Text: anchored bitmap text, window lines and stroke text
 *
 * Text and lines anchored in GLUT windows, and stroke text.
 *
 * Anchored text: name a point in your own 3-D coordinates with
 * setTextAnchor(), then draw printf-style text there in one of the library's
 * four bitmap fonts (drawText(), drawTextInFont(), drawTextDefault()) or in
 * a GLUT bitmap font (drawGlutText() and its variants), aligned left,
 * centred or right (setTextAlignment(), setGlutTextStyle()), shifted once
 * (setTextOffset()), or draw lines in window pixels from that point
 * (drawWindowLine()). Each drawing puts the matrices, the matrix mode, the
 * depth-test switch and the display-list base back as they were. Own-font
 * text can be drawn 1 to 8 times as large, for screens of many dots per
 * inch (setTextScale(), getTextScale()).
 *
 * Loaded fonts: loadFont() opens a TrueType or OpenType font, by file or
 * by a fontconfig pattern such as "sans-serif" or "DejaVu Serif:bold", at
 * a pixel size; the number it returns goes wherever an own font's number
 * does (drawText(), drawTextInFont(), textWidth()), for anti-aliased UTF-8
 * text, shaped, in several lines and mixed directions, with fallback fonts
 * for missing characters, rasterised at the text scale. freeFont()
 * releases one, fontLineHeight() spaces lines.
 *
 * Many labels: beginTextBatch() and endTextBatch() draw a frame's texts
 * with the GL state set up once and one draw call a glyph page;
 * setTextHalo() draws text over a band of a colour of its own, readable
 * over any background.
 *
 * Widths: textWidth(), glutTextWidth() and strokeTextWidth() tell how far a
 * text would move the pen, for laying out and centring text yourself;
 * textHeight() how many pixels its lines take.
 *
 * Stroke text: drawStrokeText(), printf-style text in GLUT's vector font,
 * drawn in the scene's own coordinates so that it scales, turns and hides
 * like geometry; setStrokeBold(), setStrokeSmooth() and setStrokeSpacing()
 * style it.
 *
 * Every printf-style entry formats into one shared buffer of 2000 bytes: a
 * longer text is cut at 1999 characters.
 *
 * `#include <support/text/text.h>`.
 * Depends on: OpenGL, GLUT, GLX and Xlib (the automatic text scale),
 * FreeType, HarfBuzz, FriBidi and fontconfig (loaded fonts).
 * @{
 */
#ifndef VESTRANE_TEXT_H
#define VESTRANE_TEXT_H

#include "support/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Anchored text and lines ------------------------------------------- */

/**
 * @name Anchored text and lines
 * Use:
 *
 *     glColor4fv(colorWhite());           the colour is taken at the anchor
 *     setTextAnchor(5.0f, -20.0f, 0.0f);  a point in your own coordinates
 *     drawText(1, boldFont, "x = %6.3f", x);
 *
 * Text entries format printf-style into one shared buffer of 2000 bytes;
 * a longer text is cut at 1999 characters. The anchor, the alignment, the
 * one-shot offset and the GLUT font are one set for the whole program, not
 * one per window. Every drawing entry expects a current GLUT window and
 * puts back the matrices, the matrix mode, the depth-test switch and the
 * display-list base; it draws nothing while the anchor is invalid (outside
 * the view volume, or never set).
 *
 * Own-font text: the fonts of a window are recorded as display lists by
 * the first own-font text drawn in it at each text scale, in any window
 * GLUT opens (should memory for the window's table run out, its own-font
 * text draws nothing). Bytes above 127 draw nothing and do not move the
 * pen. Pixel counts given for own fonts below are those of scale 1.
 * @{
 */

/** Font numbers of the own fonts; any number other than 2, 3 or 4 selects boldFont. */
enum {
    boldFont = 1,  /**< bold Latin, all printable ASCII but '~'; 10 pixels a character */
    smallFont = 2, /**< small digits, signs and some small letters; 6 pixels (f 4, i 3) */
    greekFont = 3, /**< bold capitals, thin digits, Greek small letters; 10 pixels */
    arrowFont = 4  /**< F right arrow, f left arrow, T and t joining bar; 8 pixels */
};

/** Alignments; any value other than 0 or 1 aligns left. */
enum {
    alignCentred = 0, /**< middle of the text at the anchor, baseline 6 pixels below */
    alignRight = 1,   /**< end of the text at the anchor, baseline 6 pixels below */
    alignLeft = 2     /**< start of the text at the anchor, baseline at it (initial) */
};

/**
 * Marks printf-style entries so that compilers check their arguments.
 *
 * @param formatIndex    position of the format among the parameters, from 1
 * @param firstArgument  position of the first argument to format
 */
#ifndef VESTRANE_TEXT_PRINTF
#if defined(__GNUC__) || defined(__clang__)
#define VESTRANE_TEXT_PRINTF(formatIndex, firstArgument)                                           \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define VESTRANE_TEXT_PRINTF(formatIndex, firstArgument)
#endif
#endif

/**
 * Sets the anchor at the point (x, y, z) of your own coordinates.
 *
 * The point goes through the current model-view and projection matrices,
 * and where it lands in the current window (pixels from the bottom-left,
 * and window depth) is recorded with whether it lay inside the view volume.
 * Leaves the GL raster position there; touches no other state.
 *
 * @param x  x of the point, in the current model-view coordinates
 * @param y  y of the point
 * @param z  z of the point
 */
VESTRANE_API void setTextAnchor(float x, float y, float z);

/**
 * Shifts the next text (own-font or GLUT-font) from the anchor.
 *
 * That text uses the shift up, so the one after it is placed unshifted
 * again; lines leave it alone.
 *
 * @param dx  pixels to the right
 * @param dy  pixels down
 * @param dz  shift in window depth
 */
VESTRANE_API void setTextOffset(float dx, float dy, float dz);

/**
 * Sets the default GLUT bitmap font and the alignment of all text.
 *
 * @param font       GLUT bitmap font handle used by drawGlutTextDefault()
 *                   and drawGlutTextDefaultAt() (initially
 *                   GLUT_BITMAP_8_BY_13)
 * @param alignment  as for setTextAlignment()
 */
VESTRANE_API void setGlutTextStyle(void* font, int alignment);

/**
 * Sets the alignment of all text, own-font and GLUT-font.
 *
 * @param alignment  alignCentred, alignRight or alignLeft (initially
 *                   alignLeft); any other value aligns left
 */
VESTRANE_API void setTextAlignment(int alignment);

/**
 * Formats and draws text at the anchor in one of the own fonts or a loaded font.
 *
 * Own fonts: centred and right-aligned text counts 10 pixels a character
 * (6 in smallFont, 8 in arrowFont), and has its baseline 6 pixels below the
 * anchor, both times the text scale. Builds the window's fonts on its first
 * own-font text at the current text scale.
 *
 * Loaded fonts (see loadFont()): the text is UTF-8; centred and
 * right-aligned text is placed by its exact width (textWidth()), with its
 * baseline half the height of the font's capitals below the anchor. A
 * newline starts a line one fontLineHeight() lower, again at the anchor's
 * x; each line is aligned on its own (centred lines each centred on the
 * anchor, right-aligned lines each ending there), and the baseline drop of
 * aligned text moves the whole block down once. Drawn in the current
 * colour, alpha included, blended over what is there. In an own font a
 * newline draws nothing and takes no room.
 *
 * Uses up the offset. The text is cut at 1999 characters (never inside a
 * UTF-8 sequence).
 *
 * @param depthFlag  non-zero: the depth test is on while it draws; 0: off
 * @param font       font number boldFont..arrowFont, or a loaded font's
 *                   number (others select boldFont)
 * @param format     printf-style format, followed by its arguments
 */
VESTRANE_API void drawText(int depthFlag, int font, const char* format, ...)
    VESTRANE_TEXT_PRINTF(3, 4);

/**
 * As drawText() with the depth test off.
 *
 * @param font    font number boldFont..arrowFont, or a loaded font's number
 * @param format  printf-style format, followed by its arguments
 */
VESTRANE_API void drawTextInFont(int font, const char* format, ...) VESTRANE_TEXT_PRINTF(2, 3);

/**
 * As drawText() in boldFont with the depth test on.
 *
 * @param format  printf-style format, followed by its arguments
 */
VESTRANE_API void drawTextDefault(const char* format, ...) VESTRANE_TEXT_PRINTF(1, 2);

/**
 * Formats and draws text at the anchor in a GLUT bitmap font.
 *
 * Always with the depth test off. Centred and right-aligned text counts 8
 * pixels a character whatever the font. Bytes above 127 draw nothing. Uses
 * up the offset; builds no fonts. The text is cut at 1999 characters.
 *
 * @param font    GLUT bitmap font handle, such as GLUT_BITMAP_8_BY_13
 * @param format  printf-style format, followed by its arguments
 */
VESTRANE_API void drawGlutText(void* font, const char* format, ...) VESTRANE_TEXT_PRINTF(2, 3);

/**
 * setTextAnchor(x, y, z), then as drawGlutText().
 *
 * @param x       x of the anchor, in the current model-view coordinates
 * @param y       y of the anchor
 * @param z       z of the anchor
 * @param font    GLUT bitmap font handle
 * @param format  printf-style format, followed by its arguments
 */
VESTRANE_API void drawGlutTextAt(float x, float y, float z, void* font, const char* format, ...)
    VESTRANE_TEXT_PRINTF(5, 6);

/**
 * As drawGlutText() in the font of setGlutTextStyle().
 *
 * @param format  printf-style format, followed by its arguments
 */
VESTRANE_API void drawGlutTextDefault(const char* format, ...) VESTRANE_TEXT_PRINTF(1, 2);

/**
 * setTextAnchor(x, y, z), then as drawGlutTextDefault().
 *
 * @param x       x of the anchor, in the current model-view coordinates
 * @param y       y of the anchor
 * @param z       z of the anchor
 * @param format  printf-style format, followed by its arguments
 */
VESTRANE_API void drawGlutTextDefaultAt(float x, float y, float z, const char* format, ...)
    VESTRANE_TEXT_PRINTF(4, 5);

/**
 * Draws a line in the current colour between two pixel offsets from the anchor.
 *
 * x counts to the right, y downwards. The depth test is off while it
 * draws; neither the alignment nor the offset applies, and the offset stays
 * as it was. Draws nothing while the anchor is invalid.
 *
 * @param x1  first end, pixels right of the anchor
 * @param y1  first end, pixels below the anchor
 * @param x2  second end, pixels right of the anchor
 * @param y2  second end, pixels below the anchor
 */
VESTRANE_API void drawWindowLine(int x1, int y1, int x2, int y2);
/** @} */

/* ---- Any OpenGL context --------------------------------------------------- */

/**
 * @name Any OpenGL context: matrix, colour and release
 * Own-font and loaded-font text, window lines, widths and the text scale
 * work in whatever OpenGL context is current, made current by GLUT, GLFW,
 * SDL, GLX or EGL, with or without glutInit: a compatibility context of
 * any version (1.1 to 4.6) draws through the fixed-function pipeline as in
 * GLUT windows; a core-profile context (3.2 or later, forward-compatible
 * included) and an OpenGL ES 3.0 or later context draw through a small
 * shader program of the library's own, with the same pixels. The kind of
 * context is read from the context itself on its first text. GLUT bitmap
 * text and stroke text need GLUT: without glutInit they draw nothing and
 * measure 0.
 *
 * Text resources (glyph textures, display lists, the program and its
 * buffers) belong to the context current when text is first drawn: a GLUT
 * window's under GLUT, else the current GLX or EGL context. Release them
 * with releaseTextContext() before destroying a context of your own.
 *
 * In a core or ES context every entry gives back the GL state it found:
 * the current program, the vertex array, the array and pixel-unpack buffer
 * bindings, the active texture unit and the texture and sampler bound on
 * unit 0, blending (switch, functions and equations), the depth test, its
 * function and mask, face culling and its mode, the scissor and stencil
 * tests, the polygon mode (desktop) and the pixel-unpack settings.
 * @{
 */

/**
 * Sets the matrix that takes anchor coordinates to clip coordinates.
 *
 * The 4 x 4 matrix, column-major as GL stores it (projection x view x
 * model), is copied; setTextAnchor() projects its point through it and the
 * viewport and depth range current then. NULL, the initial state, means
 * GL's current projection and model-view matrices in a compatibility
 * context and the identity in a core or ES context (which have no matrix
 * stacks). A matrix with a non-finite element is ignored: the previous
 * one stays. Touches no GL state.
 *
 * @param matrix  16 floats, column-major, or NULL
 */
VESTRANE_API void setTextMatrix(const float matrix[16]);

/**
 * Sets the colour of text and window lines from now on.
 *
 * The four components (alpha included) are copied. NULL, the initial
 * state, means GL's current colour in a compatibility context (as set by
 * glColor) and opaque white in a core or ES context. A colour with a
 * non-finite component is ignored: the previous one stays. Touches no GL
 * state; in a compatibility context the drawing entries set the colour
 * they draw in and give the current colour back.
 *
 * @param color  red, green, blue and alpha, or NULL
 */
VESTRANE_API void setTextColor(const Color* color);

/**
 * Releases the text resources of the current OpenGL context.
 *
 * Deletes the glyph textures, display lists, program, vertex array and
 * buffers the library made in the current context and frees their memory;
 * call it while the context is current, before destroying it. The context
 * may draw text again afterwards (its resources are built anew). Does
 * nothing when no context is current or the context has drawn no text.
 */
VESTRANE_API void releaseTextContext(void);
/** @} */

/* ---- Batches and halos ---------------------------------------------------- */

/**
 * @name Batches and halos
 * A scene with hundreds or thousands of labels draws them in one batch:
 *
 *     beginTextBatch();
 *     for (i = 0; i < count; ++i) {
 *         setTextAnchor(x[i], y[i], z[i]);
 *         drawTextInFont(font, "%s", name[i]);
 *     }
 *     endTextBatch();               everything is drawn here
 *
 * Each text drawn on its own sets up the GL state it needs and gives it
 * back, and is one draw call (or more) of its own; a batch sets up and
 * gives back the state once and draws consecutive texts whose glyphs lie on
 * the same glyph page in one call. The picture is the same, pixel for
 * pixel, as drawing the same texts one by one, when nothing else is drawn
 * between beginTextBatch() and endTextBatch().
 *
 * A halo (setTextHalo()) is a band of a colour of its own around each
 * glyph, so that text stays readable over any background: map and chart
 * labels are drawn with one.
 * @{
 */

/**
 * Starts a batch in the current context.
 *
 * Until endTextBatch(), drawText(), drawTextInFont(), drawTextDefault()
 * (own and loaded fonts) and drawWindowLine() in this context record what
 * they would draw, with the anchor, offset, alignment, scale, colour, halo
 * and depth flag of the call, and draw nothing. Widths, line heights,
 * loadFont() and freeFont() work as usual; a font freed inside a batch
 * still draws the texts recorded before. GLUT bitmap text and stroke text
 * are drawn at once, as always, so under the batch's texts.
 *
 * A batch belongs to its context: text drawn in another context is drawn at
 * once, and releaseTextContext() in this context drops the batch undrawn.
 * beginTextBatch() inside a batch is ignored (the first endTextBatch() ends
 * it). Recording allocates no memory once the batch has grown to the size
 * of a frame's texts. Does nothing when no context is current. Touches no
 * GL state.
 */
VESTRANE_API void beginTextBatch(void);

/**
 * Draws the current context's batch, in the order recorded, and ends it.
 *
 * The GL state is set up and given back once (the state listed for each
 * drawing entry). Does nothing when the current context has no batch
 * started.
 */
VESTRANE_API void endTextBatch(void);

/**
 * Sets the halo drawn under text from now on.
 *
 * Own-font and loaded-font text (not GLUT or stroke text) is drawn over a
 * halo reaching `width` pixels beyond the glyphs' outlines, times the text
 * scale, in `color` (copied, alpha included). A loaded font's halo is each
 * glyph's outline widened with round joins, anti-aliased; all of a text's
 * halos are drawn under all of its glyphs, each glyph's halo blended once,
 * so where the translucent halos of neighbouring glyphs overlap they blend
 * twice. An own font's halo is each glyph's pixels grown by `width`
 * (rounded to whole pixels) in every direction, a square, drawn as the
 * glyphs are. Halos never change widths, line heights or where the glyphs
 * land. Width 0 or a NULL colour switches the halo off, the initial state.
 * A width outside 0 to 16, or a non-finite width or colour component, is
 * ignored whole: the previous halo stays. Touches no GL state.
 *
 * @param width  pixels at text scale 1, 0 to 16
 * @param color  red, green, blue and alpha, or NULL
 */
VESTRANE_API void setTextHalo(float width, const Color* color);
/** @} */

/* ---- Text scale ---------------------------------------------------------- */

/**
 * Sets how large own-font text is drawn: each glyph pixel as a scale x scale
 * block.
 *
 * A scale of 1 to 8 is taken as given; 1, the initial scale, draws the
 * fonts as they are. 0 asks for the scale that suits the screen, worked
 * out once, in this call (GLUT initialised, a window current), from the
 * first of these that gives one:
 *   1. the environment variable VESTRANE_TEXT_SCALE, when it holds a whole
 *      number 1 to 8;
 *   2. the Xft.dpi resource that desktops set on the X display of the
 *      current GL context: its dots per inch / 96, rounded, within 1 to 8;
 *   3. the screen's width in pixels over its width in millimetres, as GLUT
 *      reports them, turned into a scale the same way;
 *   4. else 1.
 * Any other value is ignored: the scale stays as it was.
 *
 * The scale multiplies the glyphs, their origin (0, 2), every advance, the
 * widths that centred and right-aligned text counts, the 6-pixel baseline
 * drop of aligned text and what textWidth returns. Loaded fonts are
 * rasterised anew at their size times the scale, never magnified, and
 * their widths and line heights follow. It leaves alone GLUT
 * bitmap text (GLUT's bitmap fonts cannot scale), stroke text (which has
 * its own size), setTextOffset and drawWindowLine, which stay in window
 * pixels: multiply your own offsets by getTextScale() to scale a layout.
 *
 * A window records its fonts at a scale, 4 x 128 display lists in its GL
 * context, on its first own-font text at that scale, once; texts at
 * different scales can alternate freely. Touches no GL state itself;
 * setTextScale(0) reads the current GL context's display.
 *
 * @param scale  1 to 8, or 0 for the screen's scale; anything else is
 *               ignored
 */
VESTRANE_API void setTextScale(int scale);

/**
 * The scale at which own-font text is drawn.
 *
 * The number set last, or worked out by setTextScale(0): always 1 to 8,
 * never 0. Touches no GL state and needs no window.
 *
 * @return  the current text scale, 1 to 8 (initially 1)
 */
VESTRANE_API int getTextScale(void);

/* ---- Text widths --------------------------------------------------------- */

/**
 * @name Text widths
 * The measuring entries format like the drawing entries (a text is cut at
 * 1999 characters) and return exactly how far the matching draw moves the
 * pen, so a text drawn with setTextOffset(width, 0, 0) after another, from
 * the same anchor, starts where the other ended. They touch no GL state,
 * need no current window, and leave the shared text buffer, the anchor and
 * the one-shot offset as they were: measuring between setTextAnchor and a
 * draw changes nothing.
 * @{
 */

/**
 * Pixels that drawText() moves the pen for the formatted text.
 *
 * Own fonts: the sum of the characters' advances, with smallFont's narrow
 * f (4) and i (3), times the text scale. Codes that draw nothing count 0:
 * control codes, 126, 127 and bytes above 127.
 *
 * Loaded fonts: the shaped advance of the UTF-8 text at the current text
 * scale (kerning and ligatures included), rounded to whole pixels; the
 * pen of the drawn text moves exactly as far. A text of several lines
 * measures its widest line.
 *
 * @param font    font number as for drawText()
 * @param format  printf-style format, followed by its arguments
 * @return        the width in pixels
 */
VESTRANE_API int textWidth(int font, const char* format, ...) VESTRANE_TEXT_PRINTF(2, 3);

/**
 * Pixels that the lines of the formatted text take from top to bottom.
 *
 * Loaded fonts: the number of lines times fontLineHeight(); every newline
 * starts a line, so "a\n\nb" is three lines, "a\n" two, "" and "a" one.
 * Own fonts, which draw one line: fontLineHeight().
 *
 * @param font    font number as for drawText()
 * @param format  printf-style format, followed by its arguments
 * @return        the height in pixels at the current text scale
 */
VESTRANE_API int textHeight(int font, const char* format, ...) VESTRANE_TEXT_PRINTF(2, 3);

/**
 * Pixels that drawGlutText() in a GLUT bitmap font moves the pen.
 *
 * The sum of glutBitmapWidth over the bytes it draws (glutBitmapLength for
 * printable ASCII); bytes above 127 count 0. Needs glutInit done.
 *
 * @param font    GLUT bitmap font handle, such as GLUT_BITMAP_8_BY_13
 * @param format  printf-style format, followed by its arguments
 * @return        the width in pixels
 */
VESTRANE_API int glutTextWidth(void* font, const char* format, ...) VESTRANE_TEXT_PRINTF(2, 3);

/**
 * How far drawStrokeText(x, y, size, ...) moves the pen, in the units of its x.
 *
 * size * 0.005 times the sum, over the characters, of each one's
 * GLUT_STROKE_ROMAN width plus the current letter spacing. Bold and smooth
 * do not change it. Needs glutInit done.
 *
 * @param size    the size that drawStrokeText() is given
 * @param format  printf-style format, followed by its arguments
 * @return        the width in the units of the current matrix
 */
VESTRANE_API float strokeTextWidth(float size, const char* format, ...) VESTRANE_TEXT_PRINTF(2, 3);

/**
 * The distance between two lines of a font, in pixels at the current text scale.
 *
 * A loaded font's own line spacing (ascent, descent and line gap) at its
 * size times the text scale; for an own font (and any number that selects
 * one) its glyph cell height times the scale: 13, or 10 for smallFont.
 * Touches no GL state and needs no window.
 *
 * @param font  font number as for drawText()
 * @return      the line height in pixels
 */
VESTRANE_API int fontLineHeight(int font);
/** @} */

/* ---- Loaded fonts ------------------------------------------------------- */

/**
 * @name Loaded fonts
 * Use:
 *
 *     int label = loadFont("sans-serif", 18.0f);   once, after glutInit
 *     setTextAnchor(x, y, z);
 *     drawText(1, label, "%.1f °C, α = %.2f", t, a);
 *
 * A loaded font draws anti-aliased UTF-8 text through FreeType, HarfBuzz
 * and fontconfig: kerning, the ligatures the font applies by default, marks
 * placed on their base, right-to-left scripts laid out right to left. A
 * line that mixes directions is shown in display order by the Unicode
 * bidirectional algorithm (FriBidi): its direction is that of its first
 * strong character (left to right when it has none), Latin words and
 * European digits in Arabic or Hebrew run left to right, paired brackets
 * are mirrored. A character the font lacks comes from the installed font
 * fontconfig picks for it, at the same size on the same baseline; one that
 * no installed font has shows the font's missing-glyph box. A newline
 * starts a new line; other control characters draw nothing; invalid UTF-8
 * draws U+FFFD. Colour glyphs (emoji) are not drawn.
 *
 * Each glyph is rasterised at the font's size times the text scale, once
 * per window and size, into the window's glyph textures (GL_ALPHA pages of
 * up to 4096 x 4096 texels, more pages when they fill), and lands on whole
 * pixels, one texel a pixel. A string is drawn as textured quads, one draw
 * a texture page it uses. Every drawing puts back what it changes: enables,
 * texture binding and environment, blending, alpha test, polygon mode,
 * pixel unpack and transfer settings, vertex arrays and bound buffers, the
 * active texture units and the texture matrix.
 * @{
 */

/**
 * Opens a TrueType or OpenType font at a size, for drawText() and textWidth().
 *
 * A name with a '/' is a font file (face 0 of a collection); any other
 * name is a fontconfig pattern as desktops write them ("sans-serif",
 * "DejaVu Serif:bold", "monospace"), resolved to fontconfig's best match.
 * Needs no window and touches no GL state.
 *
 * @param name       font file path, or fontconfig pattern
 * @param pixelSize  em size in pixels at text scale 1: finite, above 0 and
 *                   at most 1024
 * @return           the font's number, 16 or above, never given to another
 *                   font in the program; 0 on failure with errno set:
 *                   EINVAL for a NULL or empty name, a size out of range, or
 *                   a file that is not a font FreeType can open (a folder,
 *                   garbage, a truncated font); ENOENT for a file that does
 *                   not exist, or a pattern when no font is installed at
 *                   all; ENOMEM
 */
VESTRANE_API int loadFont(const char* name, float pixelSize);

/**
 * Releases a loaded font.
 *
 * The font's face goes at once; each window's glyph textures of it the
 * next time that window draws text. Afterwards the number is no longer a
 * loaded font and selects boldFont, like any other number. A number that
 * is not a loaded font (an own font, one freed already) is ignored.
 *
 * @param font  the number loadFont() returned
 */
VESTRANE_API void freeFont(int font);
/** @} */

/* ---- Stroke text -------------------------------------------------------- */

/**
 * @name Stroke text
 * Stroke-text settings are read at every drawStrokeText() and kept until
 * set again; initially bold 0, smooth 0 and spacing 0.0.
 * @{
 */
/**
 * Sets bold stroke text: lines 2 pixels wide, else 1.
 * @param on  non-zero for bold
 */
VESTRANE_API void setStrokeBold(int on);
/**
 * Sets smooth stroke text: blended, smoothed lines, else blending and line
 * smoothing off while drawing.
 * @param on  non-zero for smooth
 */
VESTRANE_API void setStrokeSmooth(int on);
/**
 * Sets the extra advance after every stroke character.
 * @param spacing  in stroke-font units (scaled with the glyphs)
 */
VESTRANE_API void setStrokeSpacing(float spacing);
/** Whether stroke text is bold. @return 1 when it is, else 0 */
VESTRANE_API int getStrokeBold(void);
/** Whether stroke text is smooth. @return 1 when it is, else 0 */
VESTRANE_API int getStrokeSmooth(void);
/** The stroke letter spacing. @return the extra advance set by setStrokeSpacing() */
VESTRANE_API float getStrokeSpacing(void);

/**
 * Formats and draws text in GLUT's stroke font, in the scene's coordinates.
 *
 * Draws in GLUT_STROKE_ROMAN in the current colour. Its first character
 * starts at (x, y, 0) of the current matrix, scaled by size * 0.005 (size 200
 * draws in stroke-font units). Expects a current GLUT window and the matrix
 * mode the text belongs in; that matrix, the line width, the blending and
 * line-smoothing switches and the blend function are as before on return. A
 * text longer than 1999 characters is cut there.
 *
 * @param x       x of the start, in the current matrix's units
 * @param y       y of the baseline
 * @param size    200 draws in stroke-font units
 * @param format  printf-style format, followed by its arguments
 */
VESTRANE_API void drawStrokeText(float x, float y, float size, const char* format, ...)
    VESTRANE_TEXT_PRINTF(4, 5);
/** @} */

#ifdef __cplusplus
}
#endif

/** @} */

#endif /* VESTRANE_TEXT_H */
