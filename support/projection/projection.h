/*
 * projection.h - reshape callbacks that keep the picture undistorted
 *
 * State once which box of world space must stay visible, register the
 * matching reshape callback with glutReshapeFunc, and at every size change
 * the box is widened along the window's longer side (about the origin) so
 * that it stays wholly visible with square pixels.
 *
 * Setters store values only; they take effect at the window's next reshape.
 * Every reshape sets the viewport to the whole window, reloads the projection
 * matrix and leaves GL_MODELVIEW current with a fresh model-view matrix.
 * A reshape to a zero width or height keeps the previous projection.
 *
 * Depends on: OpenGL (glViewport, glOrtho).
 */
#ifndef VESTRANE_PROJECTION_H
#define VESTRANE_PROJECTION_H

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Orthographic projection ------------------------------------------ */

/*
 * Stores the box that reshapeOrtho keeps visible: x from xmin to xmax,
 * y from ymin to ymax, depth from near to far (as glOrtho takes them).
 * Makes no OpenGL call and leaves the current box and the getters alone.
 * Set it before the window's first reshape.
 */
void setOrthoBox(float xmin, float xmax, float ymin, float ymax, float near,
                 float far);

/*
 * GLUT reshape callback: viewport over the whole window, then glOrtho of the
 * stored box widened along the longer side of the window (both bounds of
 * that axis scaled by the aspect ratio). Records the bounds and the pixel
 * size for the getters. Leaves GL_MODELVIEW current with the identity.
 */
void reshapeOrtho(int width, int height);

/* ---- Current view box --------------------------------------------------- */

/*
 * The bounds last handed to glOrtho (or glFrustum, by reshapeFrustum), and
 * the world height of one pixel row: (top - bottom) / window height.
 * All are 0 before the first reshape.
 */
float getViewLeft(void);
float getViewRight(void);
float getViewBottom(void);
float getViewTop(void);
float getPixelSize(void);

#ifdef __cplusplus
}
#endif

#endif /* VESTRANE_PROJECTION_H */
