/*
 * view.h - view manipulation for GLUT programs
 *
 * One view state for the whole program: two sets of rotation angles (the
 * "mouse" angles with a pan and a zoom, and the "key" angles), applied to the
 * current matrix on request, and changed by the rotation keys, the special
 * keys, left-button drags with modifiers and an idle auto-rotation.
 *
 * Handlers return 1 when they took the event and changed the view, 0 when
 * they left it to the caller; they never ask for a redisplay. Each has a
 * callback form, ready for glut*Func, that posts a redisplay of the current
 * window when the handler took the event.
 *
 * Angles are in degrees. Nothing is clamped: angles run past 360, the zoom
 * and the auto-rotation speed may shrink or grow without bound.
 *
 * Depends on: OpenGL, GLUT.
 */
#ifndef VESTRANE_VIEW_H
#define VESTRANE_VIEW_H

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Modifier codes ---------------------------------------------------- */

/*
 * Classifies the modifier keys held during the event GLUT is delivering:
 * 0 none, 1 Shift (without Ctrl), 2 Shift+Ctrl, 3 Ctrl (without Shift),
 * 4 Alt alone. Shift is tested before Ctrl and Ctrl before Alt, so Shift+Alt
 * gives 1 and Ctrl+Alt gives 3.
 *
 * Only valid inside a keyboard, special-key or mouse callback (it asks
 * glutGetModifiers). Stores nothing.
 */
int modifierCode(void);

/* ---- Applying the view ------------------------------------------------- */

/*
 * Multiplies the current matrix by the mouse part of the view:
 * translate(panX, panY, 0), rotate mouseAngleX about x, mouseAngleY about y,
 * mouseAngleZ about z, then scale by the zoom. Selects no matrix mode and
 * pushes nothing: bracket it with glPushMatrix/glPopMatrix yourself.
 * In the initial state it leaves the matrix unchanged.
 */
void applyMouseTransform(void);

/*
 * Multiplies the current matrix by the key rotations: keyAngleX about x,
 * then keyAngleY about y, then keyAngleZ about z. Same conditions as
 * applyMouseTransform.
 */
void applyKeyRotation(void);

/* ---- Setters ----------------------------------------------------------- */

/* Sets the three mouse angles (degrees). */
void setMouseAngles(float x, float y, float z);

/* Sets the three key angles (degrees). */
void setKeyAngles(float x, float y, float z);

/*
 * Sets the multiplier of the pan that an Alt drag produces (initially 1:
 * the scene follows the pointer in an orthographic view).
 */
void setPanFactor(float factor);

/* ---- Rotation keys ----------------------------------------------------- */

/*
 * Keyboard handler, with the arguments of a GLUT keyboard callback (x and y
 * are not used). Records the modifier code for later mouse motion, then:
 *   Shift+Enter   switches the auto-rotation on or off        -> 1
 *   x / X         key angle about x +2 / -2 degrees          -> 1
 *   y / Y         key angle about y +2 / -2 degrees          -> 1
 *   z / Z         key angle about z +2 / -2 degrees          -> 1
 *   Escape        ends the process with exit(0), whatever the modifiers
 *   anything else nothing                                     -> 0
 * Call it first from your own keyboard callback and handle the key
 * yourself only when it returns 0.
 */
int handleRotationKey(unsigned char key, int x, int y);

/*
 * handleRotationKey as a GLUT keyboard callback: posts a redisplay of the
 * current window when the key was taken.
 */
void rotationKeyCallback(unsigned char key, int x, int y);

#ifdef __cplusplus
}
#endif

#endif /* VESTRANE_VIEW_H */
