/*
 * gl_state.cpp - GL state set for a while and put back, by query.
 *
 * Depends on: OpenGL 1.1 (glGetString, glIsEnabled, glEnable,
 * glEnableClientState, glBlendFunc, glPixelStorei, glPixelTransferf and
 * their queries) and 1.4 (glBlendFuncSeparate, where the context has it),
 * the C library (strtol).
 */
#define GL_GLEXT_PROTOTYPES 1
#include "support/gl_state.h"

#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

// The arrays that glEnableClientState switches, which glEnable refuses.
bool isClientArray(GLenum capability)
{
    switch (capability) {
    case GL_VERTEX_ARRAY:
    case GL_TEXTURE_COORD_ARRAY:
    case GL_COLOR_ARRAY:
    case GL_NORMAL_ARRAY:
    case GL_INDEX_ARRAY:
    case GL_EDGE_FLAG_ARRAY:
    case GL_SECONDARY_COLOR_ARRAY:
    case GL_FOG_COORD_ARRAY: return true;
    default: return false;
    }
}

void setCapability(GLenum capability, bool on)
{
    if (isClientArray(capability))
        on ? glEnableClientState(capability) : glDisableClientState(capability);
    else
        on ? glEnable(capability) : glDisable(capability);
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

int glVersionOf(const char* version)
{
    if (version == nullptr)
        return 11;
    char* end = nullptr;
    const long major = std::strtol(version, &end, 10);
    const long minor = *end == '.' ? std::strtol(end + 1, nullptr, 10) : 0;
    return static_cast<int>(std::min(major, 9L) * 10 + std::min(minor, 9L));
}

int contextGlVersion()
{
    return glVersionOf(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
}

CapabilitySwitch switchCapability(GLenum capability, bool on)
{
    CapabilitySwitch change{capability, on, (glIsEnabled(capability) == GL_TRUE) != on};
    if (change.switched)
        setCapability(capability, on);
    return change;
}

void putBack(const CapabilitySwitch& saved)
{
    if (saved.switched)
        setCapability(saved.capability, !saved.on);
}

SavedBlendFunction replaceBlendFunction(int version, GLenum source, GLenum target)
{
    SavedBlendFunction saved;
    saved.separate = version >= 14;
    std::array<GLint, 4> caller{GL_ONE, GL_ZERO, GL_ONE, GL_ZERO};
    glGetIntegerv(saved.separate ? GL_BLEND_SRC_RGB : GL_BLEND_SRC, caller.data());
    glGetIntegerv(saved.separate ? GL_BLEND_DST_RGB : GL_BLEND_DST, &caller[1]);
    if (saved.separate) {
        glGetIntegerv(GL_BLEND_SRC_ALPHA, &caller[2]);
        glGetIntegerv(GL_BLEND_DST_ALPHA, &caller[3]);
    } else {
        caller[2] = caller[0];
        caller[3] = caller[1];
    }
    saved.source = static_cast<GLenum>(caller[0]);
    saved.target = static_cast<GLenum>(caller[1]);
    saved.alphaSource = static_cast<GLenum>(caller[2]);
    saved.alphaTarget = static_cast<GLenum>(caller[3]);
    saved.changed = saved.source != source || saved.target != target ||
                    saved.alphaSource != source || saved.alphaTarget != target;
    if (saved.changed)
        glBlendFunc(source, target);
    return saved;
}

void putBack(const SavedBlendFunction& saved)
{
    if (!saved.changed)
        return;
    if (saved.separate)
        glBlendFuncSeparate(saved.source, saved.target, saved.alphaSource, saved.alphaTarget);
    else
        glBlendFunc(saved.source, saved.target);
}

void queryPixelSetting(StoreSetting& setting)
{
    glGetIntegerv(setting.name, &setting.value);
}

void queryPixelSetting(TransferSetting& setting)
{
    glGetFloatv(setting.name, &setting.value);
}

void applyPixelSetting(const StoreSetting& setting)
{
    glPixelStorei(setting.name, setting.value);
}

void applyPixelSetting(const TransferSetting& setting)
{
    glPixelTransferf(setting.name, setting.value);
}

}  // namespace vestrane::detail
