/*
 * The frustum and perspective reshapes: windows really resized with the
 * reshape registered, the projection compared with the matrix GL and GLU
 * build themselves, the eye translation read back as the whole model-view
 * matrix, and redisplays counted in a second window.
 */
#include "support/projection/projection.h"
#include "tests/gl_matrices.h"
#include "tests/harness/glut_window.h"

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

Matrix translation(float x, float y, float z)
{
    return matrixOf([&] { glTranslatef(x, y, z); });
}

struct ViewBoxValues {
    float left, right, bottom, top, pixelSize;
};

ViewBoxValues currentViewBox()
{
    return {getViewLeft(), getViewRight(), getViewBottom(), getViewTop(), getPixelSize()};
}

void expectViewBox(const ViewBoxValues& expected)
{
    EXPECT_FLOAT_EQ(getViewLeft(), expected.left);
    EXPECT_FLOAT_EQ(getViewRight(), expected.right);
    EXPECT_FLOAT_EQ(getViewBottom(), expected.bottom);
    EXPECT_FLOAT_EQ(getViewTop(), expected.top);
    EXPECT_FLOAT_EQ(getPixelSize(), expected.pixelSize);
}

std::string sizeName(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

int redrawsOfOther = 0;

}  // namespace

TEST(FrustumReshape, WidensTheNearPlaneBoxAndLoadsTheEyeShift)
{
    setFrustumBox(-1, 1, -1, 1, 1, 100, 0, 0, -5);
    const int window = openTestWindow("frustum", 100, 100);
    glutReshapeFunc(reshapeFrustum);
    const Matrix shift = translation(0, 0, -5);

    ASSERT_TRUE(resizeTestWindow(window, 400, 200));
    expectReshapeEndState(400, 200, shift);
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX),
                     projectionOf([] { glFrustum(-2, 2, -1, 1, 1, 100); }));
    expectViewBox({-2, 2, -1, 1, 0.01f});

    ASSERT_TRUE(resizeTestWindow(window, 200, 400));
    expectReshapeEndState(200, 400, shift);
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX),
                     projectionOf([] { glFrustum(-1, 1, -2, 2, 1, 100); }));
    expectViewBox({-1, 1, -2, 2, 0.01f});

    // The perspective reshape leaves the shared view box alone.
    setPerspective(60, 1, 1, 100, 0, 0, -10);
    reshapePerspective(300, 300);
    expectViewBox({-1, 1, -2, 2, 0.01f});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
}

TEST(PerspectiveReshape, WindowsNarrowerThanTheReferenceWidenTheFieldOfView)
{
    setPerspective(60, 1, 1, 100, 0, 0, -10);
    const int window = openTestWindow("perspective", 100, 100);
    glutReshapeFunc(reshapePerspective);
    const Matrix shift = translation(0, 0, -10);
    struct Case {
        int width;
        int height;
        float fovy;
        float aspect;
    };
    const Case cases[] = {
        {800, 400, 60, 2},
        {400, 400, 60, 1},
        {400, 800, 120, 0.5f},
        {300, 400, 80, 0.75f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(sizeName(c.width, c.height));
        ASSERT_TRUE(resizeTestWindow(window, c.width, c.height));
        EXPECT_FLOAT_EQ(getPerspectiveFovy(), c.fovy);
        EXPECT_EQ(getPerspectiveAspect(), c.aspect);
        expectReshapeEndState(c.width, c.height, shift);
        expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX),
                         projectionOf([&] { gluPerspective(c.fovy, c.aspect, 1, 100); }));
    }
    closeTestWindow(window);
}

TEST(PerspectiveReshape, RedisplaysTheNamedWindowOnly)
{
    const int window = openTestWindow("reshaped", 200, 200, 0, 0);
    const int other = openTestWindow("other", 100, 100, 700, 600);
    glutDisplayFunc([] { ++redrawsOfOther; });
    // The resize returns once every event it brought has been handled, the
    // redisplays the reshape asked for included.
    const auto redrawsAfterResize = [&](int width) {
        pumpPendingEvents();
        redrawsOfOther = 0;
        EXPECT_TRUE(resizeTestWindow(window, width, 200));
        return redrawsOfOther;
    };
    glutSetWindow(window);
    glutReshapeFunc(reshapePerspective);

    setPerspective(60, 1, 1, 100, 0, 0, -10);
    EXPECT_EQ(redrawsAfterResize(300), 0) << "no window named at first";
    setPerspectiveForWindow(60, 1, 1, 100, 0, 0, -10, other);
    EXPECT_GE(redrawsAfterResize(250), 1);
    setPerspective(45, 1, 1, 50, 0, 0, -4);
    EXPECT_GE(redrawsAfterResize(300), 1) << "setPerspective keeps the window";

    glutSetWindow(window);
    glutReshapeFunc(reshapeFrustum);
    setFrustumBox(-1, 1, -1, 1, 1, 100, 0, 0, -5);
    EXPECT_EQ(redrawsAfterResize(250), 0) << "the frustum reshape never redisplays";

    glutSetWindow(window);
    glutReshapeFunc(reshapePerspective);
    setPerspectiveForWindow(60, 1, 1, 100, 0, 0, -10, -1);
    EXPECT_EQ(redrawsAfterResize(300), 0);
    closeTestWindow(other);
    closeTestWindow(window);
}

