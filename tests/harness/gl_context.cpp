/*
 * gl_context.cpp - GLFW windows with a chosen kind of GL context, for tests
 *                  of code that must work in any current context
 *
 * Depends on: GLFW 3.3 (its GLX and EGL back ends; every GL function is
 * looked up with glfwGetProcAddress), GLX (to let go of GLUT's context),
 * GoogleTest (failures), the harness's wait.h.
 */
#include "tests/harness/gl_context.h"

#include "tests/harness/wait.h"

#include <GL/glx.h>

#include <cstring>
#include <initializer_list>

namespace {

bool glfwStarted = false;

/* GLFW's last error, as its error callback reported it. */
int lastErrorCode = 0;
std::string lastError;

void noteGlfwError(int code, const char* description)
{
    lastErrorCode = code;
    lastError = "GLFW error " + std::to_string(code) + ": " + description;
}

bool startGlfwOnce()
{
    if (!glfwStarted) {
        glfwSetErrorCallback(noteGlfwError);
        glfwStarted = glfwInit() == GLFW_TRUE;
    }
    return glfwStarted;
}

/* A thread that holds a GLX context (GLUT's) can make no EGL context
 * current, and GLFW crashes creating one then: let go of it first. */
void releaseGlxContext()
{
    if (glXGetCurrentContext() != nullptr) {
        glXMakeCurrent(glXGetCurrentDisplay(), None, nullptr);
    }
}

void setHints(GlContextKind kind, bool debug)
{
    glfwDefaultWindowHints();
    // Shown once placed, and without taking the keyboard focus from the
    // windows of other tests of the process.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUSED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_DEBUG_CONTEXT, debug ? GLFW_TRUE : GLFW_FALSE);
    switch (kind) {
    case GlContextKind::compatibility: break;
    case GlContextKind::core:
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
        break;
    case GlContextKind::es:
        glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
        glfwWindowHint(GLFW_CONTEXT_CREATION_API, GLFW_EGL_CONTEXT_API);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
        break;
    }
}

}  // namespace

const char* nameOf(GlContextKind kind)
{
    switch (kind) {
    case GlContextKind::compatibility: return "compatibility";
    case GlContextKind::core: return "core";
    case GlContextKind::es: return "es";
    }
    return "?";
}

GlContextWindow::GlContextWindow(GlContextKind kind, int width, int height, int x, int y)
    : kind_(kind)
{
    if (!startGlfwOnce()) {
        failure_ = "glfwInit failed: " + lastError;
        return;
    }
    const std::string title = std::string("vestrane-test ") + nameOf(kind);
    if (kind == GlContextKind::es) {
        releaseGlxContext();
    }
    for (const bool debug : {true, false}) {
        setHints(kind, debug);
        lastErrorCode = 0;
        lastError.clear();
        window_ = glfwCreateWindow(width, height, title.c_str(), nullptr, nullptr);
        if (window_ != nullptr) {
            break;
        }
    }
    if (window_ == nullptr) {
        failure_ = std::string("no ") + nameOf(kind) + " context: " + lastError;
        kindUnavailable_ =
            lastErrorCode == GLFW_API_UNAVAILABLE || lastErrorCode == GLFW_VERSION_UNAVAILABLE;
        return;
    }
    // No window manager: the window gets exactly this place and size.
    glfwSetWindowPos(window_, x, y);
    glfwShowWindow(window_);
    const ::testing::AssertionResult shown = waitUntil(
        "the GLFW window \"" + title + "\" to be shown at its size",
        [&] {
            glfwPollEvents();
            int shownWidth = 0;
            int shownHeight = 0;
            glfwGetFramebufferSize(window_, &shownWidth, &shownHeight);
            return glfwGetWindowAttrib(window_, GLFW_VISIBLE) == GLFW_TRUE && shownWidth == width &&
                   shownHeight == height;
        },
        waitLimitMs, 2);
    if (!shown) {
        failure_ = shown.message();
        destroy();
        return;
    }
    makeCurrent();
    glfwSwapInterval(0);
    version_ = glfwGetWindowAttrib(window_, GLFW_CONTEXT_VERSION_MAJOR) * 10 +
               glfwGetWindowAttrib(window_, GLFW_CONTEXT_VERSION_MINOR);
    installErrorRecorder();
}

