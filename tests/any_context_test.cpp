/*
 * any_context_test.cpp - text in GLFW windows of every kind of context, in
 * a process that never calls glutInit (but for the test beside GLUT, run
 * on its own). First the harness's windows themselves: each kind opens as
 * asked, reads back its frame and records only wrong calls. Then the text:
 * own-font text in core and ES contexts equals the fixed-function picture
 * of a compatibility context, loaded-font text within 2 of 255; anchors
 * through a matrix, the colour, the depth flag, a framebuffer object; the
 * GL state every entry gives back; contexts alternating, released and
 * destroyed; GLUT's own entries harmless without GLUT. Last, in every kind
 * of context: batches drawing what the same calls draw one by one, their
 * misuse, and halos.
 *
 * GL 1.1 calls go straight to the GL library, which hands them to the
 * current context of any kind; later ones are looked up per context.
 *
 * Depends on: support/text/text.h, the harness (gl_context.h, text
 * helpers), GoogleTest. The loaded font is DejaVu Sans, by path.
 */
#include "support/text/text.h"
#include "tests/harness/gl_context.h"
#include "tests/text_testing.h"

#include <GL/glx.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int width = 240;
constexpr int height = 100;
const char* const sansFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

#define OPEN_OR_SKIP(window)                                                                       \
    if ((window).kindUnavailable())                                                                \
        GTEST_SKIP() << (window).failure();                                                        \
    ASSERT_TRUE((window).isOpen()) << (window).failure()

// The GL calls of a test, resolved for the current context.
#define GL(window, Type, name) (window).function<Type>(#name)

using Matrix = std::array<float, 16>;

// Window pixels (x right, y up, bottom left at 0) to clip coordinates.
constexpr Matrix pixelMatrix = {2.0f / width, 0,  0, 0, 0, 2.0f / height, 0, 0, 0, 0, 1, 0,
                                -1,           -1, 0, 1};

// A 60-degree perspective of the window's shape, the eye 5 units back.
Matrix perspectiveMatrix()
{
    const float f = 1.0f / std::tan(3.14159265f / 6.0f);
    const float near = 1.0f;
    const float far = 100.0f;
    const float aspect = static_cast<float>(width) / height;
    const float c = (far + near) / (near - far);
    const float d = 2.0f * far * near / (near - far);
    return {f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, c, -1, 0, 0, -5.0f * c + d, 5.0f};
}

