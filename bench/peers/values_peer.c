/*
 * values_peer.c - the demo written as a plain freeglut program, as a user
 * would write it by hand, for frame-rate comparisons: the same grey sphere
 * and moving lights in "Vestrane" (250 x 250), and below it, in "Valeurs"
 * (330 x 50), the same two value lines after every frame.
 *
 *   vestrane_peer          the lines drawn with glutBitmapString
 *   vestrane_peer --lists  the lines drawn through the values window's own
 *                          display lists, one glBitmap a character
 *
 * Depends on: freeglut, OpenGL, peer_glyphs.cpp (the glyph bytes).
 */
#include <GL/freeglut.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* 8 x 13 glyphs from code 32 on, 13 bytes each, bottom row first. */
extern const unsigned char* const peerGlyphs;

/* ---- State ------------------------------------------------------------- */

static int mainWindow;
static int valuesWindow;
static int frameCount;
static int useLists;
static GLuint glyphLists;
static const float angles[3] = {0.0f, 0.0f, 0.0f};

/* ---- Main window ------------------------------------------------------- */

static float sweepingX(int frame)
{
    return (float)(abs(frame % 200 - 100) / 5.0 - 10.0);
}

static float turningAngle(int frame)
{
    return (float)(2 * (frame % 180));
}

static void displayScene(void)
{
    static const GLfloat grey[] = {0.6f, 0.6f, 0.6f, 1.0f};
    static const GLfloat alongZ[] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat sweeping[] = {sweepingX(frameCount), 0.0f, 10.0f, 1.0f};

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glPushMatrix();
    glRotatef(angles[0], 1.0f, 0.0f, 0.0f);
    glRotatef(angles[1], 0.0f, 1.0f, 0.0f);
    glRotatef(angles[2], 0.0f, 0.0f, 1.0f);
    glPushMatrix();
    glLightfv(GL_LIGHT0, GL_POSITION, sweeping);
    glRotatef(turningAngle(frameCount), 1.0f, 0.0f, 0.0f);
    glLightfv(GL_LIGHT1, GL_POSITION, alongZ);
    glPopMatrix();
    glMaterialfv(GL_FRONT, GL_DIFFUSE, grey);
    glMaterialfv(GL_FRONT, GL_SPECULAR, grey);
    glMaterialf(GL_FRONT, GL_SHININESS, 120.0f);
    glutSolidSphere(4.0, 180, 180);
    glPopMatrix();
    glFlush();
    glutSwapBuffers();
    glutPostWindowRedisplay(valuesWindow);
}

/* Keeps the box -5..5 in view, widened along the longer side. */
static void reshapeScene(int width, int height)
{
    double wide = 1.0;
    double tall = 1.0;
    if (width <= 0 || height <= 0)
        return;
    if (width > height)
        wide = (double)width / height;
    else
        tall = (double)height / width;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-5.0 * wide, 5.0 * wide, -5.0 * tall, 5.0 * tall, -500.0, 500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void idle(void)
{
    ++frameCount;
    glutPostWindowRedisplay(mainWindow);
}

/* ---- Values window ----------------------------------------------------- */

static void buildGlyphLists(void)
{
    int code;
    glyphLists = glGenLists(128);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (code = 32; code < 126; ++code) {
        glNewList(glyphLists + (GLuint)code, GL_COMPILE);
        glBitmap(8, 13, 0.0f, 2.0f, 10.0f, 0.0f, peerGlyphs + (code - 32) * 13);
        glEndList();
    }
}

static void drawLine(float y, const char* text)
{
    glRasterPos2f(5.0f, y);
    if (useLists) {
        glListBase(glyphLists);
        glCallLists((GLsizei)strlen(text), GL_UNSIGNED_BYTE, text);
    } else {
        glutBitmapString(GLUT_BITMAP_8_BY_13, (const unsigned char*)text);
    }
}

static void displayValues(void)
{
    char text[64];
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    snprintf(text, sizeof text, "POSITION : %7.3f %6.3f %6.3f", sweepingX(frameCount), 0.0, 10.0);
    drawLine(-20.0f, text);
    snprintf(text, sizeof text, "ANGLE    : %6.3f", turningAngle(frameCount));
    drawLine(-40.0f, text);
    glutSwapBuffers();
}

static void reshapeValues(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, -height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

/* ---- Program entry ----------------------------------------------------- */

int main(int argc, char** argv)
{
    static const GLfloat red[] = {1.0f, 0.0f, 0.0f, 1.0f};
    static const GLfloat blue[] = {0.0f, 0.0f, 1.0f, 1.0f};
    static const GLfloat yellow[] = {1.0f, 1.0f, 0.0f, 1.0f};
    static const GLfloat magenta[] = {1.0f, 0.0f, 1.0f, 1.0f};

    glutInit(&argc, argv);
    useLists = argc > 1 && strcmp(argv[1], "--lists") == 0;
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(250, 250);
    glutInitWindowPosition(50, 50);
    mainWindow = glutCreateWindow("Vestrane");
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, red);
    glLightfv(GL_LIGHT0, GL_SPECULAR, blue);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, yellow);
    glLightfv(GL_LIGHT1, GL_SPECULAR, magenta);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeScene);
    glutIdleFunc(idle);

    glutInitWindowSize(330, 50);
    glutInitWindowPosition(60, 330);
    valuesWindow = glutCreateWindow("Valeurs");
    if (useLists)
        buildGlyphLists();
    glutDisplayFunc(displayValues);
    glutReshapeFunc(reshapeValues);
    glutMainLoop();
    return 0;
}
