/*
 * pixel_read.cpp - pixels of the current window read as they are, with the
 * caller's pixel-pack and pixel-transfer settings put back.
 *
 * Depends on: OpenGL (glReadPixels), gl_state.h (the context's version,
 * the settings saved, set and put back).
 */
#include "support/pixel_read.h"

#include "support/gl_state.h"

#include <GL/glext.h>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// State: the settings that shape what glReadPixels delivers, with the values
// under which it delivers the stored pixels, tightly packed.
// ---------------------------------------------------------------------------

constexpr StoreSetting packSettings[] = {
    {GL_PACK_SWAP_BYTES, GL_FALSE}, {GL_PACK_LSB_FIRST, GL_FALSE}, {GL_PACK_ROW_LENGTH, 0},
    {GL_PACK_SKIP_ROWS, 0},         {GL_PACK_SKIP_PIXELS, 0},      {GL_PACK_ALIGNMENT, 1}};

constexpr TransferSetting transferSettings[] = {
    {GL_MAP_COLOR, 0.0f},  {GL_RED_SCALE, 1.0f},   {GL_GREEN_SCALE, 1.0f},
    {GL_BLUE_SCALE, 1.0f}, {GL_RED_BIAS, 0.0f},    {GL_GREEN_BIAS, 0.0f},
    {GL_BLUE_BIAS, 0.0f},  {GL_DEPTH_SCALE, 1.0f}, {GL_DEPTH_BIAS, 0.0f}};

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

bool packBufferBound()
{
    if (contextGlVersion() < 21)
        return false;
    GLint bound = 0;
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &bound);
    return bound != 0;
}

void readPlain(int x, int y, int width, int height, GLenum format, GLenum type, void* pixels)
{
    const auto pack = setPixelSettings(packSettings);
    const auto transfer = setPixelSettings(transferSettings);
    glReadPixels(x, y, width, height, format, type, pixels);
    putBack(transfer);
    putBack(pack);
}

}  // namespace vestrane::detail
