/*
 * gl_state_test.cpp - the shared save-and-restore primitives: the GL
 * version read from its string, and a blend function replaced wherever
 * any factor differs and put back exactly, alpha factors included.
 *
 * Depends on: support/gl_state.h, the harness, GoogleTest.
 */
#define GL_GLEXT_PROTOTYPES 1
#include "support/gl_state.h"
#include "tests/harness/glut_window.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

namespace {

using vestrane::detail::glVersionOf;

// Source and target factors for colour, then for alpha.
std::array<GLint, 4> blendFunction()
{
    std::array<GLint, 4> factors{};
    glGetIntegerv(GL_BLEND_SRC_RGB, &factors[0]);
    glGetIntegerv(GL_BLEND_DST_RGB, &factors[1]);
    glGetIntegerv(GL_BLEND_SRC_ALPHA, &factors[2]);
    glGetIntegerv(GL_BLEND_DST_ALPHA, &factors[3]);
    return factors;
}

}  // namespace

TEST(GlState, VersionIsMajorTimesTenPlusMinorEachAtMostNine)
{
    for (const auto& [text, version] :
         std::vector<std::pair<const char*, int>>{{"2.1 Mesa 22.3.6", 21},
                                                  {"4.5 (Compatibility Profile) Mesa 22.3.6", 45},
                                                  {"1.5.0", 15},
                                                  {"3.10", 39},
                                                  {"12.0", 90},
                                                  {"3", 30},
                                                  {nullptr, 11}})
        EXPECT_EQ(glVersionOf(text), version) << (text ? text : "NULL");
}

TEST(GlState, BlendFunctionIsReplacedWhereAnyFactorDiffersAndPutBackWithItsAlphaFactors)
{
    const int window = openTestWindow("gl state", 20, 20);
    const std::array<GLint, 4> wanted = {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA,
                                         GL_ONE_MINUS_SRC_ALPHA};
    const std::array<GLint, 4> callers[] = {
        {GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
        {GL_SRC_ALPHA, GL_ONE, GL_SRC_ALPHA, GL_ONE},
        {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
        wanted};
    for (const auto& caller : callers) {
        glBlendFuncSeparate(static_cast<GLenum>(caller[0]), static_cast<GLenum>(caller[1]),
                            static_cast<GLenum>(caller[2]), static_cast<GLenum>(caller[3]));
        const auto saved = vestrane::detail::replaceBlendFunction(
            vestrane::detail::contextGlVersion(), GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        EXPECT_EQ(blendFunction(), wanted);
        EXPECT_EQ(saved.changed, caller != wanted);
        vestrane::detail::putBack(saved);
        EXPECT_EQ(blendFunction(), caller);
    }
    closeTestWindow(window);
}