GlContextWindow::~GlContextWindow()
{
    destroy();
}

void GlContextWindow::installErrorRecorder()
{
    // Desktop GL has the functions from 4.3 or with KHR_debug, under the
    // same names; ES from 3.2, and before that with KHR_debug, suffixed.
    const bool es = kind_ == GlContextKind::es;
    const bool khrDebug = glfwExtensionSupported("GL_KHR_debug") == GLFW_TRUE;
    const char* suffix = nullptr;
    if (es ? version_ >= 32 : version_ >= 43 || khrDebug) {
        suffix = "";
    } else if (es && khrDebug) {
        suffix = "KHR";
    } else {
        return;
    }
    const auto setCallback = function<PFNGLDEBUGMESSAGECALLBACKPROC>(
        (std::string("glDebugMessageCallback") + suffix).c_str());
    const auto control = function<PFNGLDEBUGMESSAGECONTROLPROC>(
        (std::string("glDebugMessageControl") + suffix).c_str());
    const auto enable = function<PFNGLENABLEPROC>("glEnable");
    if (setCallback == nullptr || control == nullptr || enable == nullptr)
        return;
    setCallback(recordMessage, this);
    control(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_TRUE);
    // On in a debug context already; a plain one reports from here on too.
    // Synchronous: each message arrives before the call that caused it
    // returns, on the test's thread.
    enable(GL_DEBUG_OUTPUT);
    enable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    recordsErrors_ = true;
}

void APIENTRY GlContextWindow::recordMessage(GLenum /*source*/, GLenum type, GLuint /*id*/,
                                             GLenum /*severity*/, GLsizei length,
                                             const GLchar* message, const void* userParam)
{
    if (type != GL_DEBUG_TYPE_ERROR) {
        return;
    }
    auto* window = static_cast<GlContextWindow*>(const_cast<void*>(userParam));
    window->debugErrors_.emplace_back(message, length >= 0 ? static_cast<std::size_t>(length)
                                                           : std::strlen(message));
}

void GlContextWindow::makeCurrent()
{
    if (window_ != nullptr) {
        if (kind_ == GlContextKind::es) {
            releaseGlxContext();
        }
        glfwMakeContextCurrent(window_);
    }
}

bool GlContextWindow::isCurrent() const
{
    return window_ != nullptr && glfwGetCurrentContext() == window_;
}

GLFWglproc GlContextWindow::procAddress(const char* name) const
{
    return currentOrFail(name) ? glfwGetProcAddress(name) : nullptr;
}

bool GlContextWindow::currentOrFail(const char* what) const
{
    if (isCurrent()) {
        return true;
    }
    ADD_FAILURE() << what << ": the " << nameOf(kind_) << " window's context is not current";
    return false;
}

std::vector<GLenum> GlContextWindow::drainGlErrors()
{
    std::vector<GLenum> errors;
    const auto getError = function<PFNGLGETERRORPROC>("glGetError");
    // A lost context may say so for ever: a few dozen codes are plenty.
    for (GLenum error = getError != nullptr ? getError() : GL_NO_ERROR;
         error != GL_NO_ERROR && errors.size() < 32; error = getError()) {
        errors.push_back(error);
    }
    return errors;
}

Image GlContextWindow::readBackBuffer()
{
    if (!currentOrFail("readBackBuffer"))
        return {};
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window_, &width, &height);
    return readGlPixels(width, height, GL_BACK);
}

void GlContextWindow::destroy()
{
    if (window_ != nullptr) {
        glfwDestroyWindow(window_);
        window_ = nullptr;
        recordsErrors_ = false;
    }
}

void releaseGlfwEglContext()
{
    GLFWwindow* current = glfwStarted ? glfwGetCurrentContext() : nullptr;
    if (current != nullptr &&
        glfwGetWindowAttrib(current, GLFW_CONTEXT_CREATION_API) == GLFW_EGL_CONTEXT_API) {
        glfwMakeContextCurrent(nullptr);
    }
}

void shutDownGlfw()
{
    if (glfwStarted) {
        glfwTerminate();
        glfwStarted = false;
    }
}
