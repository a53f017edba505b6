/*
 * scene.h - the demo's windows and callbacks
 *
 * Internal to the demo program.
 */
#ifndef VESTRANE_DEMO_SCENE_H
#define VESTRANE_DEMO_SCENE_H

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
