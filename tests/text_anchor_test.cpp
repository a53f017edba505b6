/*
 * text_anchor_test.cpp - anchored text and lines in a real GLUT window:
 * where alignment and offsets put the text, what an invalid anchor does,
 * the depth flag, the GL state put back, window lines, and long texts.
 *
 * Depends on: support/text/text.h, the harness, OpenGL, GLU, GoogleTest.
 */
#include "support/text/text.h"
#include "tests/text_testing.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

constexpr float tolerance = 0.01f;

using Matrix = std::array<float, 16>;

/* Where the pen ends, and what was drawn, for one drawing on a black
 * picture with the anchor at (x, y) of the pixel projection. */
struct Drawing {
    std::array<float, 4> end;
    Image picture;
};

Drawing drawAt(float x, float y, const std::function<void()>& draw)
{
    clearToBlack();
    setTextAnchor(x, y, 0.0f);
    draw();
    return {rasterPosition(), backBuffer()};
}

#define EXPECT_PEN_AT(drawing, x, y)                                                               \
    do {                                                                                           \
        const Drawing& drawn_ = (drawing);                                                         \
        EXPECT_NEAR(drawn_.end[0], x, tolerance);                                                  \
        EXPECT_NEAR(drawn_.end[1], y, tolerance);                                                  \
    } while (0)

void drawBold(const char* text)
{
    drawText(0, boldFont, "%s", text);
}

/* The state every drawing entry must put back. */
struct GlState {
    Matrix modelView{};
    Matrix projection{};
    GLint matrixMode = 0;
    GLint modelViewDepth = 0;
    GLint projectionDepth = 0;
    GLint attributeDepth = 0;
    GLboolean depthTest = GL_FALSE;
    GLint listBase = 0;

    bool operator==(const GlState& o) const
    {
        return modelView == o.modelView && projection == o.projection &&
               matrixMode == o.matrixMode && modelViewDepth == o.modelViewDepth &&
               projectionDepth == o.projectionDepth && attributeDepth == o.attributeDepth &&
               depthTest == o.depthTest && listBase == o.listBase;
    }
};

GlState currentState()
{
    GlState state;
    glGetFloatv(GL_MODELVIEW_MATRIX, state.modelView.data());
    glGetFloatv(GL_PROJECTION_MATRIX, state.projection.data());
    glGetIntegerv(GL_MATRIX_MODE, &state.matrixMode);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &state.modelViewDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &state.projectionDepth);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &state.attributeDepth);
    glGetBooleanv(GL_DEPTH_TEST, &state.depthTest);
    glGetIntegerv(GL_LIST_BASE, &state.listBase);
    return state;
}

/* One window for all the tests: GLUT numbers windows on without reusing
 * numbers, and own-font text needs a window numbered below 10. */
class AnchoredText : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        window = openTextWindow("anchored text", 200, 100);
    }
    static void TearDownTestSuite()
    {
        closeTestWindow(window);
    }

    void SetUp() override
    {
        glutSetWindow(window);
        usePixelProjection();
        clearToBlack();
    }

    void TearDown() override
    {
        setGlutTextStyle(GLUT_BITMAP_8_BY_13, alignLeft);
        setTextOffset(0.0f, 0.0f, 0.0f);
    }

    static int window;
};

int AnchoredText::window = 0;

}  // namespace

// ---------------------------------------------------------------------------
// Placement
// ---------------------------------------------------------------------------

