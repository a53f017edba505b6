/*
 * two_windows - two windows side by side, each with its own projection,
 * font and display list: every GLUT window has an OpenGL context of its
 * own, so a list recorded in one window is unknown in the other, and each
 * builds its own (the library does the same for its fonts, in each window
 * on its first own-font text). The view is one for the program: the keys
 * turn the cube in both windows.
 *
 * Keys, in either window:
 *   x y z / X Y Z   turn the cube +2 / -2 degrees about that axis (both
 *                  windows show the angles, each in its own font)
 *   Escape or q     quit
 */
#include <support/color/color.h>
#include <support/projection/projection.h>
#include <support/text/text.h>
#include <support/view/view.h>

#include <GL/freeglut.h>

/* What is a window's own: its identifier, its cube's display list, its
 * font, its colour and its words. */
struct Pane {
    int window;
    GLuint cubeList;
    int font;
    const Color* colour;
    const char* name;
    const char* axes; /* the names of the three axes, in the pane's font */
};

static struct Pane panes[2] = {
    {0, 0, boldFont, NULL, "orthographic", "xyz"},
    {0, 0, greekFont, NULL, "PERSPECTIVE", "fqy"}, /* phi theta psi in greekFont */
};

static struct Pane* currentPane(void)
{
    return glutGetWindow() == panes[0].window ? &panes[0] : &panes[1];
}

static void display(void)
{
    const struct Pane* pane = currentPane();
    float angle[3];
    glClearColor(0.12f, 0.12f, 0.16f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    applyKeyRotation();
    glCallList(pane->cubeList); /* this window's list, in this window's context */
    glPopMatrix();

    /* Both projections show -2.5..2.5 around the origin: the same scene
     * point is the top-left corner of either window. */
    getKeyAngles(&angle[0], &angle[1], &angle[2]);
    glColor4fv(pane->colour);
    setTextAlignment(alignLeft);
    setTextAnchor(-2.9f, 2.1f, 0.0f);
    drawTextInFont(pane->font, "%s", pane->name);
    setTextOffset(0.0f, 18.0f, 0.0f);
    drawTextInFont(pane->font, "%c %.0f  %c %.0f  %c %.0f", pane->axes[0], (double)angle[0],
                   pane->axes[1], (double)angle[1], pane->axes[2], (double)angle[2]);
    glutSwapBuffers();
}

static void keyboard(unsigned char key, int x, int y)
{
    if (key == 27 || key == 'q') { /* 27 is Escape */
        glutLeaveMainLoop();       /* glutMainLoop returns, and GLUT ends cleanly */
    } else if (handleRotationKey(key, x, y)) {
        glutPostWindowRedisplay(panes[0].window); /* one view, both windows */
        glutPostWindowRedisplay(panes[1].window);
    }
}

/* Opens a window at (x, 60) and records its own cube list in its context. */
static void openPane(struct Pane* pane, const char* title, int x, const Color* colour)
{
    glutInitWindowPosition(x, 60);
    pane->window = glutCreateWindow(title);
    pane->colour = colour;
    pane->cubeList = glGenLists(1);
    glNewList(pane->cubeList, GL_COMPILE);
    glColor4fv(colour);
    glutWireCube(2.0);
    glEndList();
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(300, 240);
    setKeyAngles(20.0f, -30.0f, 0.0f);

    openPane(&panes[0], "Vestrane orthographic", 40, colorCyan());
    setOrthoBox(-2.5f, 2.5f, -2.5f, 2.5f, -10.0f, 10.0f);
    glutReshapeFunc(reshapeOrtho);

    openPane(&panes[1], "Vestrane perspective", 340, colorMediumYellow());
    setPerspective(45.0f, 1.0f, 1.0f, 20.0f, 0.0f, 0.0f, -6.0f); /* eye 6 units away */
    glutReshapeFunc(reshapePerspective);

    glutMainLoop();
    return 0;
}
