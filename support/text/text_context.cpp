/*
 * text_context.cpp - which GL context is current, and the text resources
 * kept for each.
 *
 * Depends on: GLX (the current context and drawable), EGL when the
 * program uses it (the current context and draw surface, looked up in the
 * EGL the program loaded: a program that never loaded EGL has no EGL
 * context), glut_platform.h (the current GLUT window, for the tests). The
 * kind of a new context is read by currentContextKind().
 */
#include "support/text/text_context.h"

#include "support/text/glut_platform.h"

#include <GL/glx.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace vestrane::detail {

namespace {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

std::vector<std::unique_ptr<TextContext>> contexts;
// The latest context used: most texts follow one another in one context.
TextContext* lastUsed = nullptr;

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

using EglGetCurrent = void* (*)();
using EglGetCurrentSurface = void* (*)(int);
constexpr int eglDraw = 0x3059;  // EGL_DRAW

// EGL's current context and draw surface, once the program has loaded EGL:
// toolkits load it privately (RTLD_LOCAL), so they are looked up in the
// loaded library itself, never loading it here.
struct EglCurrent {
    EglGetCurrent context = nullptr;
    EglGetCurrentSurface surface = nullptr;
};

const EglCurrent& eglCurrentFunctions()
{
    static EglCurrent functions;
    if (functions.context == nullptr) {
        if (void* const egl = dlopen("libEGL.so.1", RTLD_LAZY | RTLD_NOLOAD); egl != nullptr) {
            functions.surface =
                reinterpret_cast<EglGetCurrentSurface>(dlsym(egl, "eglGetCurrentSurface"));
            functions.context = reinterpret_cast<EglGetCurrent>(dlsym(egl, "eglGetCurrentContext"));
            dlclose(egl);  // the program keeps it loaded
        }
    }
    return functions;
}

// The current context and the drawable it draws to: GLX's, else EGL's.
struct CurrentContext {
    const void* handle = nullptr;
    std::uintptr_t drawable = 0;  // an X drawable, or an EGL surface's address
};

CurrentContext currentContext()
{
    if (const void* glx = glXGetCurrentContext(); glx != nullptr)
        return {glx, static_cast<std::uintptr_t>(glXGetCurrentDrawable())};
    const EglCurrent& egl = eglCurrentFunctions();
    if (egl.context == nullptr || egl.surface == nullptr)
        return {};
    return {egl.context(), reinterpret_cast<std::uintptr_t>(egl.surface(eglDraw))};
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

TextContext* currentTextContext()
{
    const CurrentContext current = currentContext();
    if (current.handle == nullptr)
        return nullptr;
    if (lastUsed != nullptr && lastUsed->handle == current.handle &&
        lastUsed->drawable == current.drawable)
        return lastUsed;
    const auto known = std::find_if(contexts.begin(), contexts.end(), [&](const auto& context) {
        return context->handle == current.handle && context->drawable == current.drawable;
    });
    if (known != contexts.end())
        return lastUsed = known->get();
    try {
        auto context = std::make_unique<TextContext>();
        context->handle = current.handle;
        context->drawable = current.drawable;
        context->glutWindow = currentGlutWindow();
        context->kind = currentContextKind();
        context->atlas.largestPage = std::min(context->kind.largestTexture, 4096);
        contexts.push_back(std::move(context));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return lastUsed = contexts.back().get();
}

void releaseCurrentTextContext(void (*release)(TextContext&))
{
    const void* const handle = currentContext().handle;
    if (handle == nullptr)
        return;
    for (auto& context : contexts)
        if (context->handle == handle)
            release(*context);
    lastUsed = nullptr;
    contexts.erase(std::remove_if(contexts.begin(), contexts.end(),
                                  [&](const auto& known) { return known->handle == handle; }),
                   contexts.end());
}

unsigned int ownFontsAt(TextContext& context, int scale,
                        unsigned int (*build)(const TextContext& context, int scale))
{
    if (scale < 1 || scale > maxTextScale)
        return 0;
    const auto index = static_cast<std::size_t>(scale - 1);
    if (!context.ownFontsBuilt[index]) {
        context.ownFontsBuilt[index] = true;
        context.ownFonts[index] = build(context, scale);
    }
    return context.ownFonts[index];
}

const TextContext* glutWindowTextContext(int window)
{
    for (auto context = contexts.rbegin(); context != contexts.rend(); ++context)
        if ((*context)->glutWindow == window)
            return context->get();
    return nullptr;
}

int glyphPageCount(int window)
{
    const TextContext* const context = glutWindowTextContext(window);
    return context != nullptr ? openPageCount(context->atlas) : 0;
}

}  // namespace vestrane::detail
