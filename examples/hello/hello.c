/*
 * hello - the smallest complete Vestrane program: one window, a greeting in
 * the library's own bold font anchored at a point of the scene, and a
 * reshape that keeps the scene undistorted whatever the window's shape. On a
 * HiDPI screen the text and the window grow by the screen's text scale.
 *
 * Keys: Escape or q quit.
 */
#include <support/color/color.h>
#include <support/projection/projection.h>
#include <support/text/text.h>

#include <GL/freeglut.h>

static void display(void)
{
    glClearColor(0.10f, 0.12f, 0.20f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4fv(colorYellow());       /* text takes the colour set before its anchor */
    setTextAnchor(0.0f, 0.0f, 0.0f); /* a point of the scene: the middle of the box */
    setTextAlignment(alignCentred);
    drawText(0, boldFont, "Hello, Vestrane!");
    glutSwapBuffers();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x;
    (void)y;
    if (key == 27 || key == 'q') { /* 27 is Escape */
        glutLeaveMainLoop();       /* glutMainLoop returns, and GLUT ends cleanly */
    }
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(320, 120);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("Vestrane hello");
    setTextScale(0); /* own-font text as large as the screen wants it (HiDPI) ... */
    glutReshapeWindow(320 * getTextScale(), 120 * getTextScale()); /* ... and the window too */
    setOrthoBox(-1.0f, 1.0f, -1.0f, 1.0f, -1.0f, 1.0f); /* kept visible by reshapeOrtho */
    glutReshapeFunc(reshapeOrtho);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
