/**
 * @defgroup vestrane_projection Projections: undistorting reshape callbacks, and picking
 *
 * Reshape callbacks that keep a stated box of world space visible with
 * square pixels.
 *
 * State once which box of world space must stay visible (setOrthoBox(),
 * setFrustumBox(), setPerspective()), register the matching reshape callback
 * with glutReshapeFunc (reshapeOrtho(), reshapeFrustum(),
 * reshapePerspective(); reshapeWindowPixels() for drawing in pixels), and at
 * every size change the box is widened along the window's longer side (about
 * the origin) so that it stays wholly visible with square pixels. The
 * getters (getViewLeft() ... getPixelSize(), getPerspectiveFovy(),
 * getPerspectiveAspect()) read back what the last reshape loaded.
 *
 * Setters store values only; they take effect at the window's next reshape.
 * Every reshape sets the viewport to the whole window, reloads the projection
 * matrix and leaves GL_MODELVIEW current with a fresh model-view matrix.
 *
 * A reshape never hands GL a degenerate or non-finite projection. When the
 * window has a zero (or negative) width or height, or when the stored
 * set-up would give such a projection for that window (the cases are listed
 * per reshape), the reshape does nothing at all: the viewport, both matrices,
 * the matrix mode and every getter keep what the last successful reshape
 * left, no GL error is raised and no redisplay is posted. The all-zero
 * set-up of program start is unusable, so set one before the first reshape.
 * "Finite in float" below means: as GL keeps matrices in single precision,
 * every bound and every matrix element computed from them is a finite float,
 * and the scale elements are normal floats (neither zero nor denormal).
 *
 * windowToScene() turns a pixel of the window back into the point of the
 * scene drawn there (picking).
 *
 * `#include <support/projection/projection.h>`.
 * Depends on: OpenGL (glViewport, glOrtho, glFrustum, glReadPixels), GLU
 * (gluPerspective, gluUnProject), GLUT (glutPostWindowRedisplay, glutGet).
 * @{
 */
#ifndef VESTRANE_PROJECTION_H
#define VESTRANE_PROJECTION_H

#include "support/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Orthographic projection ------------------------------------------ */

/**
 * Stores the box that reshapeOrtho() keeps visible, as glOrtho takes it.
 *
 * Makes no OpenGL call and leaves the current box and the getters alone.
 * Set it before the window's first reshape.
 *
 * @param xmin  left bound
 * @param xmax  right bound
 * @param ymin  bottom bound
 * @param ymax  top bound
 * @param near  near depth bound
 * @param far   far depth bound
 */
VESTRANE_API void setOrthoBox(float xmin, float xmax, float ymin, float ymax, float near,
                              float far);

/**
 * GLUT reshape callback for the box of setOrthoBox().
 *
 * Viewport over the whole window, then glOrtho of the stored box widened
 * along the longer side of the window (both bounds of that axis scaled by the
 * aspect ratio). Records the bounds and the pixel size for the getters.
 * Leaves GL_MODELVIEW current with the identity. Keeps the previous
 * projection (see above) when the widened box has equal bounds on an axis,
 * near equals far, or any bound, or any element of the matrix, is not finite
 * in float (an infinity, not-a-number, or a box too large or too small for
 * the window).
 *
 * @param width   window width, in pixels
 * @param height  window height, in pixels
 */
VESTRANE_API void reshapeOrtho(int width, int height);

/**
 * GLUT reshape callback for windows that draw in pixels.
 *
 * Viewport over the whole window, projection glOrtho(0, width, -height, 0,
 * -1, 1), so one unit is one pixel, x runs from 0 at the left edge and y from
 * 0 at the top edge down to -height at the bottom (text anchored under the
 * top edge stays there when the window grows). Leaves GL_MODELVIEW current
 * with the identity. Keeps the previous projection for a zero width or
 * height. Touches neither the current view box nor its getters.
 *
 * @param width   window width, in pixels
 * @param height  window height, in pixels
 */
VESTRANE_API void reshapeWindowPixels(int width, int height);

/* ---- Frustum projection ------------------------------------------------ */

/**
 * Stores the box that reshapeFrustum() keeps visible on the near plane.
 *
 * The bounds and distances as glFrustum takes them, and the eye
 * translation loaded as the model-view matrix after the projection. Makes
 * no OpenGL call; set it before the window's first reshape.
 *
 * @param xmin    left bound on the near plane
 * @param xmax    right bound on the near plane
 * @param ymin    bottom bound on the near plane
 * @param ymax    top bound on the near plane
 * @param near    distance of the near plane
 * @param far     distance of the far plane
 * @param shiftX  eye translation along x
 * @param shiftY  eye translation along y
 * @param shiftZ  eye translation along z
 */
VESTRANE_API void setFrustumBox(float xmin, float xmax, float ymin, float ymax, float near,
                                float far, float shiftX, float shiftY, float shiftZ);

/**
 * GLUT reshape callback for the box of setFrustumBox().
 *
 * Viewport over the whole window, then glFrustum of the stored near-plane box
 * widened along the longer side of the window, as reshapeOrtho widens its
 * box. Records the bounds and the pixel size (on the near plane) for the
 * getters of the current view box. Leaves GL_MODELVIEW current with the eye
 * translation as the whole matrix. Posts no redisplay. Keeps the previous
 * projection (see above) unless 0 < near < far, the eye translation is
 * finite, the widened box has distinct bounds on each axis, and the box and
 * every element of the matrix are finite in float.
 *
 * @param width   window width, in pixels
 * @param height  window height, in pixels
 */
VESTRANE_API void reshapeFrustum(int width, int height);

/* ---- Perspective projection -------------------------------------------- */

