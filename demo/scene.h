/*
 * scene.h - the demo's windows and callbacks
 *
 * Internal to the demo program.
 */
#ifndef VESTRANE_DEMO_SCENE_H
#define VESTRANE_DEMO_SCENE_H

/* Creates the main window, then the values window below it, each with its
 * callbacks and quit menu; GLUT must be initialised. The main window's
 * idle callback is registered: glutMainLoop starts the animation. Returns
 * the main window's identifier; the values window is current on return. */
int createDemoWindows(void);

/* Main window: lights, sphere, animation, keys. */
void initLighting(void);
void drawSphere(void);
void displayScene(void);
void idleAdvance(void);
void keyboardScene(unsigned char key, int x, int y);

/* Frames the animation has advanced since the start (read-only access). */
int getFrameCount(void);

/* Values window: the sweeping light's x and the turning angle, printed. */
void displayValues(void);
void reshapeValues(int width, int height);

/* The quit menu of both windows: one entry, "Quitter". */
void attachQuitMenu(void);
void quitMenuSelect(int value);

#endif /* VESTRANE_DEMO_SCENE_H */
