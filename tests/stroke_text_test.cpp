/*
 * Stroke text drawn into a real window whose projection makes one unit one
 * pixel, measured with glReadPixels, and the caller's line state read back.
 */
#include "support/text/text.h"
#include "tests/text_testing.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Matrix = std::array<float, 16>;

constexpr int windowWidth = 400;
constexpr int windowHeight = 200;

/* Ink that is neither full white nor black: blended or smoothed edges. */
int partialInkPixels(const Image& image)
{
    return countPixels(image, {0, 0, image.width, image.height},
                       [](Rgb p) { return p.r > 0 && p.r < 250; });
}

struct LineState {
    float width;
    bool blend;
    bool smooth;
};

LineState currentLineState()
{
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    return {width, glIsEnabled(GL_BLEND) == GL_TRUE, glIsEnabled(GL_LINE_SMOOTH) == GL_TRUE};
}

void setLineState(const LineState& state)
{
    glLineWidth(state.width);
    state.blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    state.smooth ? glEnable(GL_LINE_SMOOTH) : glDisable(GL_LINE_SMOOTH);
}

class StrokeText : public ::testing::Test {
  protected:
    void SetUp() override
    {
        window = openTestWindow("stroke text", windowWidth, windowHeight, 20, 20);
        usePixelProjection(windowWidth, windowHeight);
        setLineState({1.0f, false, false});
        glBlendFunc(GL_ONE, GL_ZERO);
        setStrokeBold(0);
        setStrokeSmooth(0);
        setStrokeSpacing(0.0f);
    }
    void TearDown() override
    {
        closeTestWindow(window);
    }

    /* The picture of `draw` in white (alpha as given) on black. */
    template <typename Draw>
    Image picture(Draw draw, float alpha = 1.0f)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(1, 1, 1, alpha);
        draw();
        glFinish();
        return readGlPixels(windowWidth, windowHeight, GL_BACK);
    }

    Image text(const char* characters, float size, float x = 20.0f)
    {
        return picture([&] { drawStrokeText(x, 60, size, "%s", characters); });
    }

    int window = 0;
};

}  // namespace

// First in this program, before any setting.
TEST(StrokeTextSettings, StartPlainUnsmoothedAndUnspaced)
{
    EXPECT_EQ(getStrokeBold(), 0);
    EXPECT_EQ(getStrokeSmooth(), 0);
    EXPECT_EQ(getStrokeSpacing(), 0.0f);
}

TEST_F(StrokeText, SettingsAreKeptUntilSetAgain)
{
    setStrokeBold(1);
    setStrokeSmooth(7);
    setStrokeSpacing(2.5f);
    text("a", 100);
    EXPECT_EQ(getStrokeBold(), 1);
    EXPECT_EQ(getStrokeSmooth(), 7);
    EXPECT_EQ(getStrokeSpacing(), 2.5f);
}

TEST_F(StrokeText, SizeTwoHundredDrawsInFontUnitsAndSpacingMovesEachCharacter)
{
    // At size 200 a unit of the font is a pixel: one more character moves
    // the end of the ink by the font's own advance.
    const InkSpan one = inkSpan(text("l", 200));
    const InkSpan two = inkSpan(text("ll", 200));
    ASSERT_GE(one.left, 0);
    EXPECT_EQ(two.left, one.left);
    EXPECT_NEAR(two.right - one.right, glutStrokeWidthf(GLUT_STROKE_ROMAN, 'l'), 1.0);
    const InkSpan moved = inkSpan(text("l", 200, 50));
    EXPECT_EQ(moved.left - one.left, 30);

    // Character k moves by spacing x scale x k.
    const InkSpan plain = inkSpan(text("lll", 200));
    setStrokeSpacing(20);
    const InkSpan spaced = inkSpan(text("lll", 200));
    EXPECT_EQ(spaced.left, plain.left);
    EXPECT_EQ(spaced.right - plain.right, 40);

    setStrokeSpacing(0);
    const InkSpan half = inkSpan(text("lll", 100));
    setStrokeSpacing(10);
    const InkSpan halfSpaced = inkSpan(text("lll", 100));
    EXPECT_EQ(halfSpaced.left, half.left);
    EXPECT_EQ(halfSpaced.right - half.right, 10);
}

