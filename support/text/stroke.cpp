/*
 * stroke.cpp - printf-style text in GLUT's vector font, inside the scene
 *
 * The text is drawn in the caller's coordinates, so it scales, turns and
 * hides like geometry. Bold, smooth and spacing settings apply for one
 * call; the line width and the blending and line-smoothing switches are
 * put back afterwards.
 *
 * Depends on: OpenGL (matrices, glLineWidth, blending, line smoothing),
 * GLUT (glutStrokeCharacter, glutStrokeWidthf, GLUT_STROKE_ROMAN),
 * bounded_format.h.
 */
#include "support/text/text.h"

#include "support/text/bounded_format.h"

#include <GL/glut.h>

#include <array>
#include <cstdarg>
#include <cstdio>

/* ---- State ------------------------------------------------------------- */

namespace {

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
    GLfloat width;
    GLboolean blend;
    GLboolean smooth;
};

LineState currentLineState()
{
    LineState state{};
    glGetFloatv(GL_LINE_WIDTH, &state.width);
    glGetBooleanv(GL_BLEND, &state.blend);
    glGetBooleanv(GL_LINE_SMOOTH, &state.smooth);
    return state;
}

void setSwitch(GLenum capability, bool on)
{
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

void applyStrokeSettings()
{
    glLineWidth(strokeBold != 0 ? boldLineWidth : plainLineWidth);
    if (strokeSmooth != 0) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    setSwitch(GL_BLEND, strokeSmooth != 0);
    setSwitch(GL_LINE_SMOOTH, strokeSmooth != 0);
}

void restoreLineState(const LineState& saved)
{
    setSwitch(GL_BLEND, saved.blend == GL_TRUE);
    setSwitch(GL_LINE_SMOOTH, saved.smooth == GL_TRUE);
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
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);

    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    const float scale = strokeScale(size);
    glScalef(scale, scale, scale);
    const LineState saved = currentLineState();
    applyStrokeSettings();
    drawCharacters(text.data());
    restoreLineState(saved);
    glPopMatrix();
}

float strokeTextWidth(float size, const char* format, ...)
{
    TextBuffer text;
    FORMAT_CALLER_ARGUMENTS(text, format);
    return strokeScale(size) * charactersWidth(text.data());
}
