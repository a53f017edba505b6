/*
 * text.h - text and lines anchored in GLUT windows, and stroke text
 *
 * Anchored text: name a point in your own 3-D coordinates with
 * setTextAnchor, then draw printf-style text there in one of the library's
 * four bitmap fonts or in a GLUT bitmap font, aligned left, centred or
 * right, or draw lines in window pixels from that point. Each drawing puts
 * the matrices, the matrix mode, the depth-test switch and the display-list
 * base back as they were.
 *
 * Stroke text: printf-style text in GLUT's vector font, drawn in the scene's
 * own coordinates so that it scales, turns and hides like geometry.
 *
 * Depends on: OpenGL, GLUT.
 */
#ifndef VESTRANE_TEXT_H
#define VESTRANE_TEXT_H

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Anchored text and lines ------------------------------------------- */

/* ---- Stroke text -------------------------------------------------------- */

#ifdef __cplusplus
}
#endif

#endif /* VESTRANE_TEXT_H */
