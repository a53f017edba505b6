/*
 * heatmap - a grid of values coloured through the rainbow ramp, with a
 * colour-bar legend and its numbers. makeRainbowRamp allocates the ramp's
 * 256 colours on the heap, once; freeRamp gives them back when the main
 * loop has returned.
 *
 * Keys: Escape or q quit.
 */
#include <support/color/color.h>
#include <support/projection/projection.h>
#include <support/text/text.h>

#include <GL/freeglut.h>
#include <math.h>

enum { columns = 32, rows = 24, rampSize = 256 };

/* The scene: the box -180..180 both ways, widened by reshapeOrtho to the
 * window's shape: x from -240 to 240 at the start, one unit a pixel. */
static const float gridLeft = -220.0f, gridBottom = -150.0f, cell = 12.0f;
static const float barLeft = 180.0f, barWidth = 18.0f;
static const float valueMax = 100.0f; /* values run from 0 to valueMax */

static Color** ramp;

/* A value for every cell: two warm hills on a cool plain, 0 to 100. */
static float valueAt(int column, int row)
{
    const float x = (float)column / columns;
    const float y = (float)row / rows;
    const float hill = expf(-((x - 0.3f) * (x - 0.3f) + (y - 0.6f) * (y - 0.6f)) * 12.0f);
    const float ridge = expf(-((x - 0.75f) * (x - 0.75f) * 20.0f + (y - 0.3f) * (y - 0.3f) * 6.0f));
    const float value = valueMax * (0.9f * hill + 0.7f * ridge + 0.05f * sinf(9.0f * x));
    return value < 0.0f ? 0.0f : value > valueMax ? valueMax : value;
}

/* The ramp's colour for a value: entry 0 for 0, entry 255 for valueMax. */
static const Color* colourOf(float value)
{
    return ramp[(int)(value / valueMax * (rampSize - 1) + 0.5f)];
}

static void drawGrid(void)
{
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const float x = gridLeft + (float)column * cell;
            const float y = gridBottom + (float)row * cell;
            glColor4fv(colourOf(valueAt(column, row)));
            glRectf(x, y, x + cell, y + cell);
        }
    }
}

/* The legend: the ramp's 256 colours bottom to top, numbers right of it. */
static void drawColourBar(void)
{
    const float height = rows * cell;
    const float step = height / (rampSize - 1);
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < rampSize; ++i) {
        glColor4fv(ramp[i]);
        glVertex2f(barLeft, gridBottom + step * (float)i);
        glVertex2f(barLeft + barWidth, gridBottom + step * (float)i);
    }
    glEnd();
    glColor4fv(colorWhite());
    setTextAlignment(alignLeft);
    for (int tick = 0; tick <= 4; ++tick) { /* 0, 25, 50, 75, 100 */
        const float value = valueMax * (float)tick / 4.0f;
        setTextAnchor(barLeft + barWidth, gridBottom + height * value / valueMax, 0.0f);
        drawWindowLine(0, 0, 4, 0); /* a tick, in pixels from the anchor */
        setTextOffset(8.0f, 5.0f, 0.0f);
        drawTextInFont(boldFont, "%.0f", (double)value);
    }
}

static void display(void)
{
    glClearColor(0.10f, 0.10f, 0.12f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    drawGrid();
    drawColourBar();
    glColor4fv(colorGrey75());
    setTextAnchor(gridLeft, gridBottom + rows * cell, 0.0f);
    setTextOffset(0.0f, -10.0f, 0.0f);
    drawTextInFont(boldFont, "Temperature, %d x %d cells", columns, rows);
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
    ramp = makeRainbowRamp(); /* 256 colours from the heap, ours to free */
    if (ramp == NULL) {
        return 1;
    }
    glutInit(&argc, argv);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(480, 360);
    glutInitWindowPosition(50, 50);
    glutCreateWindow("Vestrane heatmap");
    setOrthoBox(-180.0f, 180.0f, -180.0f, 180.0f, -1.0f, 1.0f);
    glutReshapeFunc(reshapeOrtho);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    freeRamp(ramp);
    return 0;
}
