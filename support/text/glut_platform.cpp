/*
 * glut_platform.cpp - GLUT's window identity, bitmap fonts and screen size
 * for text, asked only once GLUT is initialised.
 *
 * Depends on: freeglut (glutGet(GLUT_INIT_STATE) is the one call it
 * answers before glutInit).
 */
#include "support/text/glut_platform.h"

#include <GL/freeglut.h>

namespace vestrane::detail {

bool glutReady()
{
    return glutGet(GLUT_INIT_STATE) != 0;
}

int currentGlutWindow()
{
    return glutReady() ? glutGetWindow() : 0;
}

void drawGlutCharacters(void* font, const char* text)
{
    if (!glutReady())
        return;
    if (font == nullptr)
        font = GLUT_BITMAP_8_BY_13;
    for (const char* byte = text; *byte != '\0'; ++byte)
        if (static_cast<unsigned char>(*byte) <= 127)
            glutBitmapCharacter(font, static_cast<unsigned char>(*byte));
}

int glutCharactersWidth(void* font, const char* text)
{
    if (!glutReady())
        return 0;
    if (font == nullptr)
        font = GLUT_BITMAP_8_BY_13;
    int width = 0;
    for (const char* byte = text; *byte != '\0'; ++byte)
        if (static_cast<unsigned char>(*byte) <= 127)
            width += glutBitmapWidth(font, static_cast<unsigned char>(*byte));
    return width;
}

double glutScreenDpi()
{
    if (!glutReady())
        return 0.0;
    const int pixels = glutGet(GLUT_SCREEN_WIDTH);
    const int millimetres = glutGet(GLUT_SCREEN_WIDTH_MM);
    if (pixels <= 0 || millimetres <= 0)
        return 0.0;
    return pixels * 25.4 / millimetres;
}

}  // namespace vestrane::detail
