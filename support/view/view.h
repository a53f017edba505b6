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
 * Angles are in degrees and run past 360 without wrapping. The view stays
 * usable whatever the input:
 *   - a zoom step that would leave 1e-6 .. 1e6 leaves the zoom as it was
 *     (the view matrix stays finite and invertible);
 *   - a speed change that would leave 0.001 .. 1000 leaves the auto-rotation
 *     speed as it was (from 1, 73 Shift presses reach either end);
 *   - an angle or pan step whose result would not be a finite float leaves
 *     that value as it was;
 *   - setters ignore a call with a value that is not finite (NaN or an
 *     infinity), and setAutoRotateSpeed one outside the speed's range;
 *   - pointer differences are taken in a wider type than int, so any
 *     coordinates GLUT passes are safe.
 * So every value read back, and every matrix built from them, is finite.
 *
 * Depends on: OpenGL, GLUT.
 */
#ifndef VESTRANE_VIEW_H
#define VESTRANE_VIEW_H

#include "support/common.h"

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
VESTRANE_API int modifierCode(void);

/* ---- Applying the view ------------------------------------------------- */

/*
 * Multiplies the current matrix by the mouse part of the view:
 * translate(panX, panY, 0), rotate mouseAngleX about x, mouseAngleY about y,
 * mouseAngleZ about z, then scale by the zoom. Selects no matrix mode and
 * pushes nothing: bracket it with glPushMatrix/glPopMatrix yourself.
 * In the initial state it leaves the matrix unchanged.
 */
VESTRANE_API void applyMouseTransform(void);

/*
 * Multiplies the current matrix by the key rotations: keyAngleX about x,
 * then keyAngleY about y, then keyAngleZ about z. Same conditions as
 * applyMouseTransform.
 */
VESTRANE_API void applyKeyRotation(void);

/* ---- Setters, getters and reset ---------------------------------------- */

/*
 * Sets the three mouse angles (degrees). A call with a value that is not
 * finite changes nothing.
 */
VESTRANE_API void setMouseAngles(float x, float y, float z);

/*
 * Sets the three key angles (degrees). A call with a value that is not
 * finite changes nothing.
 */
VESTRANE_API void setKeyAngles(float x, float y, float z);

/*
 * Sets the multiplier of the pan that an Alt drag produces (initially 1:
 * the scene follows the pointer in an orthographic view). A factor that is
 * not finite changes nothing.
 */
VESTRANE_API void setPanFactor(float factor);

/*
 * Copy out the current mouse angles (degrees), key angles (degrees) and pan
 * (units of the projection). A NULL pointer is skipped.
 */
VESTRANE_API void getMouseAngles(float* x, float* y, float* z);
VESTRANE_API void getKeyAngles(float* x, float* y, float* z);
VESTRANE_API void getPan(float* x, float* y);

/* The current zoom scale (initially 1; always within 1e-6 .. 1e6). */
VESTRANE_API float getZoomScale(void);

/* The pan factor set by setPanFactor (initially 1). */
VESTRANE_API float getPanFactor(void);

/*
 * Puts the view back as it was at start: mouse angles, key angles and pan
 * 0, zoom 1, auto-rotation off with speed 1, and any drag in progress
 * ended (motion is not taken again before the next press with a modifier).
 * Keeps the program's configuration: the pan factor and the window named
 * by setAutoRotateWindow. Touches no GL state and posts no redisplay.
 */
VESTRANE_API void resetView(void);

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
VESTRANE_API int handleRotationKey(unsigned char key, int x, int y);

/*
 * handleRotationKey as a GLUT keyboard callback: posts a redisplay of the
 * current window when the key was taken.
 */
VESTRANE_API void rotationKeyCallback(unsigned char key, int x, int y);

/* ---- Mouse drags ------------------------------------------------------- */

/*
 * Mouse handler, with the arguments of a GLUT mouse callback. On every event
 * it saves the current projection matrix, the current window's width and
 * the button, for the pan of later motion. For the left button it records
 * the modifier code; with a modifier held a press starts a drag of that
 * kind and a release ends it (-> 1). Other buttons, and left-button events
 * without a modifier, leave the drag as it was (-> 0).
 */
