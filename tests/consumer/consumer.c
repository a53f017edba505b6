/* A small C program built against the installed library: every header,
 * compiled as C99 with warnings as errors, and linked. */
#include <support/color/color.h>
#include <support/projection/projection.h>
#include <support/text/text.h>
#include <support/view/view.h>

#include <GL/glut.h>

static void display(void)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    glColor4fv(colorYellow());
    glutSolidTeapot(2.0);
    glPopMatrix();
    glColor4fv(colorWhite());
    setTextAnchor(-4.5f, 4.0f, 0.0f);
    drawText(0, boldFont, "zoom by Ctrl+drag: %d%%", 100);
    drawStrokeText(-4.0f, -4.5f, 100.0f, "%s", "Vestrane");
    glutSwapBuffers();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("consumer");
    setOrthoBox(-5.0f, 5.0f, -5.0f, 5.0f, -10.0f, 10.0f);
    glutReshapeFunc(reshapeOrtho);
    glutDisplayFunc(display);
    glutKeyboardFunc(rotationKeyCallback);
    glutSpecialFunc(specialKeyCallback);
    glutMouseFunc(mouseButtonCallback);
    glutMotionFunc(mouseMotionCallback);
    glutIdleFunc(autoRotateStep);
    glutMainLoop();
    return 0;
}
