/*
 * plot - a function graph with labelled axes, drawn in the function's own
 * units. Each tick label is anchored at its tick, a point of the scene, and
 * moved by its width from textWidth: centred under the x ticks, ending just
 * left of the y ticks. The title is stroke text, centred with
 * strokeTextWidth.
 *
 * Keys: Escape or q quit.
 */
#include <support/color/color.h>
#include <support/projection/projection.h>
#include <support/text/text.h>

#include <GL/freeglut.h>
#include <math.h>

/* The scene: the box -180..180 both ways, widened by reshapeOrtho to the
 * window's shape: x from -240 to 240 at the start, one unit a pixel. */
static const float plotLeft = -180.0f, plotRight = 210.0f, plotBottom = -130.0f, plotTop = 115.0f;
/* The function's range on that plot area. */
static const float xMin = 0.0f, xMax = 10.0f, yMin = -1.0f, yMax = 1.0f;
/* Ticks: x every 2 from xMin, y every 0.5 from yMin (counted, not summed). */
enum { xTicks = 6, yTicks = 5 };
static const float xStep = 2.0f, yStep = 0.5f;

static float wave(float x)
{
    return sinf(2.0f * x) * expf(-x / 4.0f);
}

static void drawGridAndCurve(void)
{
    glColor4fv(colorGrey25());
    glBegin(GL_LINES);
    for (int i = 0; i < xTicks; ++i) {
        const float v = xMin + xStep * (float)i;
        glVertex2f(v, yMin);
        glVertex2f(v, yMax);
    }
    for (int i = 0; i < yTicks; ++i) {
        const float v = yMin + yStep * (float)i;
        glVertex2f(xMin, v);
        glVertex2f(xMax, v);
    }
    glEnd();
    glColor4fv(colorCyan());
    glLineWidth(2.0f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 200; ++i) {
        const float x = xMin + (xMax - xMin) * (float)i / 200.0f;
        glVertex2f(x, wave(x));
    }
    glEnd();
    glLineWidth(1.0f);
}

/* Tick labels: anchored at the tick, moved by their measured width. */
static void drawTickLabels(void)
{
    glColor4fv(colorGrey75());
    setTextAlignment(alignLeft);
    for (int i = 0; i < xTicks; ++i) {
        const float v = xMin + xStep * (float)i;
        setTextAnchor(v, yMin, 0.0f);
        setTextOffset(-0.5f * (float)textWidth(boldFont, "%.0f", (double)v), 18.0f, 0.0f);
        drawTextInFont(boldFont, "%.0f", (double)v);
    }
    for (int i = 0; i < yTicks; ++i) {
        const float v = yMin + yStep * (float)i;
        setTextAnchor(xMin, v, 0.0f);
        setTextOffset(-8.0f - (float)textWidth(boldFont, "%.1f", (double)v), 5.0f, 0.0f);
        drawTextInFont(boldFont, "%.1f", (double)v);
    }
    glColor4fv(colorMediumYellow());
    setTextAnchor(xMax, yMin, 0.0f);
    setTextOffset(12.0f, 5.0f, 0.0f);
    drawTextInFont(boldFont, "x");
    setTextAnchor(xMin, yMax, 0.0f);
    setTextOffset(-0.5f * (float)textWidth(boldFont, "f(x)"), -10.0f, 0.0f);
    drawTextInFont(boldFont, "f(x)");
}

static void display(void)
{
    const char* title = "f(x) = sin(2x) exp(-x/4)";
    const float size = 30.0f; /* letters about 20 units tall */
    glClearColor(0.09f, 0.10f, 0.14f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix(); /* the function's units on the plot area, for what follows */
    glTranslatef(plotLeft, plotBottom, 0.0f);
    glScalef((plotRight - plotLeft) / (xMax - xMin), (plotTop - plotBottom) / (yMax - yMin), 1.0f);
    glTranslatef(-xMin, -yMin, 0.0f);
    drawGridAndCurve();
    drawTickLabels();
    glPopMatrix();
    glColor4fv(colorWhite());
    drawStrokeText(-0.5f * strokeTextWidth(size, "%s", title), 135.0f, size, "%s", title);
    glutSwapBuffers();
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
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(480, 360);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("Vestrane plot");
    setOrthoBox(-180.0f, 180.0f, -180.0f, 180.0f, -1.0f, 1.0f);
    glutReshapeFunc(reshapeOrtho);
    setStrokeBold(1); /* the title in heavier, smoothed lines */
    setStrokeSmooth(1);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
