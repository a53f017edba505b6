/*
 * picking - click the scene to find the point under the mouse: the program
 * marks the point hit with a cross and labels it with its coordinates in
 * the scene (windowToScene). The mark belongs to the scene, so it turns
 * with it.
 *
 * Mouse, left button:
 *   click                 mark the point of the scene under the pointer;
 *                         a click on the background clears the mark
 *   Shift+drag            turn about x and y
 *   Shift+Ctrl+drag       turn about x and z
 *   Ctrl+drag             zoom: down enlarges, up shrinks
 *   Alt+drag              pan
 * Keys:
 *   arrows, Page Up/Down  turn the scene 1 degree (with Alt: 10)
 *   Escape or q           quit
 */
#include <support/color/color.h>
#include <support/projection/projection.h>
#include <support/text/text.h>
#include <support/view/view.h>

#include <GL/freeglut.h>

static int clickX, clickY, clickPending; /* a click waits for the next frame */
static int marked;                       /* whether a point is marked */
static double mark[3];                   /* the point, in scene coordinates */

/* A teapot on a floor, lit, with the depth test on: windowToScene finds
 * what the depth buffer holds. */
static void drawScene(void)
{
    static const GLfloat light[4] = {-0.4f, 0.8f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glEnable(GL_LIGHTING);
    glColor4fv(colorGrey50());
    glPushMatrix();
    glTranslatef(0.0f, -0.85f, 0.0f);
    glScalef(4.5f, 0.1f, 3.0f);
    glutSolidCube(1.0);
    glPopMatrix();
    glColor4fv(colorBrick());
    glutSolidTeapot(1.1);
    glDisable(GL_LIGHTING);
}

static void display(void)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    drawScene();
    if (clickPending) { /* the matrices and depth of this very picture */
        clickPending = 0;
        marked = windowToScene(clickX, clickY, &mark[0], &mark[1], &mark[2]);
    }
    if (marked) { /* a cross and the coordinates, in front of everything */
        glColor4fv(colorYellow());
        setTextAnchor((float)mark[0], (float)mark[1], (float)mark[2]);
        drawWindowLine(-6, 0, 6, 0);
        drawWindowLine(0, -6, 0, 6);
        setTextOffset(9.0f, -4.0f, 0.0f);
        drawTextInFont(boldFont, "(%.2f, %.2f, %.2f)", mark[0], mark[1], mark[2]);
    }
    glPopMatrix();
    glColor4fv(colorGrey75()); /* the help, at the top-left corner of the box */
    setTextAnchor(getViewLeft(), getViewTop(), 0.0f);
    setTextOffset(8.0f, 18.0f, 0.0f);
    drawTextInFont(boldFont, "Click the scene");
    glutSwapBuffers();
}

/* A plain left click is ours; every other button and gesture turns,
 * zooms and pans the view. */
static void mouse(int button, int state, int x, int y)
{
    if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN && glutGetModifiers() == 0) {
        clickX = x;
        clickY = y;
        clickPending = 1;
        glutPostRedisplay();
    } else {
        mouseButtonCallback(button, state, x, y);
    }
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x;
    (void)y;
    if (key == 27 || key == 'q') /* 27 is Escape */
        glutLeaveMainLoop();     /* glutMainLoop returns, and GLUT ends cleanly */
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(400, 300);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("Vestrane picking");
    glClearColor(0.10f, 0.12f, 0.20f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL); /* the lit objects take glColor */
    glEnable(GL_NORMALIZE);      /* the zoom scales the normals too */
    setOrthoBox(-2.5f, 2.5f, -2.5f, 2.5f, -10.0f, 10.0f);
    setKeyAngles(20.0f, -30.0f, 0.0f);
    glutReshapeFunc(reshapeOrtho);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(specialKeyCallback);
    glutMouseFunc(mouse);
    glutMotionFunc(mouseMotionCallback);
    glutMainLoop();
    return 0;
}
