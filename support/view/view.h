/**
 * @defgroup vestrane_view View: rotation keys, mouse drags and auto-rotation
 *
 * View manipulation for GLUT programs.
 *
 * One view state for the whole program: two sets of rotation angles (the
 * "mouse" angles with a pan and a zoom, and the "key" angles), applied to the
 * current matrix on request (applyMouseTransform(), applyKeyRotation()), and
 * changed by the rotation keys (handleRotationKey()), the special keys
 * (specialRotationKey()), left-button drags with modifiers (mouseButton(),
 * mouseMotion()) and an idle auto-rotation (autoRotateStep()). Setters,
 * getters and resetView() reach the state directly.
 *
 * Handlers return 1 when they took the event and changed the view, 0 when
 * they left it to the caller; they never ask for a redisplay. Each has a
 * callback form, ready for glut*Func, that posts a redisplay of the current
 * window when the handler took the event (rotationKeyCallback(),
 * specialKeyCallback(), mouseButtonCallback(), mouseMotionCallback()).
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
 * `#include <support/view/view.h>`.
 * Depends on: OpenGL, GLUT.
 * @{
 */
#ifndef VESTRANE_VIEW_H
#define VESTRANE_VIEW_H

#include "support/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Modifier codes ---------------------------------------------------- */

/**
 * Classifies the modifier keys held during the event GLUT is delivering.
 *
 * Shift is tested before Ctrl and Ctrl before Alt, so Shift+Alt gives 1 and
 * Ctrl+Alt gives 3. Only valid inside a keyboard, special-key or mouse
 * callback (it asks glutGetModifiers). Stores nothing.
 *
 * @return  0 none, 1 Shift (without Ctrl), 2 Shift+Ctrl, 3 Ctrl (without
 *          Shift), 4 Alt alone
 */
VESTRANE_API int modifierCode(void);

/* ---- Applying the view ------------------------------------------------- */

/**
 * Multiplies the current matrix by the mouse part of the view.
 *
 * In order:
 * translate(panX, panY, 0), rotate mouseAngleX about x, mouseAngleY about y,
 * mouseAngleZ about z, then scale by the zoom. Selects no matrix mode and
 * pushes nothing: bracket it with glPushMatrix/glPopMatrix yourself.
 * In the initial state it leaves the matrix unchanged.
 */
VESTRANE_API void applyMouseTransform(void);

/**
 * Multiplies the current matrix by the key rotations.
 *
 * keyAngleX about x, then keyAngleY about y, then keyAngleZ about z. Same
 * conditions as applyMouseTransform().
 */
VESTRANE_API void applyKeyRotation(void);

/* ---- Setters, getters and reset ---------------------------------------- */

/**
 * Sets the three mouse angles.
 *
 * A call with a value that is not finite changes nothing.
 *
 * @param x  angle about x, in degrees
 * @param y  angle about y, in degrees
 * @param z  angle about z, in degrees
 */
VESTRANE_API void setMouseAngles(float x, float y, float z);

/**
 * Sets the three key angles.
 *
 * A call with a value that is not finite changes nothing.
 *
 * @param x  angle about x, in degrees
 * @param y  angle about y, in degrees
 * @param z  angle about z, in degrees
 */
VESTRANE_API void setKeyAngles(float x, float y, float z);

/**
 * Sets the multiplier of the pan that an Alt drag produces.
 *
 * A factor that is not finite changes nothing.
 *
 * @param factor  initially 1: the scene follows the pointer in an
 *                orthographic view
 */
VESTRANE_API void setPanFactor(float factor);

/**
 * Copies out the current mouse angles. A NULL pointer is skipped.
 * @param x  receives the angle about x, in degrees
 * @param y  receives the angle about y, in degrees
 * @param z  receives the angle about z, in degrees
 */
VESTRANE_API void getMouseAngles(float* x, float* y, float* z);
/**
 * Copies out the current key angles. A NULL pointer is skipped.
 * @param x  receives the angle about x, in degrees
 * @param y  receives the angle about y, in degrees
 * @param z  receives the angle about z, in degrees
 */