TEST_F(StrokeText, LineStateIsAppliedWhileDrawingAndPutBackInEveryCombination)
{
    Matrix before{};
    for (int bold : {0, 1}) {
        for (int smooth : {0, 1}) {
            for (const LineState& caller : {LineState{1, false, false}, LineState{3, true, false},
                                            LineState{3, false, true}, LineState{1, true, true}}) {
                SCOPED_TRACE("bold " + std::to_string(bold) + " smooth " + std::to_string(smooth) +
                             " width " + std::to_string(caller.width) + " blend " +
                             std::to_string(caller.blend) + " smooth " +
                             std::to_string(caller.smooth));
                setStrokeBold(bold);
                setStrokeSmooth(smooth);
                setLineState(caller);
                glBlendFunc(GL_ONE_MINUS_DST_ALPHA, GL_DST_ALPHA);
                glGetFloatv(GL_MODELVIEW_MATRIX, before.data());
                text("Ag", 100);
                const LineState after = currentLineState();
                EXPECT_EQ(after.width, caller.width);
                EXPECT_EQ(after.blend, caller.blend);
                EXPECT_EQ(after.smooth, caller.smooth);
                std::array<GLint, 2> blendFunction{};
                glGetIntegerv(GL_BLEND_SRC, &blendFunction[0]);
                glGetIntegerv(GL_BLEND_DST, &blendFunction[1]);
                EXPECT_EQ(blendFunction,
                          (std::array<GLint, 2>{GL_ONE_MINUS_DST_ALPHA, GL_DST_ALPHA}))
                    << "the caller's blend function is put back";
                Matrix modelView{};
                glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
                EXPECT_EQ(modelView, before);
            }
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(StrokeText, BoldDrawsTwoPixelLinesAndSmoothBlendsWhateverTheCallerSet)
{
    setLineState({3.0f, false, false});
    const int thin = litPixels(text("l", 200));
    setLineState({1.0f, false, false});
    EXPECT_EQ(litPixels(text("l", 200)), thin) << "plain text draws 1 pixel wide";
    setStrokeBold(1);
    const int bold = litPixels(text("l", 200));
    EXPECT_GT(bold, thin * 3 / 2);
    EXPECT_LT(bold, thin * 5 / 2);

    // Half-transparent white: blended it would be grey, unblended white.
    setStrokeBold(0);
    setLineState({1.0f, true, true});
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const auto draw = [] { drawStrokeText(20, 60, 200, "%s", "Ag"); };
    const Image sharp = picture(draw, 0.5f);
    EXPECT_GT(litPixels(sharp), 0);
    EXPECT_EQ(partialInkPixels(sharp), 0) << "no blending nor smoothing without strokeSmooth";
    setStrokeSmooth(1);
    setLineState({1.0f, false, false});
    EXPECT_EQ(partialInkPixels(picture(draw, 0.5f)), litPixels(picture(draw, 0.5f)));
}

TEST_F(StrokeText, EmptyAndOverlongTextsAreSafe)
{
    EXPECT_EQ(litPixels(text("", 200)), 0);

    // Spacing that cancels a space's advance puts whatever follows any
    // number of spaces at the start: only the first 1999 characters count.
    setStrokeSpacing(-glutStrokeWidthf(GLUT_STROKE_ROMAN, ' '));
    const std::string spaces(1998, ' ');
    EXPECT_GT(litPixels(text((spaces + "l").c_str(), 100)), 0) << "1999 characters";
    EXPECT_EQ(litPixels(text((spaces + " l").c_str(), 100)), 0) << "2000 characters";
    const std::string huge(5000, 'W');
    EXPECT_GT(litPixels(text(huge.c_str(), 100)), 0);
}
