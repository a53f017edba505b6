/*
 * gl_context.h - GLFW windows with a chosen kind of GL context, for tests
 *                of code that must work in any current context
 *
 * A window of a given size on the harness's private X server, with an
 * OpenGL compatibility context, a 3.3 core (forward-compatible) one, or an
 * OpenGL ES 3.0 one through EGL, in a process that need not use GLUT.
 * Each context asks for debug output and records the errors it reports, so
 * that a test can say "no GL error" without calling glGetError after every
 * call; its back buffer reads back as the harness's Image.
 *
 * GL functions beyond GL 1.1 come from glfwGetProcAddress while the
 * context is current (function<>() below); the header brings the GL types
 * and enumerants of <GL/glcorearb.h>, whose values ES shares.
 *
 * Depends on: GLFW 3.3 (GLX and EGL contexts), the harness's pixels.h and
 * wait.h.
 */
#ifndef VESTRANE_TEST_GL_CONTEXT_H
#define VESTRANE_TEST_GL_CONTEXT_H

#include "tests/harness/pixels.h"

#define GLFW_INCLUDE_NONE
#include <GL/glcorearb.h>
#include <GLFW/glfw3.h>

#include <string>
#include <vector>

enum class GlContextKind {
    compatibility,  // what a GLFW window gets by default: OpenGL through GLX
    core,           // OpenGL 3.3 core profile, forward-compatible, through GLX
    es,             // OpenGL ES 3.0 through EGL
};

/* "compatibility", "core" or "es". */
const char* nameOf(GlContextKind kind);

class GlContextWindow {
  public:
    /*
     * Opens a window of width x height pixels at screen (x, y) with a
     * context of that kind (a debug context when the driver gives one),
     * waits until it is shown, makes the context current and, where debug
     * output is to be had (GL 4.3, ES 3.2 or KHR_debug), installs the
     * error recorder. Initialises GLFW on first use. Whether it worked:
     * isOpen(), or else failure(); kindUnavailable() when the driver has
     * no context of that kind.
     */
    GlContextWindow(GlContextKind kind, int width, int height, int x = 0, int y = 0);
    ~GlContextWindow();
    GlContextWindow(const GlContextWindow&) = delete;
    GlContextWindow& operator=(const GlContextWindow&) = delete;

    bool isOpen() const
    {
        return window_ != nullptr;
    }
    const std::string& failure() const
    {
        return failure_;
    }
    bool kindUnavailable() const
    {
        return kindUnavailable_;
    }
    GlContextKind kind() const
    {
        return kind_;
    }
    /* The context's version as major * 10 + minor (ES versions too). */
    int version() const
    {
        return version_;
    }
    bool recordsErrors() const
    {
        return recordsErrors_;
    }

    /* Makes this window's context the current one of the calling thread
     * (an es window lets go of a current GLX context first). */
    void makeCurrent();
    bool isCurrent() const;

    /* A GL function of this context by name, cast to its PFN...PROC type.
     * The context must be current. GLX and EGL hand out a stub even for
     * names they do not know: check the version before calling. */
    template <typename Function>
    Function function(const char* name) const
    {
        return reinterpret_cast<Function>(procAddress(name));
    }

    /* The text of each GL_DEBUG_TYPE_ERROR message the context reported
     * since it opened or since clearDebugErrors(), oldest first. */
    const std::vector<std::string>& debugErrors() const
    {
        return debugErrors_;
    }
    void clearDebugErrors()
    {
        debugErrors_.clear();
    }

    /* Calls glGetError until it says GL_NO_ERROR; the codes it gave,
     * oldest first. The context must be current. */
    std::vector<GLenum> drainGlErrors();

    /* The whole default back buffer as drawn so far, top row first (see
     * readGlPixels). The context must be current. */
    Image readBackBuffer();

    /* Destroys the window and its context (no longer current then). */
    void destroy();

  private:
    GLFWglproc procAddress(const char* name) const;
    bool currentOrFail(const char* what) const;
    void installErrorRecorder();
    static void APIENTRY recordMessage(GLenum source, GLenum type, GLuint id, GLenum severity,
                                       GLsizei length, const GLchar* message,
                                       const void* userParam);

    GlContextKind kind_;
    GLFWwindow* window_ = nullptr;
    std::string failure_;
    bool kindUnavailable_ = false;
    int version_ = 0;
    bool recordsErrors_ = false;
    std::vector<std::string> debugErrors_;
};

/* Makes no context current if the current one is a GLFW window's EGL
 * context (an es window's): GLX, and so GLUT, can make no context current
 * on a thread that holds an EGL one (BadAccess). The GLUT functions of the
 * harness call it before GLUT makes a window of its own current; a test
 * that calls glutSetWindow itself after using an es window calls it
 * first. Does nothing in a process that never used GLFW. (The other way
 * round, an es window lets go of a current GLUT context by itself.) */
void releaseGlfwEglContext();

/* Ends GLFW if a GlContextWindow started it (windows still open are
 * destroyed); does nothing in a process that never used GLFW. */
void shutDownGlfw();

#endif