VESTRANE_API void getKeyAngles(float* x, float* y, float* z);
/**
 * Copies out the current pan. A NULL pointer is skipped.
 * @param x  receives the pan along x, in units of the projection
 * @param y  receives the pan along y, in units of the projection
 */
VESTRANE_API void getPan(float* x, float* y);

/** The current zoom scale. @return the scale, initially 1; always within 1e-6 .. 1e6 */
VESTRANE_API float getZoomScale(void);

/** The pan factor. @return the factor set by setPanFactor() (initially 1) */
VESTRANE_API float getPanFactor(void);

/**
 * Puts the view back as it was at start.
 *
 * Mouse angles, key angles and pan 0, zoom 1, auto-rotation off with speed 1,
 * and any drag in progress ended (motion is not taken again before the next
 * press with a modifier). Keeps the program's configuration: the pan factor
 * and the window named by setAutoRotateWindow. Touches no GL state and posts
 * no redisplay.
 */
VESTRANE_API void resetView(void);

/* ---- Rotation keys ----------------------------------------------------- */

/**
 * Keyboard handler, with the arguments of a GLUT keyboard callback.
 *
 * Records the modifier code for later mouse motion, then:
 *
 *     Shift+Enter   switches the auto-rotation on or off        -> 1
 *     x / X         key angle about x +2 / -2 degrees          -> 1
 *     y / Y         key angle about y +2 / -2 degrees          -> 1
 *     z / Z         key angle about z +2 / -2 degrees          -> 1
 *     Escape        ends the process with exit(0), whatever the modifiers
 *     anything else nothing                                     -> 0
 *
 * Call it first from your own keyboard callback and handle the key
 * yourself only when it returns 0.
 *
 * @param key  the key, as GLUT passes it
 * @param x    not used
 * @param y    not used
 * @return     1 when the key was taken, else 0
 */
VESTRANE_API int handleRotationKey(unsigned char key, int x, int y);

/**
 * handleRotationKey() as a GLUT keyboard callback.
 *
 * Posts a redisplay of the current window when the key was taken.
 *
 * @param key  the key, as GLUT passes it
 * @param x    not used
 * @param y    not used
 */
VESTRANE_API void rotationKeyCallback(unsigned char key, int x, int y);

/* ---- Mouse drags ------------------------------------------------------- */

/**
 * Mouse handler, with the arguments of a GLUT mouse callback.
 *
 * On every event it saves the current projection matrix, the current window's
 * width and the button, for the pan of later motion. For the left button it
 * records the modifier code; with a modifier held a press starts a drag of
 * that kind and a release ends it (-> 1). Other buttons, and left-button
 * events without a modifier, leave the drag as it was (-> 0).
 *
 * @param button  GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON or GLUT_RIGHT_BUTTON
 * @param state   GLUT_DOWN or GLUT_UP
 * @param x       pointer x, in window pixels
 * @param y       pointer y, in window pixels
 * @return        1 when a drag started or ended, else 0
 */
VESTRANE_API int mouseButton(int button, int state, int x, int y);

/**
 * Motion handler, with the arguments of a GLUT motion callback.
 *
 * During a left-button drag it acts by the latest modifier code (-> 1):
 *
 *     Shift       right/down turns the mouse angles about y/x, 1 degree a pixel
 *     Shift+Ctrl  right/down turns the mouse angles about z/x, 1 degree a pixel
 *     Ctrl        down enlarges, up shrinks: 1.02 for every 5 pixels, within
 *                 1e-6 .. 1e6
 *     Alt         pans so that the scene follows the pointer, through element
 *                 0 of the saved projection and the saved window width, times
 *                 the pan factor; a degenerate projection or width pans nothing
 *     none        nothing
 *
 * Outside a left-button drag it changes nothing (-> 0). A key handled
 * during a drag replaces the modifier code, and so the kind of the drag.
 *
 * @param x  pointer x, in window pixels
 * @param y  pointer y, in window pixels
 * @return   1 during a left-button drag, else 0
 */
