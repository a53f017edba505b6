/*
 * gl_context_test.cpp - the harness's GLFW windows, in a process without
 * GLUT: each kind of context opens as asked, its back buffer reads back
 * the clear colour, its recorder catches a wrong call and nothing in a
 * clean frame; two contexts (GLX and EGL) live side by side. Last, in a
 * process of its own (tests/CMakeLists.txt), an ES window beside GLUT's.
 *
 * Depends on: the harness (gl_context.h, glut_window.h, pixels.h),
 * GoogleTest.
 */
#include "tests/harness/gl_context.h"
#include "tests/harness/glut_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int size = 24;
constexpr GLenum notACapability = 0x1234;

/* Opens a window of that kind; skips the test when the driver has no such
 * context. */
#define OPEN_OR_SKIP(window)                                                                       \
    if ((window).kindUnavailable()) {                                                              \
        GTEST_SKIP() << (window).failure();                                                        \
    }                                                                                              \
    ASSERT_TRUE((window).isOpen()) << (window).failure()

constexpr Rgb steel{51, 102, 153};
constexpr Rgb red{255, 0, 0};
constexpr Rgb blue{0, 0, 255};
constexpr PixelRect whole{0, 0, size, size};

/* Clears the current window to `colour`, or only its top-left corner of
 * corner x corner pixels. */
void clearTo(const GlContextWindow& window, Rgb colour, int corner = size)
{
    window.function<PFNGLSCISSORPROC>("glScissor")(0, size - corner, corner, corner);
    window.function<PFNGLENABLEPROC>("glEnable")(GL_SCISSOR_TEST);
    window.function<PFNGLCLEARCOLORPROC>("glClearColor")(colour.r / 255.0F, colour.g / 255.0F,
                                                         colour.b / 255.0F, 1);
    window.function<PFNGLCLEARPROC>("glClear")(GL_COLOR_BUFFER_BIT);
    window.function<PFNGLDISABLEPROC>("glDisable")(GL_SCISSOR_TEST);
}

/* How many pixels of the region differ from `colour` by more than 1 in a
 * channel (all of them when the image is not size x size). */
int pixelsOtherThan(const Image& image, PixelRect region, Rgb colour)
{
    if (image.width != size || image.height != size) {
        ADD_FAILURE() << "read back " << image.width << " x " << image.height;
        return region.width * region.height;
    }
    return region.width * region.height - countPixels(image, region, [&](Rgb p) {
               return std::abs(p.r - colour.r) <= 1 && std::abs(p.g - colour.g) <= 1 &&
                      std::abs(p.b - colour.b) <= 1;
           });
}

/* Neither the debug recorder nor glGetError has an error to report. */
void expectNoError(GlContextWindow& window)
{
    EXPECT_TRUE(window.debugErrors().empty()) << window.debugErrors().front();
    EXPECT_TRUE(window.drainGlErrors().empty());
}

class GlContext : public ::testing::TestWithParam<GlContextKind> {};

}  // namespace

