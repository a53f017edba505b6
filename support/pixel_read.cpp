/*
 * pixel_read.cpp - pixels of the current window read as they are, with the
 * caller's pixel-pack and pixel-transfer settings put back.
 *
 * Depends on: OpenGL (glReadPixels, glPixelStorei, glPixelTransferf), the
 * C library (strtol).
 */
#include "support/pixel_read.h"

#include <cstdlib>
#include <iterator>

#ifndef GL_PIXEL_PACK_BUFFER_BINDING
#define GL_PIXEL_PACK_BUFFER_BINDING 0x88ED
#endif

namespace pixel_read {

namespace {

// ---------------------------------------------------------------------------
// State: the settings that shape what glReadPixels delivers, with the values
// under which it delivers the stored pixels, tightly packed.
// ---------------------------------------------------------------------------

struct PackSetting {
    GLenum name;
    GLint plain;
};

constexpr PackSetting packSettings[] = {
    {GL_PACK_SWAP_BYTES, GL_FALSE}, {GL_PACK_LSB_FIRST, GL_FALSE}, {GL_PACK_ROW_LENGTH, 0},
    {GL_PACK_SKIP_ROWS, 0},         {GL_PACK_SKIP_PIXELS, 0},      {GL_PACK_ALIGNMENT, 1}};

struct TransferSetting {
    GLenum name;
    GLfloat plain;
};

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
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr)
        return false;
    char* end = nullptr;
    const long major = std::strtol(version, &end, 10);
    const long minor = *end == '.' ? std::strtol(end + 1, nullptr, 10) : 0;
    if (major < 2 || (major == 2 && minor < 1))
        return false;
    GLint bound = 0;
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &bound);
    return bound != 0;
}

void readPlain(int x, int y, int width, int height, GLenum format, GLenum type, void* pixels)
{
    GLint savedPack[std::size(packSettings)];
    GLfloat savedTransfer[std::size(transferSettings)];
    for (std::size_t i = 0; i < std::size(packSettings); ++i) {
        glGetIntegerv(packSettings[i].name, &savedPack[i]);
        glPixelStorei(packSettings[i].name, packSettings[i].plain);
    }
    for (std::size_t i = 0; i < std::size(transferSettings); ++i) {
        glGetFloatv(transferSettings[i].name, &savedTransfer[i]);
        glPixelTransferf(transferSettings[i].name, transferSettings[i].plain);
    }
    glReadPixels(x, y, width, height, format, type, pixels);
    for (std::size_t i = 0; i < std::size(transferSettings); ++i) {
        glPixelTransferf(transferSettings[i].name, savedTransfer[i]);
    }
    for (std::size_t i = 0; i < std::size(packSettings); ++i) {
        glPixelStorei(packSettings[i].name, savedPack[i]);
    }
}

}  // namespace pixel_read
