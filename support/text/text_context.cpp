/*
 * text_context.cpp - which GL context is current, and the text resources
 * kept for each.
 *
 * Depends on: GLX (glXGetCurrentContext), EGL when the program uses it
 * (eglGetCurrentContext, looked up in the process: a program that never
 * loaded EGL has no EGL context), glut_platform.h (the current GLUT
 * window). The kind of a new context is read by currentContextKind().
 */
#include "support/text/text_context.h"

#include "support/text/glut_platform.h"

#include <GL/glx.h>
#include <dlfcn.h>

#include <algorithm>
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

using EglGetCurrentContext = void* (*)();

// eglGetCurrentContext, once the program has loaded EGL: toolkits load it
// privately (RTLD_LOCAL), so it is looked up in the loaded library itself,
// never loading it here.
EglGetCurrentContext eglCurrentContextFunction()
{
    static EglGetCurrentContext function = nullptr;
    if (function == nullptr) {
        if (void* const egl = dlopen("libEGL.so.1", RTLD_LAZY | RTLD_NOLOAD); egl != nullptr) {
            function = reinterpret_cast<EglGetCurrentContext>(dlsym(egl, "eglGetCurrentContext"));
            dlclose(egl);  // the program keeps it loaded
        }
    }
    return function;
}

// The current EGL context, when the program has EGL loaded.
const void* currentEglContext()
{
    const EglGetCurrentContext getCurrent = eglCurrentContextFunction();
    return getCurrent != nullptr ? getCurrent() : nullptr;
}

const void* currentHandle()
{
    if (const void* glx = glXGetCurrentContext(); glx != nullptr)
        return glx;
    return currentEglContext();
}

}  // namespace

// ---------------------------------------------------------------------------
// Internal interface
// ---------------------------------------------------------------------------

TextContext* currentTextContext(bool make)
{
    const void* const handle = currentHandle();
    if (handle == nullptr)
        return nullptr;
    const int window = currentGlutWindow();
    if (lastUsed != nullptr && lastUsed->handle == handle && lastUsed->glutWindow == window)
        return lastUsed;
    const auto known = std::find_if(contexts.begin(), contexts.end(), [&](const auto& context) {
        return context->handle == handle && context->glutWindow == window;
    });
    if (known != contexts.end())
        return lastUsed = known->get();
    if (!make)
        return nullptr;
    try {
        auto context = std::make_unique<TextContext>();
        context->handle = handle;
        context->glutWindow = window;
        context->kind = currentContextKind();
        context->atlas.largestPage = std::min(context->kind.largestTexture, 4096);
        contexts.push_back(std::move(context));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return lastUsed = contexts.back().get();
}

void forgetTextContext(const TextContext* context)
{
    if (context == lastUsed)
        lastUsed = nullptr;
    contexts.erase(std::remove_if(contexts.begin(), contexts.end(),
                                  [&](const auto& known) { return known.get() == context; }),
                   contexts.end());
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