TEST_P(GlContext, OpensAsAskedReadsBackItsFrameAndRecordsOnlyWrongCalls)
{
    GlContextWindow window(GetParam(), size, size);
    OPEN_OR_SKIP(window);
    ASSERT_TRUE(window.isCurrent());
    const auto getString = window.function<PFNGLGETSTRINGPROC>("glGetString");
    const std::string version = reinterpret_cast<const char*>(getString(GL_VERSION));
    RecordProperty("GL_VERSION", version);
    const bool es = GetParam() == GlContextKind::es;
    EXPECT_EQ(version.rfind("OpenGL ES 3.", 0) == 0, es) << version;
    GLint profile = 0;
    GLint flags = 0;
    if (!es && window.version() >= 32) {
        window.function<PFNGLGETINTEGERVPROC>("glGetIntegerv")(GL_CONTEXT_PROFILE_MASK, &profile);
        window.function<PFNGLGETINTEGERVPROC>("glGetIntegerv")(GL_CONTEXT_FLAGS, &flags);
        EXPECT_EQ(profile, GetParam() == GlContextKind::core
                               ? GL_CONTEXT_CORE_PROFILE_BIT
                               : GL_CONTEXT_COMPATIBILITY_PROFILE_BIT);
    }
    if (GetParam() == GlContextKind::core) {
        EXPECT_GE(window.version(), 33) << version;
        EXPECT_TRUE(flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) << version;
    }
    ASSERT_TRUE(window.recordsErrors()) << version;

    // The very first frame reads back, top row first, and reading makes
    // no error.
    const int corner = size / 3;
    clearTo(window, steel);
    clearTo(window, red, corner);
    const Image image = window.readBackBuffer();
    EXPECT_EQ(pixelsOtherThan(image, {0, 0, corner, corner}, red), 0) << version;
    EXPECT_EQ(pixelsOtherThan(image, {corner, 0, size - corner, corner}, steel), 0);
    EXPECT_EQ(pixelsOtherThan(image, {0, corner, size, size - corner}, steel), 0);
    expectNoError(window);
    window.swapBuffers();

    window.function<PFNGLENABLEPROC>("glEnable")(notACapability);
    ASSERT_EQ(window.debugErrors().size(), 1U);
    EXPECT_FALSE(window.debugErrors()[0].empty());
    EXPECT_EQ(window.drainGlErrors(), std::vector<GLenum>{GL_INVALID_ENUM});
    window.clearDebugErrors();
    clearTo(window, steel);
    window.swapBuffers();
    expectNoError(window);
}

INSTANTIATE_TEST_SUITE_P(EachKind, GlContext,
                         ::testing::Values(GlContextKind::compatibility, GlContextKind::core,
                                           GlContextKind::es),
                         [](const auto& info) { return std::string(nameOf(info.param)); });

TEST(GlContexts, TwoAliveAtOnceEachKeepItsPixelsAndErrorsWhileTheOtherIsCurrent)
{
    GlContextWindow core(GlContextKind::core, size, size, 0, 0);
    OPEN_OR_SKIP(core);
    GlContextWindow es(GlContextKind::es, size, size, size + 10, 0);
    OPEN_OR_SKIP(es);
    clearTo(es, blue);
    es.function<PFNGLENABLEPROC>("glEnable")(notACapability);

    core.makeCurrent();
    clearTo(core, red);
    EXPECT_EQ(pixelsOtherThan(core.readBackBuffer(), whole, red), 0);
    expectNoError(core);

    es.makeCurrent();
    EXPECT_EQ(pixelsOtherThan(es.readBackBuffer(), whole, blue), 0);
    EXPECT_EQ(es.debugErrors().size(), 1U);
    EXPECT_EQ(es.drainGlErrors(), std::vector<GLenum>{GL_INVALID_ENUM});

    es.destroy();
    EXPECT_EQ(glfwGetCurrentContext(), nullptr);
    core.makeCurrent();
    EXPECT_EQ(pixelsOtherThan(core.readBackBuffer(), whole, red), 0);
}

/* GLX (GLUT) and EGL contexts cannot both be current on one thread: each
 * side lets go of the other's before it makes its own current. */
TEST(GlContextBesideGlut, EsWindowAndGlutWindowsTakeTurns)
{
    const int before = openTestWindow("before es", size, size);
    GlContextWindow es(GlContextKind::es, size, size, size + 10, 0);
    OPEN_OR_SKIP(es);
    clearTo(es, blue);
    const int after = openTestWindow("after es", size, size, 2 * (size + 10), 0);
    es.makeCurrent();
    EXPECT_EQ(pixelsOtherThan(es.readBackBuffer(), whole, blue), 0);
    expectNoError(es);
    closeTestWindow(after);
    closeTestWindow(before);
}
