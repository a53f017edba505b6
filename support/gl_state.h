/*
 * gl_state.h - GL state set for a while and put back, by query (internal, C++).
 *
 * Depends on: OpenGL 1.1, <array>, <cstddef>. Defined in gl_state.cpp; used
 * by pixel_read.cpp, text/fonts.cpp, text/stroke.cpp and
 * text/glyph_pages.cpp.
 *
 * An entry that draws or reads leaves the caller's GL state as it found it.
 * These primitives save what they change by query rather than through the
 * attribute stacks, which the caller may have filled and which copy whole
 * groups of state, and they set only what differs from what is wanted. Each
 * setter returns what it saved; putBack() restores exactly what the setter
 * changed, and does nothing for a value-initialised saved state.
 */
#ifndef VESTRANE_SUPPORT_GL_STATE_H
#define VESTRANE_SUPPORT_GL_STATE_H

#include <GL/gl.h>

#include <array>
#include <cstddef>

namespace vestrane::detail {

// ---------------------------------------------------------------------------
// The context
// ---------------------------------------------------------------------------

/* A GL_VERSION string ("major.minor[.release] [vendor text]") as major x 10
 * + minor, each at most 9: "2.1 Mesa" gives 21; 11, the oldest GL, for
 * NULL. */
[[nodiscard]] int glVersionOf(const char* version);

/* The GL version of the current context, as glVersionOf gives it. */
[[nodiscard]] int contextGlVersion();

// ---------------------------------------------------------------------------
// Capabilities
// ---------------------------------------------------------------------------

/* A capability (glEnable) or client array (glEnableClientState) as set, and
 * whether it was the other way before. */
struct CapabilitySwitch {
    GLenum capability = 0;
    bool on = false;
    bool switched = false;
};

/* Switches `capability`, client arrays included, on or off where it is not
 * so already. */
[[nodiscard]] CapabilitySwitch switchCapability(GLenum capability, bool on);
void putBack(const CapabilitySwitch& saved);

// ---------------------------------------------------------------------------
// Blend function
// ---------------------------------------------------------------------------

/* The source and destination factors before a change, for colour and for
 * alpha (which glBlendFuncSeparate, GL 1.4, sets apart), whether the
 * context has separate factors, and whether there was a change. */
struct SavedBlendFunction {
    GLenum source = GL_ONE;
    GLenum target = GL_ZERO;
    GLenum alphaSource = GL_ONE;
    GLenum alphaTarget = GL_ZERO;
    bool separate = false;
    bool changed = false;
};

/* Sets the factors (for colour and alpha alike) where any of the caller's
 * differs; `version` is the context's GL version (major x 10 + minor), which
 * tells whether it has separate alpha factors to keep. */
[[nodiscard]] SavedBlendFunction replaceBlendFunction(int version, GLenum source, GLenum target);
void putBack(const SavedBlendFunction& saved);

// ---------------------------------------------------------------------------
// Pixel-store and pixel-transfer settings
// ---------------------------------------------------------------------------

/* A pixel-store setting (GLint: glPixelStorei) or a pixel-transfer one
 * (GLfloat: glPixelTransferf), and its value. */
template <typename Value>
struct PixelSetting {
    GLenum name;
    Value value;
};
using StoreSetting = PixelSetting<GLint>;
using TransferSetting = PixelSetting<GLfloat>;

/* The caller's values of the settings a call changed, first `count`. */
template <typename Value, std::size_t Count>
struct SavedPixelSettings {
    std::array<PixelSetting<Value>, Count> changed{};
    std::size_t count = 0;
};

/* Reads the current value of setting.name into setting.value; gives
 * setting.name setting.value. */
void queryPixelSetting(StoreSetting& setting);
void queryPixelSetting(TransferSetting& setting);
void applyPixelSetting(const StoreSetting& setting);
void applyPixelSetting(const TransferSetting& setting);

/* Gives every setting its value, where it has another. */
template <typename Value, std::size_t Count>
[[nodiscard]] SavedPixelSettings<Value, Count>
setPixelSettings(const PixelSetting<Value> (&settings)[Count])
{
    SavedPixelSettings<Value, Count> saved;
    for (const PixelSetting<Value>& setting : settings) {
        PixelSetting<Value> current{setting.name, setting.value};
        queryPixelSetting(current);
        if (current.value != setting.value) {
            applyPixelSetting(setting);
            saved.changed[saved.count++] = current;
        }
    }
    return saved;
}

template <typename Value, std::size_t Count>
void putBack(const SavedPixelSettings<Value, Count>& saved)
{
    for (std::size_t i = 0; i < saved.count; ++i)
        applyPixelSetting(saved.changed[i]);
}

}  // namespace vestrane::detail

#endif
