/*
 * stroke.cpp - printf-style text in GLUT's vector font, inside the scene
 *
 * The text is drawn in the caller's coordinates, so it scales, turns and
 * hides like geometry. Bold, smooth and spacing settings apply for one
 * call; the line width, the blending and line-smoothing switches and the
 * blend function are put back afterwards.
 *
 * Depends on: OpenGL (matrices, glLineWidth), gl_state.h (the switches and
 * the blend function saved and put back), GLUT (glutStrokeCharacter,
 * glutStrokeWidthf, GLUT_STROKE_ROMAN; nothing without glutInit, see
 * glut_platform.h), bounded_format.h.
 */
#include "support/text/text.h"

#include "support/gl_state.h"
#include "support/text/bounded_format.h"
#include "support/text/glut_platform.h"

#include <GL/glut.h>

#include <array>
#include <cstdarg>
#include <cstdio>

/* ---- State ------------------------------------------------------------- */

namespace {

using namespace vestrane::detail;

int strokeBold = 0;
int strokeSmooth = 0;
float strokeSpacing = 0.0f;

/* ---- Internal helpers -------------------------------------------------- */

/* Text size 200 draws the font at its own scale. */
constexpr double scalePerSize = 0.005;
constexpr float boldLineWidth = 2.0f;
constexpr float plainLineWidth = 1.0f;

/* What drawing changes and puts back. */
struct LineState {
    GLfloat width = plainLineWidth;
    CapabilitySwitch blend;
    CapabilitySwitch smooth;
    SavedBlendFunction blendFunction;
};

/* Sets the line state of stroke text; returns the caller's. */
LineState applyStrokeSettings()
{
    LineState saved;
    glGetFloatv(GL_LINE_WIDTH, &saved.width);
    glLineWidth(strokeBold != 0 ? boldLineWidth : plainLineWidth);
    if (strokeSmooth != 0)
        saved.blendFunction =
            replaceBlendFunction(contextGlVersion(), GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    saved.blend = switchCapability(GL_BLEND, strokeSmooth != 0);
    saved.smooth = switchCapability(GL_LINE_SMOOTH, strokeSmooth != 0);
    return saved;
}

void restoreLineState(const LineState& saved)
{
    putBack(saved.smooth);
    putBack(saved.blend);
    putBack(saved.blendFunction);
    glLineWidth(saved.width);
}

float strokeScale(float size)
{
    return static_cast<float>(size * scalePerSize);
}

/* GLUT advances past each character by its stroke width; the spacing comes
 * after. */
void drawCharacters(const char* text)
{
    for (const char* c = text; *c != '\0'; ++c) {
        glutStrokeCharacter(GLUT_STROKE_ROMAN, static_cast<signed char>(*c));
        glTranslatef(strokeSpacing, 0.0f, 0.0f);
    }
}

/* How far drawCharacters moves the pen, in stroke-font units. */
float charactersWidth(const char* text)
{
    float width = 0.0f;
    for (const char* c = text; *c != '\0'; ++c)
        width += glutStrokeWidthf(GLUT_STROKE_ROMAN, static_cast<signed char>(*c)) + strokeSpacing;
    return width;
}

}  // namespace

/* ---- Public functions -------------------------------------------------- */

void setStrokeBold(int on)
{
    strokeBold = on;
}
void setStrokeSmooth(int on)
{
    strokeSmooth = on;
}
void setStrokeSpacing(float spacing)
{
    strokeSpacing = spacing;
}
int getStrokeBold(void)
{
    return strokeBold;
}
int getStrokeSmooth(void)
{
    return strokeSmooth;
}
float getStrokeSpacing(void)
{
    return strokeSpacing;
}

void drawStrokeText(float x, float y, float size, const char* format, ...)
{
    if (!glutReady())
        return;  // GLUT's stroke font is GLUT's: nothing to draw without it
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);

    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    const float scale = strokeScale(size);
    glScalef(scale, scale, scale);
    const LineState saved = applyStrokeSettings();
    drawCharacters(text.data());
    restoreLineState(saved);
    glPopMatrix();
}

float strokeTextWidth(float size, const char* format, ...)
{
    if (!glutReady())
        return 0.0f;
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);
    return strokeScale(size) * charactersWidth(text.data());
}