TEST_F(AnchoredText, AlignmentPlacesOwnFontTextByItsCountedWidth)
{
    const Drawing fromStart = drawAt(85.0f, 44.0f, [] { drawBold("ABC"); });
    const Drawing fromEnd = drawAt(70.0f, 44.0f, [] { drawBold("ABC"); });

    setTextAlignment(alignCentred);
    const Drawing centred = drawAt(100.0f, 50.0f, [] { drawBold("ABC"); });
    EXPECT_PEN_AT(centred, 85.0f + 30.0f, 44.0f);
    EXPECT_EQ(centred.picture, fromStart.picture);
    EXPECT_GT(litPixels(centred.picture), 0);

    setTextAlignment(alignRight);
    const Drawing right = drawAt(100.0f, 50.0f, [] { drawBold("ABC"); });
    EXPECT_PEN_AT(right, 70.0f + 30.0f, 44.0f);
    EXPECT_EQ(right.picture, fromEnd.picture);

    // A start left of the window still shows what falls inside it.
    const Drawing cut = drawAt(15.0f, 50.0f, [] { drawBold("ABC"); });
    EXPECT_PEN_AT(cut, 15.0f, 44.0f);
    const Image onlyC = drawAt(15.0f, 50.0f, [] { drawBold("C"); }).picture;
    int differences = 0;
    for (int y = 0; y < onlyC.height; ++y)
        for (int x = 3; x < onlyC.width; ++x)
            differences += isLit(cut.picture, x, y) != isLit(onlyC, x, y) ? 1 : 0;
    EXPECT_EQ(differences, 0) << "the C whole, right of the B's last columns";
    EXPECT_GT(litPixels(cut.picture), litPixels(onlyC)) << "and those columns";

    // 6 pixels a character, though f and i advance only 4 and 3.
    const Drawing small = drawAt(100.0f, 50.0f, [] { drawText(0, smallFont, "fiix"); });
    EXPECT_PEN_AT(small, 100.0f - 24.0f + 16.0f, 44.0f);

    for (int alignment : {static_cast<int>(alignLeft), 7, -1}) {
        setTextAlignment(alignment);
        EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawBold("ABC"); }), 130.0f, 50.0f);
    }
}

TEST_F(AnchoredText, CentredGlutTextCountsEightPixelsACharacterWhateverTheFont)
{
    setTextAlignment(alignCentred);
    for (void* font : {GLUT_BITMAP_8_BY_13, GLUT_BITMAP_9_BY_15}) {
        const float start = 100.0f - 20.0f;
        const float width = 5.0f * static_cast<float>(glutBitmapWidth(font, 'A'));
        const Drawing drawn = drawAt(100.0f, 50.0f, [font] { drawGlutText(font, "AAAAA"); });
        EXPECT_PEN_AT(drawn, start + width, 44.0f);
        EXPECT_GT(litPixels(drawn.picture), 0);
    }

    // The default-font entries use the font of setGlutTextStyle, and the
    // "At" entries place the anchor themselves.
    const Drawing reference =
        drawAt(100.0f, 50.0f, [] { drawGlutText(GLUT_BITMAP_9_BY_15, "AAAAA"); });
    setGlutTextStyle(GLUT_BITMAP_9_BY_15, alignCentred);
    EXPECT_EQ(drawAt(100.0f, 50.0f, [] { drawGlutTextDefault("AAAAA"); }).picture,
              reference.picture);
    EXPECT_EQ(drawAt(0.0f, 0.0f,
                     [] { drawGlutTextAt(100.0f, 50.0f, 0.0f, GLUT_BITMAP_9_BY_15, "AAAAA"); })
                  .picture,
              reference.picture);
    EXPECT_EQ(
        drawAt(0.0f, 0.0f, [] { drawGlutTextDefaultAt(100.0f, 50.0f, 0.0f, "AAAAA"); }).picture,
        reference.picture);

    // GLUT takes bytes above 127 as negative characters and draws nothing.
    setTextAlignment(alignLeft);
    const Drawing plain = drawAt(100.0f, 50.0f, [] { drawGlutText(GLUT_BITMAP_8_BY_13, "A"); });
    const Drawing high = drawAt(100.0f, 50.0f, [] { drawGlutText(GLUT_BITMAP_8_BY_13, "A\xe9"); });
    EXPECT_PEN_AT(high, plain.end[0], 50.0f);
    EXPECT_EQ(high.picture, plain.picture);
}

TEST_F(AnchoredText, OffsetShiftsExactlyOneText)
{
    setTextOffset(10.0f, 5.0f, 0.25f);
    const Drawing shifted = drawAt(100.0f, 50.0f, [] { drawBold("AB"); });
    EXPECT_PEN_AT(shifted, 110.0f + 20.0f, 45.0f);
    EXPECT_NEAR(shifted.end[2], 0.75f, tolerance) << "0.25 deeper than the anchor";
    EXPECT_EQ(shifted.picture, drawAt(110.0f, 45.0f, [] { drawBold("AB"); }).picture);
    EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawBold("AB"); }), 120.0f, 50.0f);

    setTextOffset(10.0f, 5.0f, 0.0f);
    EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawGlutText(GLUT_BITMAP_8_BY_13, "AB"); }), 126.0f,
                  45.0f);
    EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawGlutText(GLUT_BITMAP_8_BY_13, "AB"); }), 116.0f,
                  50.0f);

    // An empty text uses the offset up too; a line leaves it for the text.
    setTextOffset(10.0f, 5.0f, 0.0f);
    EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawBold(""); }), 110.0f, 45.0f);
    EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawBold(""); }), 100.0f, 50.0f);
    setTextOffset(10.0f, 5.0f, 0.0f);
    drawAt(100.0f, 50.0f, [] { drawWindowLine(0, 0, 5, 0); });
    EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawBold(""); }), 110.0f, 45.0f);
}

