/*
 * vestrane-font-sheet - every code from 32 to 126 of the support library's
 * four own bitmap fonts, in rows of 16 labelled by their first code, with a
 * line of running text in each font to show how its characters join.
 *
 * Keys:
 *   Escape   quit
 *
 * Depends on: GLUT, OpenGL, the support library's anchored text, colours and
 * window-pixel reshape (one unit a pixel, y from 0 at the top edge down).
 */
#include "support/color/color.h"
#include "support/projection/projection.h"
#include "support/text/text.h"

#include <GL/glut.h>

#include <algorithm>
#include <cstdlib>

namespace {

/* ---- Layout ------------------------------------------------------------- */

struct FontPanel {
    int font;
    const char* title;
    const char* sample;  // running text in the font
    int left;            // top-left corner of the panel, in pixels
    int top;
};

constexpr FontPanel panels[] = {
    {boldFont, "boldFont (1)  advance 10", "Vestrane: gjpqy_ 0123 {}!", 12, 12},
    {smallFont, "smallFont (2)  advance 6, f 4, i 3", "f(x) -> 3*x+1  ijklm stu", 366, 12},
    {greekFont, "greekFont (3)  advance 10", "abgdez hqiklmn xoprstu ABC", 12, 222},
    {arrowFont, "arrowFont (4)  advance 8", "fTTTTT  TTTTTF  TtTF  f", 366, 222},
};

constexpr int windowWidth = 720;
constexpr int windowHeight = 432;
constexpr int firstCode = 32;
constexpr int lastCode = 126;
constexpr int codesPerRow = 16;
constexpr int labelWidth = 36;  // row labels, left of the grid
constexpr int cellWidth = 18;
constexpr int rowHeight = 22;
constexpr int titleHeight = 36;  // title baseline to first row's baseline
constexpr int escapeKey = 27;

/* ---- Drawing ------------------------------------------------------------ */

/* Anchors at (x, y) pixels from the window's top-left corner. */
void anchorAt(int x, int y)
{
    setTextAnchor(static_cast<float>(x), static_cast<float>(-y), 0.0f);
}

/* One row of the grid: its label, a faint rule under the descenders, and
 * each code centred in its cell. */
void drawCodeRow(const FontPanel& panel, int rowStart, int baseline)
{
    const int gridLeft = panel.left + labelWidth;
    glColor4fv(colorGrey50());
    anchorAt(panel.left, baseline);
    drawGlutText(GLUT_BITMAP_8_BY_13, "%3d", rowStart);

    glColor4fv(colorGrey25());
    anchorAt(gridLeft, baseline);
    drawWindowLine(0, 4, codesPerRow * cellWidth, 4);

    glColor4fv(colorWhite());
    const int rowEnd = std::min(rowStart + codesPerRow, lastCode + 1);
    for (int code = rowStart; code < rowEnd; ++code) {
        anchorAt(gridLeft + (code - rowStart) * cellWidth + (cellWidth - 8) / 2, baseline);
        drawTextInFont(panel.font, "%c", code);
    }
}

void drawPanel(const FontPanel& panel)
{
    glColor4fv(colorMediumYellow());
    anchorAt(panel.left, panel.top + 15);
    drawGlutText(GLUT_BITMAP_9_BY_15, "%s", panel.title);

    int baseline = panel.top + titleHeight;
    for (int rowStart = firstCode; rowStart <= lastCode; rowStart += codesPerRow) {
        drawCodeRow(panel, rowStart, baseline);
        baseline += rowHeight;
    }

    glColor4fv(colorLightBlue());
    anchorAt(panel.left + labelWidth, baseline + 8);
    drawTextInFont(panel.font, "%s", panel.sample);
}

void displaySheet()
{
    glClearColor(0.08f, 0.09f, 0.12f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (const FontPanel& panel : panels) {
        drawPanel(panel);
    }
    glutSwapBuffers();
}

void keySheet(unsigned char key, int, int)
{
    if (key == escapeKey) {
        std::exit(0);
    }
}

}  // namespace

/* ---- Program entry ------------------------------------------------------ */

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow("Vestrane fonts");
    glutDisplayFunc(displaySheet);
    glutReshapeFunc(reshapeWindowPixels);
    glutKeyboardFunc(keySheet);
    glutMainLoop();
    return 0;
}