VESTRANE_API int mouseButton(int button, int state, int x, int y);

/*
 * Motion handler, with the arguments of a GLUT motion callback. During a
 * left-button drag it acts by the latest modifier code (-> 1):
 *   Shift       right/down turns the mouse angles about y/x, 1 degree a pixel
 *   Shift+Ctrl  right/down turns the mouse angles about z/x, 1 degree a pixel
 *   Ctrl        down enlarges, up shrinks: 1.02 for every 5 pixels, within
 *               1e-6 .. 1e6
 *   Alt         pans so that the scene follows the pointer, through element
 *               0 of the saved projection and the saved window width, times
 *               the pan factor; a degenerate projection or width pans nothing
 *   none        nothing
 * Outside a left-button drag it changes nothing (-> 0). A key handled
 * during a drag replaces the modifier code, and so the kind of the drag.
 */
VESTRANE_API int mouseMotion(int x, int y);

/*
 * mouseButton and mouseMotion as GLUT mouse and motion callbacks: post a
 * redisplay of the current window when the handler took the event.
 */
VESTRANE_API void mouseButtonCallback(int button, int state, int x, int y);
VESTRANE_API void mouseMotionCallback(int x, int y);

/* ---- Special keys and auto-rotation ----------------------------------- */

/*
 * Special-key handler, with the arguments of a GLUT special-key callback
 * (x and y are not used). Records the modifier code, then takes the arrow
 * and page keys (-> 1); every other key changes nothing (-> 0):
 *   alone       Left/Right: key angle about y -1/+1 degree,
 *               Up/Down about x -1/+1, Page Up/Page Down about z -1/+1
 *   Alt         the same in steps of 10 degrees
 *   Shift+Ctrl  the same in fine steps of 0.25 degree
 *   Shift       Left, Up, Page Up speed the auto-rotation up by 1.1 times,
 *               Right, Down, Page Down slow it down by as much, within
 *               0.001 .. 1000
 *   Ctrl        preset views: the mouse angles to 0 and the key angles to
 *               0 (Left, Up, Page Down), a half-turn about y (Right),
 *               about x (Down) or about z (Page Up); pan and zoom are kept
 */
VESTRANE_API int specialRotationKey(int key, int x, int y);

/*
 * specialRotationKey as a GLUT special-key callback: posts a redisplay of
 * the current window when the key was taken.
 */
VESTRANE_API void specialKeyCallback(int key, int x, int y);

/*
 * Names the window that autoRotateStep redisplays; -1 (the initial choice)
 * means GLUT's current window at each step.
 */
VESTRANE_API void setAutoRotateWindow(WindowId window);

/* The window set by setAutoRotateWindow, or -1. */
VESTRANE_API WindowId getAutoRotateWindow(void);

/*
 * Switches the auto-rotation on (any non-zero `on`) or off, as Shift+Enter
 * does. A program that registers autoRotateStep only while it is on idles
 * without spending time.
 */
VESTRANE_API void setAutoRotate(int on);

/* 1 while the auto-rotation is on, else 0. */
VESTRANE_API int getAutoRotate(void);

/*
 * Sets the multiplier of the auto-rotation's steps (initially 1), as the
 * Shift keys change it. A speed outside 0.001 .. 1000, or not a number,
 * changes nothing.
 */
VESTRANE_API void setAutoRotateSpeed(float speed);

/* The current auto-rotation speed (always within 0.001 .. 1000). */
VESTRANE_API float getAutoRotateSpeed(void);

/*
 * Idle callback of the auto-rotation. While Shift+Enter has switched it on,
 * advances the mouse angles by 1.1, 2.1 and 3.1 degrees about x, y and z,
 * times the speed, and posts a redisplay of the window named by
 * setAutoRotateWindow. While it is off it does nothing.
 */
VESTRANE_API void autoRotateStep(void);

#ifdef __cplusplus
}
#endif

#endif /* VESTRANE_VIEW_H */