TEST_F(AnchoredText, AnchorOutsideTheViewDrawsNothingButStillBuildsAndUsesTheOffset)
{
    const int fresh = openTextWindow("fresh", 200, 100);
    EXPECT_EQ(litPixels(drawAt(-500.0f, 50.0f, [] { drawWindowLine(0, 0, 600, 0); }).picture), 0);
    const std::function<void()> texts[] = {
        [] { drawBold("AB"); },
        [] { drawGlutText(GLUT_BITMAP_8_BY_13, "AB"); },
    };
    for (const auto& draw : texts) {
        setTextOffset(600.0f, 5.0f, 0.0f);
        EXPECT_EQ(litPixels(drawAt(-500.0f, 50.0f, draw).picture), 0);
    }
    EXPECT_EQ(displayListCount(), 4 * 128) << "the fonts are built all the same";
    EXPECT_PEN_AT(drawAt(100.0f, 50.0f, [] { drawBold("AB"); }), 120.0f, 50.0f);
    closeTestWindow(fresh);
}

// ---------------------------------------------------------------------------
// Depth and GL state
// ---------------------------------------------------------------------------

TEST_F(AnchoredText, DepthFlagDecidesWhetherTheDepthBufferHidesText)
{
    const auto litBehindNearestDepth = [](const std::function<void()>& draw) {
        clearToBlack();
        glClearDepth(0.0);  // as if everything were nearer than the text
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
        setTextAnchor(100.0f, 50.0f, 0.0f);
        draw();
        return litPixels(backBuffer());
    };
    EXPECT_EQ(litBehindNearestDepth([] { drawTextDefault("AB"); }), 0);
    EXPECT_EQ(litBehindNearestDepth([] { drawText(1, greekFont, "AB"); }), 0);
    EXPECT_GT(litBehindNearestDepth([] { drawText(0, greekFont, "AB"); }), 0);
    EXPECT_GT(litBehindNearestDepth([] { drawTextInFont(boldFont, "AB"); }), 0);
    EXPECT_GT(litBehindNearestDepth([] { drawGlutText(GLUT_BITMAP_8_BY_13, "AB"); }), 0);
    EXPECT_GT(litBehindNearestDepth([] { drawWindowLine(0, 0, 9, 0); }), 0);
}

TEST_F(AnchoredText, EveryDrawingEntryPutsTheStateBack)
{
    const std::pair<const char*, std::function<void()>> entries[] = {
        {"drawText", [] { drawText(1, smallFont, "%d", 12); }},
        {"drawTextInFont", [] { drawTextInFont(arrowFont, "TTF"); }},
        {"drawTextDefault", [] { drawTextDefault("ok"); }},
        {"drawGlutText", [] { drawGlutText(GLUT_BITMAP_8_BY_13, "ok"); }},
        {"drawGlutTextAt", [] { drawGlutTextAt(0.5f, 0.5f, 0.0f, GLUT_BITMAP_8_BY_13, "ok"); }},
        {"drawGlutTextDefault", [] { drawGlutTextDefault("ok"); }},
        {"drawGlutTextDefaultAt", [] { drawGlutTextDefaultAt(0.5f, 0.5f, 0.0f, "ok"); }},
        {"drawWindowLine", [] { drawWindowLine(0, 0, 10, 10); }},
    };
    for (const GLenum mode : {GL_MODELVIEW, GL_PROJECTION}) {
        for (const bool depthTest : {true, false}) {
            for (const auto& [name, draw] : entries) {
                glMatrixMode(GL_PROJECTION);
                glLoadIdentity();
                glOrtho(-3.0, 3.0, -2.0, 2.0, -5.0, 5.0);
                glMatrixMode(GL_MODELVIEW);
                glLoadIdentity();
                glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
                glTranslatef(0.25f, -0.5f, 0.0f);
                setTextAnchor(0.0f, 0.0f, 0.0f);
                depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
                glListBase(7);
                glMatrixMode(mode);

                const GlState before = currentState();
                draw();
                EXPECT_TRUE(currentState() == before)
                    << name << ", depth test " << depthTest << ", matrix mode " << mode;
                EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << name;
            }
        }
    }
    glListBase(0);
    glDisable(GL_DEPTH_TEST);
}