VESTRANE_API int mouseMotion(int x, int y);

/**
 * mouseButton() as a GLUT mouse callback.
 *
 * Posts a redisplay of the current window when the handler took the event.
 *
 * @param button  as for mouseButton()
 * @param state   as for mouseButton()
 * @param x       pointer x, in window pixels
 * @param y       pointer y, in window pixels
 */
VESTRANE_API void mouseButtonCallback(int button, int state, int x, int y);
/**
 * mouseMotion() as a GLUT motion callback.
 *
 * Posts a redisplay of the current window when the handler took the event.
 *
 * @param x  pointer x, in window pixels
 * @param y  pointer y, in window pixels
 */
VESTRANE_API void mouseMotionCallback(int x, int y);

/* ---- Special keys and auto-rotation ----------------------------------- */

/**
 * Special-key handler, with the arguments of a GLUT special-key callback.
 *
 * Records the modifier code, then takes the arrow and page keys (-> 1);
 * every other key changes nothing (-> 0):
 *
 *     alone       Left/Right: key angle about y -1/+1 degree,
 *                 Up/Down about x -1/+1, Page Up/Page Down about z -1/+1
 *     Alt         the same in steps of 10 degrees
 *     Shift+Ctrl  the same in fine steps of 0.25 degree
 *     Shift       Left, Up, Page Up speed the auto-rotation up by 1.1 times,
 *                 Right, Down, Page Down slow it down by as much, within
 *                 0.001 .. 1000
 *     Ctrl        preset views: the mouse angles to 0 and the key angles to
 *                 0 (Left, Up, Page Down), a half-turn about y (Right),
 *                 about x (Down) or about z (Page Up); pan and zoom are kept
 *
 * @param key  the GLUT_KEY_* code, as GLUT passes it
 * @param x    not used
 * @param y    not used
 * @return     1 when the key was taken, else 0
 */
VESTRANE_API int specialRotationKey(int key, int x, int y);

/**
 * specialRotationKey() as a GLUT special-key callback.
 *
 * Posts a redisplay of the current window when the key was taken.
 *
 * @param key  the GLUT_KEY_* code, as GLUT passes it
 * @param x    not used
 * @param y    not used
 */
VESTRANE_API void specialKeyCallback(int key, int x, int y);

/**
 * Names the window that autoRotateStep() redisplays.
 *
 * @param window  the window, or -1 (the initial choice) for GLUT's current
 *                window at each step
 */
VESTRANE_API void setAutoRotateWindow(WindowId window);

/** The auto-rotation's window. @return the window set by setAutoRotateWindow(), or -1 */
VESTRANE_API WindowId getAutoRotateWindow(void);

/**
 * Switches the auto-rotation on or off, as Shift+Enter does.
 *
 * A program that registers autoRotateStep() only while it is on idles
 * without spending time.
 *
 * @param on  non-zero for on, 0 for off
 */
VESTRANE_API void setAutoRotate(int on);

/** Whether the auto-rotation is on. @return 1 while it is on, else 0 */
VESTRANE_API int getAutoRotate(void);

/**
 * Sets the auto-rotation speed, the multiplier of its steps.
 *
 * The Shift keys change it too. A speed outside 0.001 .. 1000, or not a
 * number, changes nothing.
 *
 * @param speed  the multiplier (initially 1)
 */
VESTRANE_API void setAutoRotateSpeed(float speed);

/** The auto-rotation speed. @return the speed, always within 0.001 .. 1000 */
VESTRANE_API float getAutoRotateSpeed(void);

/**
 * Idle callback of the auto-rotation.
 *
 * While Shift+Enter has switched it on,
 * advances the mouse angles by 1.1, 2.1 and 3.1 degrees about x, y and z,
 * times the speed, and posts a redisplay of the window named by
 * setAutoRotateWindow. While it is off it does nothing.
 */
VESTRANE_API void autoRotateStep(void);

#ifdef __cplusplus
}
#endif

/** @} */

#endif /* VESTRANE_VIEW_H */
