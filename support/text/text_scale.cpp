/*
 * text_scale.cpp - the automatic text scale: from the environment, from the
 * desktop's Xft.dpi resource, or from the screen's physical size.
 *
 * Depends on: GLX (the current context's display), Xlib (the resource
 * string read when the display was opened), glut_platform.h (GLUT's state
 * and the screen size), the C library (getenv). Outside GLUT only the
 * environment variable counts.
 */
#include "support/text/text_scale.h"

#include "support/text/glut_platform.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

// The dots per inch at which text is drawn at scale 1.
constexpr double baseDpi = 96.0;
constexpr char xftDpiName[] = "Xft.dpi";

// ---------------------------------------------------------------------------
// Internal helpers
// ---------------------------------------------------------------------------

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* skipBlanks(const char* text)
{
    while (isBlank(*text))
        ++text;
    return text;
}

bool isLineEnd(char c)
{
    return c == '\0' || c == '\n';
}

// The number of a resource value that runs from `text` to the end of its
// line: digits, optionally a '.' and more digits, blanks around. Read by
// hand, so that the program's locale has no say in the decimal point.
// 0 when the value is anything else.
double dpiValue(const char* text)
{
    text = skipBlanks(text);
    double value = 0.0;
    bool digits = false;
    for (; isDigit(*text); ++text, digits = true)
        value = value * 10.0 + (*text - '0');
    if (*text == '.') {
        double unit = 0.1;
        for (++text; isDigit(*text); ++text, unit /= 10.0, digits = true)
            value += (*text - '0') * unit;
    }
    text = skipBlanks(text);
    return digits && isLineEnd(*text) && std::isfinite(value) ? value : 0.0;
}

// The Xft.dpi resource of the display, 0 when it has none usable.
double displayDpi(Display* display)
{
    return display != nullptr ? xftDpiOf(XResourceManagerString(display)) : 0.0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

int scaleFromVariable(const char* value)
{
    if (value == nullptr)
        return 0;
    const char* text = skipBlanks(value);
    int scale = 0;
    bool digits = false;
    for (; isDigit(*text) && scale <= maxTextScale; ++text, digits = true)
        scale = scale * 10 + (*text - '0');
    text = skipBlanks(text);
    return digits && *text == '\0' && scale >= 1 && scale <= maxTextScale ? scale : 0;
}

double xftDpiOf(const char* resources)
{
    if (resources == nullptr)
        return 0.0;
    constexpr std::size_t nameLength = sizeof xftDpiName - 1;
    double dpi = 0.0;
    for (const char* line = resources; *line != '\0';) {
        const char* const name = skipBlanks(line);
        if (std::strncmp(name, xftDpiName, nameLength) == 0) {
            const char* const colon = skipBlanks(name + nameLength);
            if (*colon == ':')
                dpi = dpiValue(colon + 1);
        }
        line = std::strchr(line, '\n');
        if (line == nullptr)
            break;
        ++line;
    }
    return dpi;
}

int scaleFromDpi(double dpi)
{
    if (!(dpi > 0.0) || !std::isfinite(dpi))
        return 0;
    const double ratio = dpi / baseDpi;
    if (ratio >= maxTextScale)
        return maxTextScale;
    return std::max(1, static_cast<int>(std::lround(ratio)));
}

int automaticTextScale()
{
    if (const int scale = scaleFromVariable(std::getenv(scaleVariable)); scale != 0)
        return scale;
    if (!glutReady())
        return 1;
    if (const int scale = scaleFromDpi(displayDpi(glXGetCurrentDisplay())); scale != 0)
        return scale;
    if (const int scale = scaleFromDpi(glutScreenDpi()); scale != 0)
        return scale;
    return 1;
}

}  // namespace vestrane::detail