/**
 * Stores what reshapePerspective() uses.
 *
 * Keeps the window named by setPerspectiveForWindow(). Makes no OpenGL
 * call.
 *
 * @param fovy       vertical field of view, in degrees
 * @param refAspect  reference aspect ratio (width / height) below which the
 *                   field of view widens
 * @param near       distance of the near plane
 * @param far        distance of the far plane
 * @param shiftX     eye translation along x, loaded as the model-view matrix
 *                   after the projection
 * @param shiftY     eye translation along y
 * @param shiftZ     eye translation along z
 */
VESTRANE_API void setPerspective(float fovy, float refAspect, float near, float far, float shiftX,
                                 float shiftY, float shiftZ);

/**
 * setPerspective(), and names the window that perspective reshapes redisplay.
 *
 * @param fovy       as for setPerspective()
 * @param refAspect  as for setPerspective()
 * @param near       as for setPerspective()
 * @param far        as for setPerspective()
 * @param shiftX     as for setPerspective()
 * @param shiftY     as for setPerspective()
 * @param shiftZ     as for setPerspective()
 * @param window     the window to redisplay; -1 names none
 */
VESTRANE_API void setPerspectiveForWindow(float fovy, float refAspect, float near, float far,
                                          float shiftX, float shiftY, float shiftZ,
                                          WindowId window);

/** The widest field of view, in degrees, that reshapePerspective() uses. */
#define PROJECTION_MAX_FOVY 179.0f

/**
 * GLUT reshape callback for the set-up of setPerspective().
 *
 * Viewport over the whole window, then gluPerspective with the window's
 * aspect ratio. A window narrower than the reference
 * aspect gets the field of view fovy / aspect * refAspect (linear in the
 * angle), so that the reference width stays in view; otherwise fovy. Either
 * is capped at PROJECTION_MAX_FOVY (179 degrees): a field of view of 180 or
 * more would turn the picture degenerate or upside down. Records the aspect
 * and the field of view used for the getters, leaves GL_MODELVIEW current
 * with the eye translation as the whole matrix, then posts a redisplay of
 * the window named by setPerspectiveForWindow, if any. Leaves the current
 * view box alone.
 * Keeps the previous projection (see above) unless the set fovy is finite
 * and within (0, 180), refAspect is finite, 0 < near < far, the eye
 * translation is finite and every element of the matrix is finite in float
 * (which a field of view of a tiny fraction of a degree, or a depth range
 * near the float limits, breaks).
 *
 * @param width   window width, in pixels
 * @param height  window height, in pixels
 */
VESTRANE_API void reshapePerspective(int width, int height);

/**
 * The field of view of the last perspective reshape.
 * @return  the field of view in degrees, after widening and capping; 0
 *          before the first
 */
VESTRANE_API float getPerspectiveFovy(void);

/**
 * The aspect ratio of the last perspective reshape.
 * @return  width / height; 0 before the first
 */
VESTRANE_API float getPerspectiveAspect(void);

/* ---- Current view box --------------------------------------------------- */

/**
 * @name Current view box
 * The bounds last handed to glOrtho (or glFrustum, by reshapeFrustum()),
 * and the world height of one pixel row. All are 0 before the first
 * reshape, and always finite.
 * @{
 */
/** Left bound of the current view box. @return the bound */
VESTRANE_API float getViewLeft(void);
/** Right bound of the current view box. @return the bound */
VESTRANE_API float getViewRight(void);
/** Bottom bound of the current view box. @return the bound */
VESTRANE_API float getViewBottom(void);
/** Top bound of the current view box. @return the bound */
VESTRANE_API float getViewTop(void);
/** World height of one pixel row. @return (top - bottom) / window height */
VESTRANE_API float getPixelSize(void);
/** @} */

/* ---- Picking ------------------------------------------------------------ */

/**
 * The point of the scene drawn under a pixel of the current window.
 *
 * Takes the pixel as GLUT's mouse callbacks give it: x from the window's
 * left edge, y from its top edge (the GL row is height - 1 - y). Reads the
 * depth under that pixel; where something was drawn there with the depth
 * test on (the depth lies on the near side of the far value of the current
 * depth range: a cleared depth buffer holds the far value), unprojects the
 * pixel's centre at that depth through the current model-view and projection
 * matrices, viewport and depth range into the coordinates the scene was drawn
 * in, stores them and returns 1.
 *
 * It returns 0 and leaves every output alone over the background, for a
 * pixel outside the window (x or y negative, or not below the window's width
 * or height), with no current window, in a window without a depth buffer,
 * while a pixel pack buffer is bound, and when the matrices cannot be
 * inverted or the point is not finite. NULL outputs are skipped.
 *
 * Because it uses the current matrices, call it from the display callback
 * right after drawing the scene: remember the click in the mouse callback
 * and resolve it in the next frame. In a double-buffered window it then
 * reads the depth of the frame being drawn, which the user sees once the
 * buffers are swapped.
 *
 * GL state is left as found: the pixel-pack settings and the depth scale and
 * bias are set for the read and put back; the read buffer, the matrices, the
 * matrix mode and the error flag are not touched.
 *
 * @param x       pixel column, from the window's left edge
 * @param y       pixel row, from the window's top edge
 * @param sceneX  receives the point's x (may be NULL)
 * @param sceneY  receives the point's y (may be NULL)
 * @param sceneZ  receives the point's z (may be NULL)
 * @return        1 when something was drawn under the pixel and its point
 *                was stored, 0 otherwise
 */
VESTRANE_API int windowToScene(int x, int y, double* sceneX, double* sceneY, double* sceneZ);

#ifdef __cplusplus
}
#endif

/** @} */

#endif /* VESTRANE_PROJECTION_H */