TEST(ProjectionReshapes, ZeroSizedWindowKeepsThePreviousProjectionAndValues)
{
    const int window = openTestWindow("zero", 400, 300);
    setFrustumBox(-1, 1, -1, 1, 1, 100, 0, 0, -5);
    setPerspective(60, 1, 1, 100, 0, 0, -10);
    const std::array<int, 2> degenerate[] = {{0, 300}, {400, 0}, {0, 0}};

    reshapeFrustum(400, 300);
    const Matrix frustum = currentMatrix(GL_PROJECTION_MATRIX);
    const ViewBoxValues box = currentViewBox();
    for (const auto& size : degenerate) {
        SCOPED_TRACE("frustum " + sizeName(size[0], size[1]));
        reshapeFrustum(size[0], size[1]);
        EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX), frustum);
        expectReshapeEndState(400, 300, translation(0, 0, -5));
        expectViewBox(box);
        for (float value : {box.left, box.right, box.bottom, box.top, box.pixelSize}) {
            EXPECT_TRUE(std::isfinite(value));
        }
    }

    reshapePerspective(400, 300);
    const Matrix perspective = currentMatrix(GL_PROJECTION_MATRIX);
    for (const auto& size : degenerate) {
        SCOPED_TRACE("perspective " + sizeName(size[0], size[1]));
        reshapePerspective(size[0], size[1]);
        EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX), perspective);
        expectReshapeEndState(400, 300, translation(0, 0, -10));
        EXPECT_FLOAT_EQ(getPerspectiveFovy(), 60);
        EXPECT_FLOAT_EQ(getPerspectiveAspect(), 400 / 300.0f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
}

