/*
 * values.cpp - the values window "Valeurs": the sweeping light's position
 * and the turning light's angle, printed in white on black after every
 * frame of the main window.
 *
 * Depends on: OpenGL, GLUT, the colour library, the anchored text, the
 * window-pixel reshape of the projection module, animation.h (the same
 * light formulas as the scene), scene.h (frame count).
 *
 * Coordinates are window pixels with y running from 0 at the top edge down
 * to -height, so the lines keep their place under the top edge whatever
 * the window's height.
 */
#include "demo/animation.h"
#include "demo/scene.h"
#include "support/color/color.h"
#include "support/projection/projection.h"
#include "support/text/text.h"

#include <GL/glut.h>

namespace {

constexpr float textLeft = 5.0f;
constexpr float lineSpacing = 20.0f;

/* Anchors the next line, lines counted from 1 under the top edge. */
void anchorLine(int line)
{
    setTextAnchor(textLeft, -static_cast<float>(line) * lineSpacing, 0.0f);
}

}  // namespace

void displayValues(void)
{
    const int frame = getFrameCount();
    const float lightX = sweepingLightX(frame);
    const float angle = turningAngle(frame);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glPushMatrix();
    glColor4fv(colorWhite()); /* before the anchors: they fix the text colour */
    anchorLine(1);
    drawText(1, boldFont, "POSITION : %7.3f %6.3f %6.3f", static_cast<double>(lightX), 0.0, 10.0);
    anchorLine(2);
    drawText(1, boldFont, "ANGLE    : %6.3f", static_cast<double>(angle));
    glPopMatrix();
    glutSwapBuffers();
}

void reshapeValues(int width, int height)
{
    reshapeWindowPixels(width, height);
}
