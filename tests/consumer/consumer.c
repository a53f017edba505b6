/*
 * consumer.c - a program of someone else's, built against the library as
 * it is installed: opens a window, draws a text in boldFont at the
 * screen's text scale (which reads the X display: linking the library
 * statically needs Xlib) and a stroke text, reads the pixels back, saves
 * the picture as the PNG file its argument names, and exits 0 when both
 * texts left lit pixels and the picture was saved (and the header's
 * version is the one the build expected). C99, and also compiled as C++.
 */
#include <support/color/color.h>
#include <support/image/image.h>
#include <support/projection/projection.h>
#include <support/text/text.h>
#include <support/version.h>
#include <support/view/view.h>

#include <GL/freeglut.h>
#include <stdio.h>
#include <string.h>

enum { windowWidth = 240, windowHeight = 120 };

static int result = 1;
static const char* imagePath = NULL;

/* Pixels of the back buffer's rows [from, to) brighter than mid-grey. */
static int litPixels(int from, int to)
{
    static unsigned char red[windowWidth * windowHeight];
    int count = 0;
    int i;
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, from, windowWidth, to - from, GL_RED, GL_UNSIGNED_BYTE, red);
    for (i = 0; i < windowWidth * (to - from); ++i) {
        count += red[i] > 128;
    }
    return count;
}

static void display(void)
{
    int bitmap;
    int stroke;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    glColor4fv(colorWhite());
    setTextScale(0);
    setTextAnchor(-1.8f, 0.4f, 0.0f); /* upper half */
    drawText(0, boldFont, "Vestrane %s", VESTRANE_VERSION_STRING);
    drawStrokeText(-1.8f, -0.8f, 1.0f, "%s", "Stroke"); /* lower half */
    glPopMatrix();
    bitmap = litPixels(windowHeight / 2, windowHeight);
    stroke = litPixels(0, windowHeight / 2);
    printf("Vestrane %s: %d lit pixels of boldFont text at scale %d, %d of stroke text\n",
           VESTRANE_VERSION_STRING, bitmap, getTextScale(), stroke);
    result = bitmap > 0 && stroke > 0 ? 0 : 1;
    if (imagePath == NULL || !saveWindowImage(imagePath)) {
        printf("could not save the picture as %s\n", imagePath ? imagePath : "(no path given)");
        result = 1;
    }
#ifdef VESTRANE_EXPECTED_VERSION
    if (strcmp(VESTRANE_VERSION_STRING, VESTRANE_EXPECTED_VERSION) != 0) {
        printf("expected version %s\n", VESTRANE_EXPECTED_VERSION);
        result = 1;
    }
#endif
    glutLeaveMainLoop();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    imagePath = argc > 1 ? argv[1] : NULL;
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutCreateWindow("consumer");
    setOrthoBox(-2.0f, 2.0f, -1.0f, 1.0f, -1.0f, 1.0f);
    glutReshapeFunc(reshapeOrtho);
    glutDisplayFunc(display);
    glutKeyboardFunc(rotationKeyCallback);
    glutMouseFunc(mouseButtonCallback);
    glutMotionFunc(mouseMotionCallback);
    glutMainLoop(); /* returns with GLUT ended, window closed */
    return result;
}