TEST(PerspectiveReshape, FieldOfViewWidensLinearlyUpToTheCapAndStaysUpright)
{
    setPerspective(60, 1, 1, 100, 0, 0, -10);
    const int window = openTestWindow("tall", 200, 200);
    reshapePerspective(336, 1000);
    EXPECT_FLOAT_EQ(getPerspectiveFovy(), 60 / (336 / 1000.0f)) << "just below the cap";
    for (const auto& size : {std::array<int, 2>{200, 800}, {100, 300}}) {
        SCOPED_TRACE(sizeName(size[0], size[1]));
        reshapePerspective(size[0], size[1]);
        EXPECT_EQ(getPerspectiveFovy(), PROJECTION_MAX_FOVY);
        const Matrix projection = currentMatrix(GL_PROJECTION_MATRIX);
        expectMatrixNear(projection, projectionOf([&] {
                             gluPerspective(PROJECTION_MAX_FOVY, getPerspectiveAspect(), 1, 100);
                         }));
        EXPECT_GT(projection[5], 0.0f) << "the picture must not turn upside down";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
}

namespace {

constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();

struct UnusableSetUp {
    const char* name;
    void (*reshape)(int width, int height);
    void (*set)();
};

const UnusableSetUp unusableSetUps[] = {
    {"ortho never set", reshapeOrtho, [] { setOrthoBox(0, 0, 0, 0, 0, 0); }},
    {"ortho equal bounds", reshapeOrtho, [] { setOrthoBox(-5, 5, 2, 2, -1, 1); }},
    {"ortho near = far", reshapeOrtho, [] { setOrthoBox(-5, 5, -5, 5, 3, 3); }},
    {"ortho infinite", reshapeOrtho, [] { setOrthoBox(-infinity, 5, -5, 5, -1, 1); }},
    {"ortho NaN", reshapeOrtho, [] { setOrthoBox(-5, 5, -5, 5, notANumber, 1); }},
    {"ortho widened past float", reshapeOrtho, [] { setOrthoBox(-3e38f, 3e38f, -1, 1, -1, 1); }},
    // Each axis's scale 2 / span falls just under the smallest normal float.
    {"ortho x scale past float", reshapeOrtho, [] { setOrthoBox(-1e38f, 1e38f, -1, 1, -1, 1); }},
    {"ortho y scale past float", reshapeOrtho, [] { setOrthoBox(-1, 1, -1e38f, 1e38f, -1, 1); }},
    {"ortho depth scale past float", reshapeOrtho,
     [] { setOrthoBox(-1, 1, -1, 1, -1e38f, 1e38f); }},
    {"ortho centre past float", reshapeOrtho,
     [] { setOrthoBox(-1, 1, 3e38f, std::numeric_limits<float>::max(), -1, 1); }},
    {"frustum near 0", reshapeFrustum, [] { setFrustumBox(-1, 1, -1, 1, 0, 100, 0, 0, -5); }},
    {"frustum near < 0", reshapeFrustum, [] { setFrustumBox(-1, 1, -1, 1, -1, 100, 0, 0, -5); }},
    {"frustum near = far", reshapeFrustum, [] { setFrustumBox(-1, 1, -1, 1, 5, 5, 0, 0, -5); }},
    {"frustum far < near", reshapeFrustum, [] { setFrustumBox(-1, 1, -1, 1, 9, 5, 0, 0, -5); }},
    {"ortho too thin for float", reshapeOrtho, [] { setOrthoBox(0, 1e-45f, -1, 1, -1, 1); }},
    {"frustum depth past float", reshapeFrustum,
     [] { setFrustumBox(-1, 1, -1, 1, 5, 3e38f, 0, 0, 0); }},
    {"frustum NaN", reshapeFrustum, [] { setFrustumBox(notANumber, 1, -1, 1, 1, 100, 0, 0, -5); }},
    {"frustum infinite far", reshapeFrustum,
     [] { setFrustumBox(-1, 1, -1, 1, 1, infinity, 0, 0, 0); }},
    {"frustum infinite shift", reshapeFrustum,
     [] { setFrustumBox(-1, 1, -1, 1, 1, 9, 0, infinity, 0); }},
    {"perspective NaN", reshapePerspective,
     [] { setPerspective(notANumber, 1, 1, 100, 0, 0, -10); }},
    {"perspective fovy 180", reshapePerspective, [] { setPerspective(180, 1, 1, 9, 0, 0, -1); }},
    {"perspective fovy 0", reshapePerspective, [] { setPerspective(0, 1, 1, 100, 0, 0, -10); }},
    {"perspective tiny fovy", reshapePerspective, [] { setPerspective(1e-38f, 1, 1, 9, 0, 0, 0); }},
    {"perspective near 0", reshapePerspective, [] { setPerspective(60, 1, 0, 100, 0, 0, -10); }},
    {"perspective near < 0", reshapePerspective, [] { setPerspective(60, 1, -2, 100, 0, 0, 0); }},
    {"perspective near = far", reshapePerspective, [] { setPerspective(60, 1, 4, 4, 0, 0, 0); }},
    {"perspective infinite aspect", reshapePerspective,
     [] { setPerspective(60, infinity, 1, 9, 0, 0, 0); }},
    {"perspective NaN shift", reshapePerspective,
     [] { setPerspective(60, 1, 1, 9, notANumber, 0, 0); }},
};

/* Everything a reshape may change: both matrices, the viewport and the
 * getters. */
std::vector<float> reshapeResults()
{
    std::vector<float> results(16 + 16 + 4);
    glGetFloatv(GL_PROJECTION_MATRIX, results.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, results.data() + 16);
    glGetFloatv(GL_VIEWPORT, results.data() + 32);
    results.insert(results.end(), {getViewLeft(), getViewRight(), getViewBottom(), getViewTop(),
                                   getPixelSize(), getPerspectiveFovy(), getPerspectiveAspect()});
    return results;
}

}  // namespace

TEST(ProjectionReshapes, UnusableSetUpsKeepThePreviousProjectionAndValues)
{
    const int window = openTestWindow("unusable", 400, 300);
    for (const UnusableSetUp& setUp : unusableSetUps) {
        SCOPED_TRACE(setUp.name);
        setOrthoBox(-5, 5, -5, 5, -500, 500);
        setFrustumBox(-1, 1, -1, 1, 1, 100, 0, 0, -5);
        setPerspective(60, 1, 1, 100, 0, 0, -10);
        setUp.reshape(400, 300);
        const std::vector<float> before = reshapeResults();
        setUp.set();
        setUp.reshape(300, 200);
        EXPECT_EQ(reshapeResults(), before);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    closeTestWindow(window);
}

TEST(PerspectiveReshape, SetUpsAreUsedAsFarAsTheMatrixTermsStayNormalFloats)
{
    // gluPerspective's depth term 2 near far / (far - near) is about 2 near
    // for a far plane at 100: a normal float down to near = FLT_MIN / 2.
    const int window = openTestWindow("near limit", 400, 300);
    const float limit = std::numeric_limits<float>::min() / 2;
    setPerspective(60, 1, 1, 100, 0, 0, 0);
    reshapePerspective(400, 300);
    setPerspective(60, 1, limit, 100, 0, 0, 0);
    reshapePerspective(400, 300);
    EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX),
              projectionOf([&] { gluPerspective(60, getPerspectiveAspect(), limit, 100); }));
    const std::vector<float> atLimit = reshapeResults();
    setPerspective(60, 1, std::nextafter(limit, 0.0f), 100, 0, 0, 0);
    reshapePerspective(300, 200);
    EXPECT_EQ(reshapeResults(), atLimit) << "one float nearer is refused";
    // A field of view whose cotangent, 3.3e38, is still a float, used at
    // 4:3; a far plane at 1e30, whose depth terms stay near 1 and 2.
    for (const std::pair<float, float>& setUp :
         {std::pair{3.5e-37f, 100.0f}, std::pair{60.0f, 1e30f}}) {
        const float fovy = setUp.first;
        const float far = setUp.second;
        setPerspective(fovy, 1, 1, far, 0, 0, 0);
        reshapePerspective(400, 300);
        EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX),
                  projectionOf([&] { gluPerspective(fovy, getPerspectiveAspect(), 1, far); }))
            << fovy << ", " << far;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    closeTestWindow(window);
}