// Clears to a colour and the depth buffer to `depth` (glClearDepthf: ES
// has no glClearDepth).
void clear(GlContextWindow& window, float r = 0, float g = 0, float b = 0, float depth = 1)
{
    glClearColor(r, g, b, 1);
    GL(window, PFNGLCLEARDEPTHFPROC, glClearDepthf)(depth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// In a compatibility context: GL's own matrices, as the fixed-function
// path reads them, with no text matrix set.
void useGlMatrices(const Matrix& projection)
{
    setTextMatrix(nullptr);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The picture of `draw` in a window, with a matrix: GL's (compatibility
// reference) or the text matrix.
Image picture(GlContextWindow& window, const std::function<void()>& draw,
              const Matrix& matrix = pixelMatrix, bool glMatrices = false)
{
    window.makeCurrent();
    clear(window);
    if (glMatrices)
        useGlMatrices(matrix);
    else
        setTextMatrix(matrix.data());
    draw();
    return window.readBackBuffer();
}

int maxChannelDifference(const Image& a, const Image& b)
{
    if (a.rgb.size() != b.rgb.size())
        return 255;
    int most = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        most = std::max(most, std::abs(a.rgb[i] - b.rgb[i]));
    return most;
}

// A short line of own-font text, the same in every context.
void drawRound()
{
    setTextAnchor(10.0f, 40.0f, 0.0f);
    drawText(0, boldFont, "ROUND");
}

void expectNoError(GlContextWindow& window)
{
    EXPECT_TRUE(window.debugErrors().empty()) << window.debugErrors().front();
    EXPECT_TRUE(window.drainGlErrors().empty());
}

// A window whose text resources are released before it is destroyed, as
// a program does before destroying a context.
class TextWindow : public GlContextWindow {
  public:
    using GlContextWindow::GlContextWindow;
    ~TextWindow()
    {
        if (isOpen()) {
            makeCurrent();
            releaseTextContext();
        }
    }
};

class AnyContext : public ::testing::TestWithParam<GlContextKind> {
  protected:
    void TearDown() override
    {
        setTextMatrix(nullptr);
        setTextColor(nullptr);
        setTextScale(1);
        setTextAlignment(alignLeft);
    }
};

}  // namespace

// The harness's windows: each kind opens as asked, its first frame reads
// back top row first, and its recorder catches a wrong call, and only that.
class GlContext : public ::testing::TestWithParam<GlContextKind> {};

TEST_P(GlContext, OpensAsAskedReadsBackItsFrameAndRecordsOnlyWrongCalls)
{
    GlContextWindow window(GetParam(), width, height);
    OPEN_OR_SKIP(window);
    ASSERT_TRUE(window.isCurrent());
    const std::string version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const bool es = GetParam() == GlContextKind::es;
    EXPECT_EQ(version.rfind("OpenGL ES 3.", 0) == 0, es) << version;
    GLint profile = 0;
    GLint flags = 0;
    if (!es && window.version() >= 32) {
        glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
        glGetIntegerv(GL_CONTEXT_FLAGS, &flags);
        EXPECT_EQ(profile, GetParam() == GlContextKind::core
                               ? GL_CONTEXT_CORE_PROFILE_BIT
                               : GL_CONTEXT_COMPATIBILITY_PROFILE_BIT);
    }
    if (GetParam() == GlContextKind::core) {
        EXPECT_GE(window.version(), 33) << version;
        EXPECT_TRUE(flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) << version;
    }
    ASSERT_TRUE(window.recordsErrors()) << version;

    // Blue with a red top-left corner.
    constexpr int corner = 30;
    clear(window, 0, 0, 1);
    glScissor(0, height - corner, corner, corner);
    glEnable(GL_SCISSOR_TEST);
    clear(window, 1, 0, 0);
    glDisable(GL_SCISSOR_TEST);
    const Image image = window.readBackBuffer();
    const auto red = [](Rgb p) { return p.r == 255 && p.g == 0 && p.b == 0; };
    const auto blue = [](Rgb p) { return p.r == 0 && p.g == 0 && p.b == 255; };
    EXPECT_EQ(countPixels(image, {0, 0, corner, corner}, red), corner * corner) << version;
    EXPECT_EQ(countPixels(image, {corner, 0, width - corner, corner}, blue),
              (width - corner) * corner);
    EXPECT_EQ(countPixels(image, {0, corner, width, height - corner}, blue),
              width * (height - corner));
    expectNoError(window);

    glEnable(0x1234);  // no such capability
    ASSERT_EQ(window.debugErrors().size(), 1U);
    EXPECT_FALSE(window.debugErrors()[0].empty());
    EXPECT_EQ(window.drainGlErrors(), std::vector<GLenum>{GL_INVALID_ENUM});
    window.clearDebugErrors();
    clear(window);
    expectNoError(window);
}

INSTANTIATE_TEST_SUITE_P(EachKind, GlContext,
                         ::testing::Values(GlContextKind::compatibility, GlContextKind::core,
                                           GlContextKind::es),
                         [](const auto& info) { return std::string(nameOf(info.param)); });

TEST_P(AnyContext, TextEqualsTheFixedFunctionPicture)
{
    TextWindow reference(GlContextKind::compatibility, width, height);
    OPEN_OR_SKIP(reference);
    TextWindow window(GetParam(), width, height, width + 10, 0);
    OPEN_OR_SKIP(window);
    const int sans = loadFont(sansFile, 18.0f);
    ASSERT_GE(sans, 16);
    for (int scale : {1, 2}) {
        for (int font = boldFont; font <= arrowFont; ++font) {
            for (int alignment : {alignCentred, alignRight, alignLeft}) {
                const auto draw = [&] {
                    setTextScale(scale);
                    setTextAlignment(alignment);
                    setTextAnchor(120.37f, 50.71f, 0.0f);
                    drawTextInFont(font, "Ab 0.9 fiTTF~");
                    setTextAnchor(10.5f, 90.2f, 0.0f);
                    drawWindowLine(0, 0, 40, 30);
                };
                EXPECT_EQ(differingPixels(picture(window, draw),
                                          picture(reference, draw, pixelMatrix, true)),
                          0)
                    << "font " << font << ", alignment " << alignment << ", scale " << scale;
            }
        }
        const auto loaded = [&] {
            setTextScale(scale);
            setTextAnchor(20.0f, 40.0f, 0.0f);
            drawTextInFont(sans, "Wörld, ﬁne αβγ");
        };
        const Image drawn = picture(window, loaded);
        EXPECT_GT(litPixels(drawn), 100);
        EXPECT_LE(maxChannelDifference(drawn, picture(reference, loaded, pixelMatrix, true)), 2)
            << "scale " << scale;
    }
    window.makeCurrent();
    expectNoError(window);
    freeFont(sans);
}

TEST_P(AnyContext, AnchorsThroughAMatrixColourDepthAndFramebuffers)
{
    TextWindow reference(GlContextKind::compatibility, width, height);
    OPEN_OR_SKIP(reference);
    TextWindow window(GetParam(), width, height, width + 10, 0);
    OPEN_OR_SKIP(window);
    // A perspective anchor lands where glRasterPos puts it; one behind the
    // eye or outside the view draws nothing.
    const Matrix perspective = perspectiveMatrix();
    const auto anchored = [](float x, float y, float z) {
        return [=] {
            setTextAnchor(x, y, z);
            drawText(0, boldFont, "P");
        };
    };
    const Image seen = picture(window, anchored(0.5f, 0.3f, 0.0f), perspective);
    EXPECT_GT(litPixels(seen), 10);
    EXPECT_EQ(
        differingPixels(seen, picture(reference, anchored(0.5f, 0.3f, 0.0f), perspective, true)),
        0);
    EXPECT_EQ(litPixels(picture(window, anchored(0.0f, 0.0f, 10.0f), perspective)), 0);
    EXPECT_EQ(litPixels(picture(window, anchored(9.0f, 0.0f, 0.0f), perspective)), 0);

    // The colour, alpha included: own fonts through the caller's blending
    // (off here), loaded fonts blended by coverage.
    const int sans = loadFont(sansFile, 40.0f);
    const std::array<float, 4> translucentRed{1.0f, 0.0f, 0.0f, 0.5f};
    window.makeCurrent();
    clear(window, 0, 0, 1);
    setTextMatrix(pixelMatrix.data());
    setTextColor(translucentRed.data());
    setTextAnchor(10.0f, 50.0f, 0.0f);
    drawTextInFont(boldFont, "I");
    setTextAnchor(100.0f, 30.0f, 0.0f);
    drawTextInFont(sans, "I");
    const Image coloured = window.readBackBuffer();
    EXPECT_GT(countPixels(coloured, {0, 0, 60, height}, [](Rgb p) { return p.r == 255; }), 20)
        << "the bold I";
    EXPECT_EQ(countPixels(coloured, {0, 0, 60, height}, [](Rgb p) { return p.r > 0 && p.b > 0; }),
              0)
        << "own fonts unblended";
    EXPECT_GT(
        countPixels(coloured, {90, 0, 60, height},
                    [](Rgb p) { return std::abs(p.r - 128) <= 2 && std::abs(p.b - 127) <= 2; }),
        20)
        << "the loaded I's stem, half red over blue";

    // The depth flag: text at window depth 0.5 hides behind a depth of 0.3.
    setTextColor(nullptr);
    for (int depthFlag : {1, 0}) {
        window.makeCurrent();
        clear(window, 0, 0, 0, 0.3f);
        setTextAnchor(50.0f, 50.0f, 0.0f);
        drawText(depthFlag, boldFont, "DEPTH");
        drawText(depthFlag, sans, "DEPTH");
        EXPECT_EQ(litPixels(window.readBackBuffer()) == 0, depthFlag == 1);
    }

    // A framebuffer object gets the same text as the window.
    const auto text = [&] {
        setTextAnchor(10.0f, 40.0f, 0.0f);
        drawText(0, boldFont, "FBO");
        drawText(0, sans, "fbo");
    };
    const Image direct = picture(window, text);
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GL(window, PFNGLGENFRAMEBUFFERSPROC, glGenFramebuffers)(1, &framebuffer);
    GL(window, PFNGLGENRENDERBUFFERSPROC, glGenRenderbuffers)(1, &colour);
    GL(window, PFNGLBINDRENDERBUFFERPROC, glBindRenderbuffer)(GL_RENDERBUFFER, colour);
    GL(window, PFNGLRENDERBUFFERSTORAGEPROC, glRenderbufferStorage)
    (GL_RENDERBUFFER, GL_RGBA8, width, height);
    GL(window, PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)(GL_FRAMEBUFFER, framebuffer);
    GL(window, PFNGLFRAMEBUFFERRENDERBUFFERPROC, glFramebufferRenderbuffer)
    (GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    clear(window);
    text();
    EXPECT_EQ(differingPixels(readGlPixels(width, height, GL_COLOR_ATTACHMENT0), direct), 0);
    GL(window, PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)(GL_FRAMEBUFFER, 0);
    expectNoError(window);
    freeFont(sans);
}

INSTANTIATE_TEST_SUITE_P(EachKind, AnyContext,
                         ::testing::Values(GlContextKind::core, GlContextKind::es),
                         [](const auto& info) { return std::string(nameOf(info.param)); });

namespace {

// The state the caller's drawing had, read back: integers and switches.
struct StateEntry {
    GLenum name;
    bool desktopOnly;
};
constexpr StateEntry readState[] = {
    {GL_CURRENT_PROGRAM, false},      {GL_VERTEX_ARRAY_BINDING, false},
    {GL_ARRAY_BUFFER_BINDING, false}, {GL_PIXEL_UNPACK_BUFFER_BINDING, false},
    {GL_ACTIVE_TEXTURE, false},       {GL_TEXTURE_BINDING_2D, false},
    {GL_SAMPLER_BINDING, false},      {GL_BLEND_SRC_RGB, false},
    {GL_BLEND_DST_RGB, false},        {GL_BLEND_SRC_ALPHA, false},
    {GL_BLEND_DST_ALPHA, false},      {GL_BLEND_EQUATION_RGB, false},
    {GL_BLEND_EQUATION_ALPHA, false}, {GL_DEPTH_FUNC, false},
    {GL_DEPTH_WRITEMASK, false},      {GL_CULL_FACE_MODE, false},
    {GL_SCISSOR_BOX, false},          {GL_UNPACK_ALIGNMENT, false},
    {GL_UNPACK_ROW_LENGTH, false},    {GL_UNPACK_SKIP_ROWS, false},
    {GL_UNPACK_SKIP_PIXELS, false},   {GL_POLYGON_MODE, true},
    {GL_UNPACK_SWAP_BYTES, true},     {GL_UNPACK_LSB_FIRST, true}};
constexpr GLenum switches[] = {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE, GL_SCISSOR_TEST,
                               GL_STENCIL_TEST};

std::vector<GLint> stateOf(GlContextWindow& window)
{
    const bool es = window.kind() == GlContextKind::es;
    std::vector<GLint> state;
    const auto activeTexture = GL(window, PFNGLACTIVETEXTUREPROC, glActiveTexture);
    for (GLint unit : {GL_TEXTURE0, GL_TEXTURE3}) {
        GLint active = 0;
        glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
        activeTexture(static_cast<GLenum>(unit));
        for (const StateEntry& entry : readState) {
            std::array<GLint, 4> values{-1, -1, -1, -1};
            if (!(entry.desktopOnly && es))
                glGetIntegerv(entry.name, values.data());
            state.insert(state.end(), values.begin(), values.end());
        }
        activeTexture(static_cast<GLenum>(active));
    }
    for (GLenum capability : switches)
        state.push_back(glIsEnabled(capability));
    return state;
}

// A program of the caller's own, linked.
GLuint callerProgram(GlContextWindow& window)
{
    const std::string version = window.kind() == GlContextKind::es
                                    ? "#version 300 es\nprecision mediump float;\n"
                                    : "#version 330 core\n";
    const std::string sources[] = {version + "void main() { gl_Position = vec4(0.0); }",
                                   version + "out vec4 c; void main() { c = vec4(1.0); }"};
    const GLuint program = GL(window, PFNGLCREATEPROGRAMPROC, glCreateProgram)();
    for (int i = 0; i < 2; ++i) {
        const GLuint shader = GL(window, PFNGLCREATESHADERPROC,
                                 glCreateShader)(i == 0 ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
        const char* text = sources[i].c_str();
        GL(window, PFNGLSHADERSOURCEPROC, glShaderSource)(shader, 1, &text, nullptr);
        GL(window, PFNGLCOMPILESHADERPROC, glCompileShader)(shader);
        GL(window, PFNGLATTACHSHADERPROC, glAttachShader)(program, shader);
    }
    GL(window, PFNGLLINKPROGRAMPROC, glLinkProgram)(program);
    return program;
}

// Distinctive state of a caller: its program, vertex array, buffers,
// textures and a sampler on units 0 and 3 (3 active), separate blend
// functions and subtracting equations, culled front faces, lines, a
// scissor box, the stencil test and odd unpack settings.
void setCallerState(GlContextWindow& window)
{
    GLuint names[4] = {};
    GL(window, PFNGLUSEPROGRAMPROC, glUseProgram)(callerProgram(window));
    GL(window, PFNGLGENVERTEXARRAYSPROC, glGenVertexArrays)(1, names);
    GL(window, PFNGLBINDVERTEXARRAYPROC, glBindVertexArray)(names[0]);
    GL(window, PFNGLGENBUFFERSPROC, glGenBuffers)(2, names);
    GL(window, PFNGLBINDBUFFERPROC, glBindBuffer)(GL_ARRAY_BUFFER, names[0]);
    GL(window, PFNGLBINDBUFFERPROC, glBindBuffer)(GL_PIXEL_UNPACK_BUFFER, names[1]);
    glGenTextures(2, names);
    GL(window, PFNGLGENSAMPLERSPROC, glGenSamplers)(2, names + 2);
    for (int unit : {0, 3}) {
        GL(window, PFNGLACTIVETEXTUREPROC, glActiveTexture)
        (static_cast<GLenum>(GL_TEXTURE0 + unit));
        glBindTexture(GL_TEXTURE_2D, names[unit == 0 ? 0 : 1]);
        GL(window, PFNGLBINDSAMPLERPROC, glBindSampler)
        (static_cast<GLuint>(unit), names[unit == 0 ? 2 : 3]);
    }
    for (GLenum capability : switches)
        if (capability != GL_DEPTH_TEST)
            glEnable(capability);
    GL(window, PFNGLBLENDFUNCSEPARATEPROC, glBlendFuncSeparate)
    (GL_ONE, GL_ZERO, GL_SRC_COLOR, GL_DST_ALPHA);
    GL(window, PFNGLBLENDEQUATIONSEPARATEPROC, glBlendEquationSeparate)
    (GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT);
    glDepthFunc(GL_LEQUAL);
    glCullFace(GL_FRONT);
    glScissor(0, 0, width, height);
    if (window.kind() != GlContextKind::es)
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 1);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
}

}  // namespace

TEST_P(AnyContext, EveryEntryDrawsThroughTheCallersStateAndGivesItBack)
{
    TextWindow window(GetParam(), width, height);
    OPEN_OR_SKIP(window);
    ASSERT_TRUE(window.recordsErrors());
    const int sans = loadFont(sansFile, 18.0f);
    const auto draw = [&] {
        setTextAnchor(10.0f, 60.0f, 0.0f);
        drawText(1, boldFont, "Own %d", 1);
        drawTextInFont(smallFont, "12");
        setTextAnchor(10.0f, 30.0f, 0.0f);
        drawText(1, sans, "Loaded %s", "ßü");
        setTextAnchor(200.0f, 60.0f, 0.0f);
        drawTextDefault("x");
        drawWindowLine(0, 5, 200, 5);
        EXPECT_GT(textWidth(sans, "abc") + fontLineHeight(sans), 0);
    };
    const Image plain = picture(window, draw);
    setCallerState(window);
    const std::vector<GLint> before = stateOf(window);
    for (int round = 0; round < 2; ++round)  // glyphs made, then drawn from cache
        EXPECT_EQ(differingPixels(picture(window, draw), plain), 0) << "round " << round;
    EXPECT_EQ(stateOf(window), before);
    const auto batched = [&] {
        beginTextBatch();
        draw();
        endTextBatch();
    };
    EXPECT_EQ(differingPixels(picture(window, batched), plain), 0) << "batched";
    EXPECT_EQ(stateOf(window), before) << "batched";
    expectNoError(window);
    freeFont(sans);
}

TEST(AnyContexts, AlternateReleaseAndAreRebuiltWithoutGlut)
{
    TextWindow core(GlContextKind::core, width, height);
    OPEN_OR_SKIP(core);
    const Image expected = picture(core, drawRound);
    ASSERT_GT(litPixels(expected), 50);
    TextWindow es(GlContextKind::es, width, height, width + 10, 0);
    OPEN_OR_SKIP(es);
    // Each keeps its pixels and its errors while the other is current.
    glEnable(0x1234);
    for (int turn = 0; turn < 4; ++turn)
        EXPECT_EQ(differingPixels(picture(turn % 2 == 0 ? es : core, drawRound), expected), 0);
    expectNoError(core);
    es.makeCurrent();
    EXPECT_EQ(differingPixels(es.readBackBuffer(), expected), 0);
    EXPECT_EQ(es.debugErrors().size(), 1U);
    EXPECT_EQ(es.drainGlErrors(), std::vector<GLenum>{GL_INVALID_ENUM});
    es.clearDebugErrors();
    for (int round = 0; round < 15; ++round) {
        TextWindow window(round % 2 == 0 ? GlContextKind::core : GlContextKind::es, width, height,
                          0, height + 10);
        ASSERT_TRUE(window.isOpen()) << window.failure();
        EXPECT_EQ(differingPixels(picture(window, drawRound), expected), 0) << "round " << round;
        releaseTextContext();
        releaseTextContext();  // nothing left to release
        EXPECT_EQ(differingPixels(picture(window, drawRound), expected), 0) << "rebuilt";
        releaseTextContext();
        expectNoError(window);
    }
    es.makeCurrent();
    releaseTextContext();
    es.destroy();
    EXPECT_EQ(glfwGetCurrentContext(), nullptr);
    // GLUT's fonts and stroke text draw nothing and measure 0 without GLUT.
    core.makeCurrent();
    EXPECT_EQ(differingPixels(core.readBackBuffer(), expected), 0);
    clear(core);
    setTextAnchor(10.0f, 40.0f, 0.0f);
    drawGlutText(nullptr, "GLUT");
    drawGlutTextDefaultAt(10.0f, 40.0f, 0.0f, "GLUT");
    drawStrokeText(0.0f, 0.0f, 200.0f, "STROKE");
    EXPECT_EQ(glutTextWidth(nullptr, "GLUT"), 0);
    EXPECT_EQ(strokeTextWidth(200.0f, "STROKE"), 0.0f);
    EXPECT_EQ(litPixels(core.readBackBuffer()), 0);
    unsetenv("VESTRANE_TEXT_SCALE");
    setTextScale(0);
    EXPECT_EQ(getTextScale(), 1);
    setenv("VESTRANE_TEXT_SCALE", "3", 1);
    setTextScale(0);
    EXPECT_EQ(getTextScale(), 3);
    unsetenv("VESTRANE_TEXT_SCALE");
    setTextScale(1);
    expectNoError(core);
}

// Run in a process of its own: GLUT is initialised from here on. GLX
// (GLUT) and EGL contexts cannot both be current on one thread: each side
// lets go of the other's before it makes its own current; and each
// context draws its own text.
TEST(AnyContextBesideGlut, EachContextDrawsItsOwn)
{
    const int before = openTestWindow("before es", width, height, 0, 2 * height + 20);
    TextWindow es(GlContextKind::es, width, height, width + 10, 0);
    OPEN_OR_SKIP(es);
    TextWindow core(GlContextKind::core, width, height);
    OPEN_OR_SKIP(core);
    const Image expected = picture(core, drawRound);
    const int after = openTestWindow("after es", width, height, width + 10, 2 * height + 20);
    EXPECT_EQ(differingPixels(picture(es, drawRound), expected), 0);
    expectNoError(es);
    for (int turn = 0; turn < 2; ++turn) {
        EXPECT_EQ(differingPixels(picture(core, drawRound), expected), 0);
        const GLXContext coreContext = glXGetCurrentContext();
        for (int window : {after, before}) {  // after: first, the one GLUT thinks current
            makeTestWindowCurrent(window);
            ASSERT_NE(glXGetCurrentContext(), coreContext) << "GLUT window " << window;
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            setTextMatrix(pixelMatrix.data());
            drawRound();
            EXPECT_EQ(differingPixels(backBuffer(), expected), 0) << "GLUT window " << window;
        }
        EXPECT_EQ(differingPixels(picture(es, drawRound), expected), 0);
    }
    for (int window : {before, after}) {
        makeTestWindowCurrent(window);
        releaseTextContext();
        closeTestWindow(window);
    }
    setTextMatrix(nullptr);
}

// Batches and halos, in every kind of context.
class Batches : public AnyContext {};

namespace {

const Color haloBlue[4] = {0.0f, 0.0f, 1.0f, 1.0f};

// Labels in own and loaded fonts (two faces: two pages), three alignments,
// two scales, colours, halos, depth flags, two lines, mixed directions,
// window lines, and glyphs cut at the window's edge.
void drawLabels(int sans, int serif)
{
    const Color red[4] = {1.0f, 0.2f, 0.2f, 1.0f};
    for (int scale : {1, 2}) {
        setTextScale(scale);
        for (int i = 0; i < 3; ++i) {
            setTextAlignment(i == 0 ? alignCentred : i == 1 ? alignRight : alignLeft);
            setTextColor(i == 1 ? red : nullptr);
            setTextHalo(i == 2 ? 1.5f : 0.0f, haloBlue);
            setTextAnchor(40.0f + 80.0f * static_cast<float>(i), 20.0f + 40.0f * (scale - 1), 0.0f);
            drawText(i % 2, boldFont, "Ab%d", i);
            setTextOffset(0.0f, -12.0f, 0.0f);
            drawText(i % 2, sans, "Wö%d\nשלום %d", i, i);
            drawTextInFont(serif, "fi%d", i);
            drawWindowLine(0, 0, 10, -10);
        }
    }
    setTextHalo(0.0f, nullptr);
    setTextColor(nullptr);
}

// Pixels that are not black, as a mask.
std::vector<bool> inkMask(const Image& image)
{
    std::vector<bool> mask(static_cast<std::size_t>(image.width * image.height));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgb p = image.at(x, y);
            mask[static_cast<std::size_t>(y * image.width + x)] = p.r + p.g + p.b > 0;
        }
    return mask;
}

// The Chebyshev distance from (x, y) to the nearest set pixel of `mask`
// (up to `limit`; limit + 1 when farther).
int distanceToInk(const std::vector<bool>& mask, int x, int y, int limit)
{
    for (int d = 0; d <= limit; ++d)
        for (int dy = -d; dy <= d; ++dy)
            for (int dx = -d; dx <= d; ++dx) {
                const int px = x + dx;
                const int py = y + dy;
                if ((std::abs(dx) == d || std::abs(dy) == d) && px >= 0 && py >= 0 && px < width &&
                    py < height && mask[static_cast<std::size_t>(py * width + px)])
                    return d;
            }
    return limit + 1;
}

}  // namespace

TEST_P(Batches, DrawWhatTheSameCallsDrawOneByOneAndGiveTheStateBack)
{
    TextWindow window(GetParam(), width, height);
    OPEN_OR_SKIP(window);
    const int sans = loadFont(sansFile, 18.0f);
    const int serif = loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", 14.0f);
    ASSERT_GT(serif, sans);
    const Image oneByOne = picture(window, [&] { drawLabels(sans, serif); });
    EXPECT_GT(litPixels(oneByOne), 1000);
    const bool compatibility = GetParam() == GlContextKind::compatibility;
    const auto blendFactors = [] {
        std::array<GLint, 5> factors{glIsEnabled(GL_BLEND)};
        for (int i = 0; i < 4; ++i)
            glGetIntegerv(std::array<GLenum, 4>{GL_BLEND_SRC_RGB, GL_BLEND_DST_RGB,
                                                GL_BLEND_SRC_ALPHA, GL_BLEND_DST_ALPHA}[i],
                          &factors[static_cast<std::size_t>(i) + 1]);
        return factors;
    };
    for (int round = 0; round < 2; ++round) {  // glyphs made, then drawn from cache
        const Image batched = picture(window, [&] {
            beginTextBatch();
            drawLabels(sans, serif);
            EXPECT_EQ(litPixels(window.readBackBuffer()), 0) << "nothing drawn before the end";
            endTextBatch();
        });
        EXPECT_EQ(differingPixels(batched, oneByOne), 0) << "round " << round;
    }
    // The caller's separate blend factors come back after loaded-font text.
    if (compatibility) {
        glDisable(GL_BLEND);
        GL(window, PFNGLBLENDFUNCSEPARATEPROC, glBlendFuncSeparate)
        (GL_ONE, GL_ZERO, GL_SRC_COLOR, GL_DST_ALPHA);
        const auto before = blendFactors();
        beginTextBatch();
        drawLabels(sans, serif);
        endTextBatch();
        EXPECT_EQ(blendFactors(), before);
        drawLabels(sans, serif);
        EXPECT_EQ(blendFactors(), before);
    }
    expectNoError(window);
    freeFont(sans);
    freeFont(serif);
}

TEST_P(Batches, MisuseIsHarmlessAndABatchBelongsToItsContext)
{
    TextWindow window(GetParam(), width, height);
    OPEN_OR_SKIP(window);
    TextWindow other(GetParam(), width, height, width + 10, 0);
    OPEN_OR_SKIP(other);
    const int sans = loadFont(sansFile, 18.0f);
    const auto draw = [&](int font) {
        drawRound();
        drawTextInFont(font, "Loaded");
    };
    const Image expected = picture(window, [&] { draw(sans); });
    // Nested: the inner begin is ignored and the first end draws; an
    // unmatched end does nothing. A font freed inside still draws.
    EXPECT_EQ(differingPixels(picture(window,
                                      [&] {
                                          beginTextBatch();
                                          beginTextBatch();
                                          const int freed = loadFont(sansFile, 18.0f);
                                          draw(freed);
                                          freeFont(freed);
                                          endTextBatch();
                                          endTextBatch();
                                      }),
                              expected),
              0);
    // Another context draws at once, and its release leaves this batch.
    window.makeCurrent();
    clear(window);
    beginTextBatch();
    draw(sans);
    EXPECT_EQ(differingPixels(picture(other, [&] { draw(sans); }), expected), 0);
    releaseTextContext();
    window.makeCurrent();
    endTextBatch();
    EXPECT_EQ(differingPixels(window.readBackBuffer(), expected), 0);
    // A release inside drops the batch; text is rebuilt afterwards.
    clear(window);
    beginTextBatch();
    draw(sans);
    releaseTextContext();
    endTextBatch();
    EXPECT_EQ(litPixels(window.readBackBuffer()), 0);
    EXPECT_EQ(differingPixels(picture(window, [&] { draw(sans); }), expected), 0);
    expectNoError(window);
    freeFont(sans);
}

TEST_P(Batches, HalosSurroundEveryGlyphUnderItAndChangeNoWidth)
{
    TextWindow window(GetParam(), width, height);
    OPEN_OR_SKIP(window);
    const int sans = loadFont(sansFile, 24.0f);
    const Color white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    setTextColor(white);
    for (const int font : {static_cast<int>(boldFont), sans}) {
        const auto draw = [font] {
            setTextAnchor(10.0f, 40.0f, 0.0f);
            drawTextInFont(font, "Halo %d", 7);
        };
        setTextScale(1);
        const int plainWidth = textWidth(font, "Halo 7");
        for (int scale : {1, 2}) {
            setTextScale(scale);
            const Image glyphs = picture(window, draw);
            const std::vector<bool> glyphInk = inkMask(glyphs);
            setTextHalo(2.0f, haloBlue);
            for (const auto& [hostileWidth, hostileColor] :
                 std::vector<std::pair<float, const Color*>>{{17.0f, white},
                                                             {-1.0f, white},
                                                             {NAN, white},
                                                             {2.0f, nullptr},
                                                             {INFINITY, white}}) {
                const Color nan[4] = {NAN, 0, 0, 1};
                setTextHalo(hostileWidth, hostileColor == nullptr ? nan : hostileColor);
            }
            const Image haloed = picture(window, draw);
            EXPECT_EQ(differingPixels(picture(window,
                                              [font] {
                                                  setTextAnchor(10.0f, 40.0f, 0.0f);
                                                  drawText(1, font, "Halo %d", 7);
                                              }),
                                      haloed),
                      0)
                << "depth-tested: the halo hides no glyph";
            setTextHalo(0.0f, haloBlue);
            EXPECT_EQ(differingPixels(picture(window, draw), glyphs), 0) << "halo off";
            EXPECT_EQ(textWidth(font, "Halo 7"), plainWidth * scale);
            const int reach = 2 * scale;
            int blue = 0;
            int missing = 0;
            int stray = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const Rgb p = haloed.at(x, y);
                    const Rgb g = glyphs.at(x, y);
                    EXPECT_TRUE(g.b < 255 || (p.r == g.r && p.g == g.g))
                        << "glyph ink on top at " << x << ", " << y;
                    const int d = distanceToInk(glyphInk, x, y, reach + 1);
                    blue += p.b == 255 && p.r == 0 ? 1 : 0;
                    if (font == boldFont) {  // exactly the ink grown by a square
                        missing += d <= reach && p.r + p.g + p.b == 0 ? 1 : 0;
                        stray += d > reach && p.r + p.g + p.b > 0 ? 1 : 0;
                    } else {
                        // round: within reach by Euclid, with a pixel for anti-aliasing
                        missing += d <= (reach - 1) * 7 / 10 && p.b == 0 ? 1 : 0;
                        stray += d > reach + 1 && p.r + p.g + p.b > 0 ? 1 : 0;
                    }
                }
            EXPECT_GT(blue, 100 * scale) << "font " << font << ", scale " << scale;
            EXPECT_EQ(missing, 0) << "font " << font << ", scale " << scale;
            EXPECT_EQ(stray, 0) << "font " << font << ", scale " << scale;
        }
    }
    setTextScale(1);
    expectNoError(window);
    freeFont(sans);
}

TEST_P(Batches, GlyphsCutAtTheViewportsEdgeKeepTheirPixels)
{
    TextWindow window(GetParam(), width, height);
    OPEN_OR_SKIP(window);
    const int sans = loadFont(sansFile, 24.0f);
    setTextHalo(1.0f, haloBlue);
    const auto draw = [sans] {
        // Anchors inside the window, text reaching past each edge.
        const std::array<std::array<float, 3>, 4> anchors{{{3.0f, 40.0f, alignRight},
                                                           {width - 12.0f, 40.0f, alignLeft},
                                                           {120.0f, 3.0f, alignCentred},
                                                           {60.0f, height - 4.0f, alignLeft}}};
        for (const auto& [x, y, alignment] : anchors) {
            setTextAlignment(static_cast<int>(alignment));
            setTextAnchor(x, y, 0.0f);
            drawText(0, sans, "Wg\u00c9");
            drawText(0, boldFont, "Wg");
        }
    };
    const Image cut = picture(window, draw);
    // A viewport 30 pixels larger on every side, the anchors on the same
    // pixels: nothing is cut before GL, which keeps to the window.
    constexpr float margin = 30.0f;
    constexpr float wide = width + 2 * margin;
    constexpr float tall = height + 2 * margin;
    constexpr Matrix widePixels = {2.0f / wide,
                                   0,
                                   0,
                                   0,
                                   0,
                                   2.0f / tall,
                                   0,
                                   0,
                                   0,
                                   0,
                                   1,
                                   0,
                                   -1.0f + 2.0f * margin / wide,
                                   -1.0f + 2.0f * margin / tall,
                                   0,
                                   1};
    const Image whole = picture(
        window,
        [&] {
            glViewport(-30, -30, width + 60, height + 60);
            draw();
            glViewport(0, 0, width, height);
        },
        widePixels);
    EXPECT_GT(litPixels(cut), 200);
    EXPECT_EQ(differingPixels(cut, whole), 0);
    setTextHalo(0.0f, nullptr);
    expectNoError(window);
    freeFont(sans);
}

INSTANTIATE_TEST_SUITE_P(EachKind, Batches,
                         ::testing::Values(GlContextKind::compatibility, GlContextKind::core,
                                           GlContextKind::es),
                         [](const auto& info) { return std::string(nameOf(info.param)); });