// ---------------------------------------------------------------------------
// Lines
// ---------------------------------------------------------------------------

TEST_F(AnchoredText, WindowLinesRunRightAndDownFromTheAnchor)
{
    // Anchored on a pixel centre, so that each line covers whole pixels.
    setTextAlignment(alignCentred);
    setTextOffset(30.0f, 30.0f, 0.0f);
    const Image across = drawAt(100.5f, 50.5f, [] { drawWindowLine(0, 0, 50, 0); }).picture;
    EXPECT_EQ(litPixels(across), 50);
    EXPECT_TRUE(isLit(across, 100, 50) && isLit(across, 149, 50));

    const Image down = drawAt(100.5f, 50.5f, [] { drawWindowLine(0, 0, 0, 20); }).picture;
    EXPECT_EQ(litPixels(down), 20);
    EXPECT_TRUE(isLit(down, 100, 50) && isLit(down, 100, 31));

    const Image shifted = drawAt(100.5f, 50.5f, [] { drawWindowLine(-10, 5, -10, 8); }).picture;
    EXPECT_EQ(litPixels(shifted), 3);
    EXPECT_TRUE(isLit(shifted, 90, 45) && isLit(shifted, 90, 43));
}

// ---------------------------------------------------------------------------
// Long texts and other projections
// ---------------------------------------------------------------------------

TEST_F(AnchoredText, TextLongerThanTheBufferIsCutAt1999Characters)
{
    const std::string longText(5000, 'x');
    EXPECT_PEN_AT(drawAt(1.0f, 50.0f, [&] { drawText(0, smallFont, "%s", longText.c_str()); }),
                  1.0f + 1999.0f * 6.0f, 50.0f);
    EXPECT_PEN_AT(drawAt(1.0f, 50.0f, [] { drawGlutText(GLUT_BITMAP_8_BY_13, "%5000d", 7); }),
                  1.0f + 1999.0f * 8.0f, 50.0f);
    setTextAlignment(alignRight);
    EXPECT_PEN_AT(
        drawAt(150.0f, 50.0f, [&] { drawTextDefault("%s%s", longText.c_str(), longText.c_str()); }),
        150.0f, 44.0f);
}

TEST_F(AnchoredText, PerspectiveAnchorKeepsTextAndLinesAtTheAnchorPixel)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 2.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    clearToBlack();
    setTextAnchor(1.0f, 0.5f, -5.0f);
    const auto anchor = rasterPosition();
    ASSERT_GT(anchor[3], 4.0f) << "a perspective anchor has a clip w far from 1";

    drawBold("AB");
    const auto end = rasterPosition();
    EXPECT_NEAR(end[0], anchor[0] + 20.0f, tolerance);
    EXPECT_NEAR(end[1], anchor[1], tolerance);
    EXPECT_NEAR(end[2], anchor[2], tolerance);
    const Image text = backBuffer();
    EXPECT_TRUE(isLit(text, static_cast<int>(anchor[0]), static_cast<int>(anchor[1])))
        << "the A's bottom-left stroke stands on the anchor";

    clearToBlack();
    drawWindowLine(0, 0, 40, 0);
    const Image line = backBuffer();
    EXPECT_GE(litPixels(line), 39);
    EXPECT_TRUE(isLit(line, static_cast<int>(anchor[0]) + 20, static_cast<int>(anchor[1]) - 1) ||
                isLit(line, static_cast<int>(anchor[0]) + 20, static_cast<int>(anchor[1])));
}

TEST_F(AnchoredText, ViewportOverPartOfTheWindowKeepsTextAtTheAnchorPixel)
{
    const Drawing reference = drawAt(60.0f, 30.0f, [] {
        drawBold("AB");
        drawWindowLine(0, 5, 30, 5);
    });

    glViewport(50, 20, 100, 60);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 100.0, 0.0, 60.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    const Drawing inViewport = drawAt(10.0f, 10.0f, [] {
        drawBold("AB");
        drawWindowLine(0, 5, 30, 5);
    });
    EXPECT_PEN_AT(inViewport, 80.0f, 30.0f);
    EXPECT_EQ(inViewport.picture, reference.picture);
}
