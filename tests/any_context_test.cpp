/*
 * any_context_test.cpp - text in GLFW windows of every kind of context, in
 * a process that never calls glutInit (but for the test beside GLUT, run
 * on its own): own-font text in core and ES contexts equals the
 * fixed-function picture of a compatibility context, loaded-font text
 * within 2 of 255; anchors through a matrix, the
 * colour, the depth flag, a framebuffer object; the GL state every entry
 * gives back; contexts alternating, released and destroyed; GLUT's own
 * entries harmless without GLUT.
 *
 * Depends on: support/text/text.h, the harness (gl_context.h, text
 * helpers), GoogleTest. The loaded font is DejaVu Sans, by path.
 */
#include "support/text/text.h"
#include "tests/harness/gl_context.h"
#include "tests/harness/glut_window.h"
#include "tests/harness/pixels.h"

#include <GL/freeglut_std.h>
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

// Clears to a colour and the depth buffer to `depth`.
void clear(GlContextWindow& window, float r = 0, float g = 0, float b = 0, float depth = 1)
{
    GL(window, PFNGLCLEARCOLORPROC, glClearColor)(r, g, b, 1);
    GL(window, PFNGLCLEARDEPTHFPROC, glClearDepthf)(depth);
    GL(window, PFNGLCLEARPROC, glClear)(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// In a compatibility context: GL's own matrices, as the fixed-function
// path reads them, with no text matrix set.
void useGlMatrices(GlContextWindow& window, const Matrix& projection)
{
    using LoadMatrix = void(APIENTRYP)(const GLfloat*);
    using MatrixMode = void(APIENTRYP)(GLenum);
    constexpr Matrix identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    setTextMatrix(nullptr);
    GL(window, MatrixMode, glMatrixMode)(0x1701);  // GL_PROJECTION
    GL(window, LoadMatrix, glLoadMatrixf)(projection.data());
    GL(window, MatrixMode, glMatrixMode)(0x1700);  // GL_MODELVIEW
    GL(window, LoadMatrix, glLoadMatrixf)(identity.data());
}

// The picture of `draw` in a window, with a matrix: GL's (compatibility
// reference) or the text matrix.
Image picture(GlContextWindow& window, const std::function<void()>& draw,
              const Matrix& matrix = pixelMatrix, bool glMatrices = false)
{
    window.makeCurrent();
    clear(window);
    if (glMatrices)
        useGlMatrices(window, matrix);
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

int inkPixels(const Image& image)
{
    return countPixels(image, {0, 0, image.width, image.height},
                       [](Rgb p) { return p.r + p.g + p.b > 0; });
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
        EXPECT_GT(inkPixels(drawn), 100);
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
    EXPECT_GT(inkPixels(seen), 10);
    EXPECT_EQ(
        differingPixels(seen, picture(reference, anchored(0.5f, 0.3f, 0.0f), perspective, true)),
        0);
    EXPECT_EQ(inkPixels(picture(window, anchored(0.0f, 0.0f, 10.0f), perspective)), 0);
    EXPECT_EQ(inkPixels(picture(window, anchored(9.0f, 0.0f, 0.0f), perspective)), 0);

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
        EXPECT_EQ(inkPixels(window.readBackBuffer()) == 0, depthFlag == 1);
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
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width * height * 4));
    GL(window, PFNGLREADPIXELSPROC, glReadPixels)
    (0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    GL(window, PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)(GL_FRAMEBUFFER, 0);
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb p = direct.at(x, height - 1 - y);
            differing += p.r != rgba[static_cast<std::size_t>((y * width + x) * 4)] ? 1 : 0;
        }
    EXPECT_EQ(differing, 0);
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
    const auto getInteger = GL(window, PFNGLGETINTEGERVPROC, glGetIntegerv);
    const auto activeTexture = GL(window, PFNGLACTIVETEXTUREPROC, glActiveTexture);
    for (GLint unit : {GL_TEXTURE0, GL_TEXTURE3}) {
        GLint active = 0;
        getInteger(GL_ACTIVE_TEXTURE, &active);
        activeTexture(static_cast<GLenum>(unit));
        for (const StateEntry& entry : readState) {
            std::array<GLint, 4> values{-1, -1, -1, -1};
            if (!(entry.desktopOnly && es))
                getInteger(entry.name, values.data());
            state.insert(state.end(), values.begin(), values.end());
        }
        activeTexture(static_cast<GLenum>(active));
    }
    for (GLenum capability : switches)
        state.push_back(GL(window, PFNGLISENABLEDPROC, glIsEnabled)(capability));
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
    GL(window, PFNGLGENTEXTURESPROC, glGenTextures)(2, names);
    GL(window, PFNGLGENSAMPLERSPROC, glGenSamplers)(2, names + 2);
    for (int unit : {0, 3}) {
        GL(window, PFNGLACTIVETEXTUREPROC, glActiveTexture)
        (static_cast<GLenum>(GL_TEXTURE0 + unit));
        GL(window, PFNGLBINDTEXTUREPROC, glBindTexture)(GL_TEXTURE_2D, names[unit == 0 ? 0 : 1]);
        GL(window, PFNGLBINDSAMPLERPROC, glBindSampler)
        (static_cast<GLuint>(unit), names[unit == 0 ? 2 : 3]);
    }
    const auto enable = GL(window, PFNGLENABLEPROC, glEnable);
    for (GLenum capability : switches)
        if (capability != GL_DEPTH_TEST)
            enable(capability);
    GL(window, PFNGLBLENDFUNCSEPARATEPROC, glBlendFuncSeparate)
    (GL_ONE, GL_ZERO, GL_SRC_COLOR, GL_DST_ALPHA);
    GL(window, PFNGLBLENDEQUATIONSEPARATEPROC, glBlendEquationSeparate)
    (GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT);
    GL(window, PFNGLDEPTHFUNCPROC, glDepthFunc)(GL_LEQUAL);
    GL(window, PFNGLCULLFACEPROC, glCullFace)(GL_FRONT);
    GL(window, PFNGLSCISSORPROC, glScissor)(0, 0, width, height);
    if (window.kind() != GlContextKind::es)
        GL(window, PFNGLPOLYGONMODEPROC, glPolygonMode)(GL_FRONT_AND_BACK, GL_LINE);
    const auto store = GL(window, PFNGLPIXELSTOREIPROC, glPixelStorei);
    store(GL_UNPACK_ALIGNMENT, 2);
    store(GL_UNPACK_ROW_LENGTH, 7);
    store(GL_UNPACK_SKIP_ROWS, 1);
    store(GL_UNPACK_SKIP_PIXELS, 3);
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
    expectNoError(window);
    freeFont(sans);
}

TEST(AnyContexts, AlternateReleaseAndAreRebuiltWithoutGlut)
{
    const auto text = [] {
        setTextAnchor(10.0f, 40.0f, 0.0f);
        drawText(0, boldFont, "ROUND");
    };
    TextWindow core(GlContextKind::core, width, height);
    OPEN_OR_SKIP(core);
    const Image expected = picture(core, text);
    ASSERT_GT(inkPixels(expected), 50);
    TextWindow es(GlContextKind::es, width, height, width + 10, 0);
    OPEN_OR_SKIP(es);
    for (int turn = 0; turn < 4; ++turn)
        EXPECT_EQ(differingPixels(picture(turn % 2 == 0 ? es : core, text), expected), 0);
    for (int round = 0; round < 15; ++round) {
        TextWindow window(round % 2 == 0 ? GlContextKind::core : GlContextKind::es, width, height,
                          0, height + 10);
        ASSERT_TRUE(window.isOpen()) << window.failure();
        EXPECT_EQ(differingPixels(picture(window, text), expected), 0) << "round " << round;
        releaseTextContext();
        releaseTextContext();  // nothing left to release
        EXPECT_EQ(differingPixels(picture(window, text), expected), 0) << "rebuilt";
        releaseTextContext();
        expectNoError(window);
    }
    // GLUT's fonts and stroke text draw nothing and measure 0 without GLUT.
    core.makeCurrent();
    clear(core);
    setTextAnchor(10.0f, 40.0f, 0.0f);
    drawGlutText(nullptr, "GLUT");
    drawGlutTextDefaultAt(10.0f, 40.0f, 0.0f, "GLUT");
    drawStrokeText(0.0f, 0.0f, 200.0f, "STROKE");
    EXPECT_EQ(glutTextWidth(nullptr, "GLUT"), 0);
    EXPECT_EQ(strokeTextWidth(200.0f, "STROKE"), 0.0f);
    EXPECT_EQ(inkPixels(core.readBackBuffer()), 0);
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

// Run in a process of its own: GLUT is initialised from here on.
TEST(AnyContextBesideGlut, EachContextDrawsItsOwn)
{
    const auto text = [] {
        setTextAnchor(10.0f, 40.0f, 0.0f);
        drawText(0, boldFont, "ROUND");
    };
    TextWindow core(GlContextKind::core, width, height);
    OPEN_OR_SKIP(core);
    TextWindow es(GlContextKind::es, width, height, width + 10, 0);
    OPEN_OR_SKIP(es);
    const Image expected = picture(core, text);
    const auto clearColor = GL(core, PFNGLCLEARCOLORPROC, glClearColor);
    const auto clearBuffer = GL(core, PFNGLCLEARPROC, glClear);
    const auto finish = GL(core, PFNGLFINISHPROC, glFinish);
    const int glutWindow = openTestWindow("any context", width, height, 0, 2 * height + 20);
    ASSERT_GT(glutWindow, 0);
    // GLUT makes its window's context current again only when another of
    // its windows was current: the test does it itself.
    Display* const display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    const GLXContext context = glXGetCurrentContext();
    for (int turn = 0; turn < 2; ++turn) {
        EXPECT_EQ(differingPixels(picture(core, text), expected), 0);
        releaseGlfwEglContext();
        glXMakeCurrent(display, drawable, context);
        clearColor(0, 0, 0, 1);
        clearBuffer(GL_COLOR_BUFFER_BIT);
        setTextMatrix(pixelMatrix.data());
        text();
        finish();
        EXPECT_EQ(differingPixels(readGlPixels(width, height, GL_BACK), expected), 0);
        EXPECT_EQ(differingPixels(picture(es, text), expected), 0);
    }
    closeTestWindow(glutWindow);
    setTextMatrix(nullptr);
}
