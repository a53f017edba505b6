/*
 * scene.cpp - the demo's main window: lights, sphere, animation, keys, the
 * quit menu, and the creation of both windows with their callbacks.
 *
 * Depends on: GLUT, OpenGL, the view and projection modules, animation.h,
 * values.cpp (the values window's callbacks).
 */
#include "demo/scene.h"
#include "demo/animation.h"
#include "support/projection/projection.h"
#include "support/view/view.h"

#include <GL/glut.h>

#include <cstdlib>

/* ---- State ------------------------------------------------------------- */

namespace {

int mainWindow = 0;
int valuesWindow = 0;
int frameCount = 0;
int lightMode = 0;
int animationRunning = 1;

constexpr GLfloat light0Diffuse[] = {1.0f, 0.0f, 0.0f, 1.0f};
constexpr GLfloat light0Specular[] = {0.0f, 0.0f, 1.0f, 1.0f};
constexpr GLfloat light1Diffuse[] = {1.0f, 1.0f, 0.0f, 1.0f};
constexpr GLfloat light1Specular[] = {1.0f, 0.0f, 1.0f, 1.0f};
constexpr GLfloat sphereMaterial[] = {0.6f, 0.6f, 0.6f, 1.0f};

constexpr unsigned int displayMode = GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH;
constexpr unsigned char keyEnter = 13;
constexpr unsigned char keySpace = 32;
constexpr int quitEntry = 0;

/* ---- Internal helpers -------------------------------------------------- */

/* Light mode 0: both lights, 1: light 1 only, 2: light 0 only. */
void switchLights()
{
    if (lightMode == 1) {
        glDisable(GL_LIGHT0);
    } else {
        glEnable(GL_LIGHT0);
    }
    if (lightMode == 2) {
        glDisable(GL_LIGHT1);
    } else {
        glEnable(GL_LIGHT1);
    }
}

/* Both lights are placed in the scene's frame, so turning the scene
 * carries them with the sphere. */
void placeLights()
{
    glPushMatrix();
    const GLfloat sweeping[] = {sweepingLightX(frameCount), 0.0f, 10.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, sweeping);
    glRotatef(turningAngle(frameCount), 1.0f, 0.0f, 0.0f);
    const GLfloat alongZ[] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, alongZ);
    glPopMatrix();
}

void toggleAnimation()
{
    animationRunning = !animationRunning;
    glutIdleFunc(animationRunning ? idleAdvance : nullptr);
}

void createMainWindow()
{
    glutInitDisplayMode(displayMode);
    glutInitWindowSize(250, 250);
    glutInitWindowPosition(50, 50);
    mainWindow = glutCreateWindow("Vestrane");
    initLighting();
    attachQuitMenu();
    setOrthoBox(-5.0f, 5.0f, -5.0f, 5.0f, -500.0f, 500.0f);
    setPanFactor(1.0f);
    glutReshapeFunc(reshapeOrtho);
    glutIdleFunc(idleAdvance);
    glutKeyboardFunc(keyboardScene);
    glutDisplayFunc(displayScene);
}

void createValuesWindow()
{
    glutInitWindowSize(330, 50);
    glutInitWindowPosition(60, 330);
    glutInitDisplayMode(displayMode);
    valuesWindow = glutCreateWindow("Valeurs");
    attachQuitMenu();
    glutDisplayFunc(displayValues);
    glutReshapeFunc(reshapeValues);
    glutKeyboardFunc(keyboardScene);
}

}  // namespace

/* ---- Main window ------------------------------------------------------- */

void initLighting(void)
{
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0Diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light0Specular);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light1Diffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, light1Specular);
    glEnable(GL_LIGHTING);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
}

void drawSphere(void)
{
    glMaterialfv(GL_FRONT, GL_DIFFUSE, sphereMaterial);
    glMaterialfv(GL_FRONT, GL_SPECULAR, sphereMaterial);
    glMaterialf(GL_FRONT, GL_SHININESS, 120.0f);
    glPushMatrix();
    glutSolidSphere(4.0, 180, 180);
    glPopMatrix();
}

void displayScene(void)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    switchLights();
    glPushMatrix();
    applyMouseTransform();
    applyKeyRotation();
    placeLights();
    glPushMatrix();
    drawSphere();
    glPopMatrix();
    glPopMatrix();
    glFlush();
    glutSwapBuffers();
    glutPostWindowRedisplay(valuesWindow);
}

void idleAdvance(void)
{
    frameCount = nextFrameCount(frameCount);
    glutPostWindowRedisplay(mainWindow);
}

int getFrameCount(void)
{
    return frameCount;
}

void keyboardScene(unsigned char key, int x, int y)
{
    if (handleRotationKey(key, x, y)) {
        glutPostWindowRedisplay(mainWindow);
        return;
    }
    if (key == keyEnter) {
        lightMode = (lightMode + 1) % 3;
        glutPostWindowRedisplay(mainWindow);
    } else if (key == keySpace) {
        toggleAnimation();
    }
}

/* ---- Quit menu --------------------------------------------------------- */

void attachQuitMenu(void)
{
    glutCreateMenu(quitMenuSelect);
    glutAddMenuEntry("Quitter", quitEntry);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
}

void quitMenuSelect(int value)
{
    if (value == quitEntry) {
        std::exit(0);
    }
    glutPostRedisplay();
}

/* ---- Windows ---------------------------------------------------------- */

int createDemoWindows(void)
{
    createMainWindow();
    createValuesWindow();
    return mainWindow;
}
