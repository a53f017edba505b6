/*
 * text_context.h - the text resources of each OpenGL context (internal, C++).
 *
 * Depends on: glyph_pages.h (the atlas of glyphs), text_batch.h (the texts
 * waiting to be drawn), text_scale.h. Defined in text_context.cpp; used by text.cpp and the
 * renderers. Touches no GL state but the queries that tell a new context's
 * kind.
 *
 * Display lists, textures, programs and buffers belong to a GL context, so
 * text keeps one set of resources a context, made on the context's first
 * text and kept until releaseTextContext. A context is known by the native
 * handle of the current context (GLX, else EGL) and the drawable it draws
 * to: a window opened after another was destroyed gets resources of its
 * own even when the system hands it the old context's handle, and a GLFW
 * window beside GLUT's is told from them whatever GLUT's current window
 * is. A context drawing to several windows keeps a set for each, and a
 * release gives back every set of the context.
 *
 * The kind of a context decides its renderer: a compatibility context of
 * any version draws through the fixed-function pipeline; a core-profile
 * context (3.2 or later, or a forward-compatible 3.0 or 3.1, or a 3.1
 * without the compatibility extension) and an OpenGL ES context through
 * the library's shader program.
 */
#ifndef VESTRANE_SUPPORT_TEXT_TEXT_CONTEXT_H
#define VESTRANE_SUPPORT_TEXT_TEXT_CONTEXT_H

#include "support/text/glyph_pages.h"
#include "support/text/text_batch.h"
#include "support/text/text_scale.h"

#include <array>
#include <cstdint>

namespace vestrane::detail {

enum class Renderer { fixedFunction, shader };

/* What a context is, read from it once. */
struct ContextKind {
    Renderer renderer = Renderer::fixedFunction;
    bool es = false;
    int glVersion = 11;  // major x 10 + minor
    int largestTexture = 64;
};

/* The shader renderer's objects in one context. */
struct ShaderObjects {
    unsigned int program = 0;
    unsigned int vertexArray = 0;
    unsigned int buffer = 0;
    bool layoutSet = false;  // the vertex array's attributes point into the buffer
    int frameLocation = -1;
    int modeLocation = -1;
    int pageLocation = -1;
    bool failed = false;  // the program did not build: text draws nothing
};

struct TextContext {
    const void* handle = nullptr;
    std::uintptr_t drawable = 0;
    int glutWindow = 0;  // the GLUT window current when it was made, for the tests
    ContextKind kind;
    // Own fonts per text scale (index scale - 1) for the fixed-function
    // renderer: the first of 4 x 128 display lists.
    std::array<unsigned int, maxTextScale> ownFonts{};
    std::array<bool, maxTextScale> ownFontsBuilt{};
    GlyphAtlas atlas;
    TextBatch batch;
    ShaderObjects shader;
};

/* The resources of the current context, made (empty) on its first use;
 * null when no context is current or there is no memory for them. */
[[nodiscard]] TextContext* currentTextContext();

/* Hands every set of resources of the current context to `release` (which
 * deletes its GL objects), then forgets them. */
void releaseCurrentTextContext(void (*release)(TextContext&));

/* The own fonts' display lists of a text scale in a context, made by `build` on the first call for
 * that scale, even when it makes nothing; 0 for a scale outside 1..8 or when it made nothing. */
[[nodiscard]] unsigned int ownFontsAt(TextContext& context, int scale,
                                      unsigned int (*build)(const TextContext& context, int scale));

/* The resources of GLUT window `window`, for the tests; null when none. */
[[nodiscard]] const TextContext* glutWindowTextContext(int window);

/* How many glyph pages the text resources of GLUT window `window` hold, for
 * the tests; 0 when it has none. */
[[nodiscard]] int glyphPageCount(int window);

/* Reads the kind of the current context (defined with the shader renderer,
 * which knows the later GL versions' queries). */
[[nodiscard]] ContextKind currentContextKind();

}  // namespace vestrane::detail

#endif
