/*
 * Vestrane - a grey shiny sphere lit by two moving coloured lights.
 *
 * The main window "Vestrane" shows the sphere. Light 0, red with blue
 * highlights, sweeps back and forth along x in front of it; light 1, yellow
 * with magenta highlights, shines from a direction that turns about x.
 * The window "Valeurs" below it prints, after every frame, the position of
 * light 0 and the angle of light 1.
 *
 * Keys (in either window):
 *   space          pause / resume the animation
 *   Enter          lights: both -> yellow/magenta only -> red/blue only
 *   x y z          turn the scene +2 degrees about that axis
 *   X Y Z          turn it -2 degrees
 *   Shift+Enter    switch the auto-rotation flag (no effect in this program)
 *   Escape         quit
 * Mouse:
 *   right button   menu with "Quitter"
 *
 * Depends on: GLUT, scene.cpp (both windows and their callbacks).
 */
#include "demo/scene.h"

#include <GL/glut.h>

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    createDemoWindows();
    glutMainLoop();
    return 0;
}
