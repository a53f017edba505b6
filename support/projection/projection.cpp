/*
 * projection.cpp - reshape callbacks that keep the picture undistorted, and
 * picking
 *
 * The wanted boxes and the current view box shared by the reshapes, the
 * widening of a box to the window's shape, the checks that keep degenerate
 * or non-finite projections away from GL, and the reshape callbacks; the
 * depth read and unprojection that turn a pixel back into a scene point.
 *
 * Depends on: OpenGL (glViewport, glMatrixMode, glLoadIdentity, glOrtho,
 * glFrustum, glTranslatef), pixel_read.h (the depth as stored), GLU
 * (gluPerspective, gluUnProject), GLUT (glutPostWindowRedisplay, glutGet,
 * glutGetWindow).
 */
#include "support/projection/projection.h"
#include "support/pixel_read.h"
#include "support/projection/view_box.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <cmath>

using vestrane::detail::packBufferBound;
using vestrane::detail::pixelSizeOf;
using vestrane::detail::readPlain;
using vestrane::detail::ViewBox;
using vestrane::detail::widenToWindow;

/* ---- State ------------------------------------------------------------- */

namespace {

/* Everything the reshapes keep; all zero at program start except the
 * perspective's redisplay window, which names none. */
struct ProjectionState {
    /* The wanted orthographic box (setOrthoBox). */
    double orthoXmin, orthoXmax, orthoYmin, orthoYmax, orthoNear, orthoFar;

    /* The bounds and pixel size last loaded by an orthographic or frustum
     * reshape. */
    double viewLeft, viewRight, viewBottom, viewTop;
    float pixelSize;

    /* The wanted near-plane box, depth range and eye shift (setFrustumBox). */
    double frustumXmin, frustumXmax, frustumYmin, frustumYmax, frustumNear, frustumFar;
    double frustumShiftX, frustumShiftY, frustumShiftZ;

    /* The perspective set-up (setPerspective) and what its reshape used. */
    double perspectiveFovy, perspectiveRefAspect, perspectiveNear, perspectiveFar;
    double perspectiveShiftX, perspectiveShiftY, perspectiveShiftZ;
    float perspectiveAspect;
    float perspectiveUsedFovy;
    WindowId perspectiveRedisplayWindow = -1;
};

ProjectionState projection{};

/* ---- Internal helpers -------------------------------------------------- */

constexpr double pi = 3.14159265358979323846;

bool isDrawableSize(int width, int height)
{
    return width > 0 && height > 0;
}

bool areFinite(double x, double y, double z)
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

/* Whether `value`, kept by GL as a float, is a usable matrix scale: finite,
 * and neither zero nor so small that the matrix turns singular. */
bool isFloatScale(double value)
{
    return std::isnormal(static_cast<float>(value));
}

bool isFloatFinite(double value)
{
    return std::isfinite(static_cast<float>(value));
}

/*
 * Whether the axis from `low` to `high`, as GL takes it (in float), gives
 * a finite matrix: the scale numerator / (high - low) a normal float and
 * the offset (high + low) / (high - low) finite. Equal bounds, infinities,
 * not-a-number and bounds beyond the float range all fail.
 */
bool isUsableAxis(double low, double high, float numerator)
{
    const float first = static_cast<float>(low);
    const float last = static_cast<float>(high);
    const float extent = last - first;
    return std::isnormal(numerator / extent) && std::isfinite((last + first) / extent);
}

bool isUsableOrtho(const ViewBox& box)
{
    return isUsableAxis(box.left, box.right, 2.0f) && isUsableAxis(box.bottom, box.top, 2.0f) &&
           isUsableAxis(projection.orthoNear, projection.orthoFar, 2.0f);
}

/* A depth range in front of the eye: 0 < near < far, both finite. */
bool isDepthInFront(double near, double far)
{
    return near > 0.0 && near < far && std::isfinite(far);
}

bool isUsableFrustum(const ViewBox& box)
{
    const double near = projection.frustumNear;
    const double far = projection.frustumFar;
    if (!isDepthInFront(near, far) ||
        !areFinite(projection.frustumShiftX, projection.frustumShiftY, projection.frustumShiftZ)) {
        return false;
    }
    const auto nearPlane = static_cast<float>(near);
    const auto farPlane = static_cast<float>(far);
    const float depth = farPlane - nearPlane;
    return isUsableAxis(box.left, box.right, 2.0f * nearPlane) &&
           isUsableAxis(box.bottom, box.top, 2.0f * nearPlane) &&
           std::isfinite((farPlane + nearPlane) / depth) &&
           std::isnormal(2.0f * farPlane * nearPlane / depth);
}

/* Whether the stored perspective set-up can be used at all, whatever the
 * window's shape. */
bool isUsablePerspectiveSetup()
{
    const double fovy = projection.perspectiveFovy;
    return fovy > 0.0 && fovy < 180.0 && std::isfinite(projection.perspectiveRefAspect) &&
           isDepthInFront(projection.perspectiveNear, projection.perspectiveFar) &&
           areFinite(projection.perspectiveShiftX, projection.perspectiveShiftY,
                     projection.perspectiveShiftZ);
}

/*
 * The field of view widened linearly (no tangent) for windows narrower
 * than the reference aspect, so that the reference width stays in view,
 * and capped at PROJECTION_MAX_FOVY.
 */
float fieldOfViewFor(float aspect)
{
    double fovy = projection.perspectiveFovy;
    if (aspect < projection.perspectiveRefAspect) {
        fovy = fovy / aspect * projection.perspectiveRefAspect;
    }
    return static_cast<float>(std::min(fovy, static_cast<double>(PROJECTION_MAX_FOVY)));
}

/* Whether gluPerspective's matrix for this field of view and aspect (built
 * in double, kept by GL in float) is finite and invertible. */
bool isUsablePerspective(float fovy, float aspect)
{
    const double near = projection.perspectiveNear;
    const double far = projection.perspectiveFar;
    const double halfAngle = fovy / 2.0 * pi / 180.0;
    const double cotangent = std::cos(halfAngle) / std::sin(halfAngle);
    return isFloatScale(cotangent / aspect) && isFloatScale(cotangent) &&
           isFloatFinite((far + near) / (far - near)) &&
           isFloatScale(2.0 * near * far / (far - near));
}

void beginProjection(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void endProjection()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

/* Ends the projection with the shift as the whole model-view matrix. */
void endProjectionShifted(double x, double y, double z)
{
    endProjection();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

/*
 * The road shared by the orthographic and frustum reshapes: widens `wanted`
 * to the window and, when `isUsable` accepts the result, sets the viewport,
 * records the result as the current view box and hands it to `load`, which
 * loads the projection and ends the reshape.
 */
template <typename Load>
void reshapeBox(const ViewBox& wanted, int width, int height, bool (*isUsable)(const ViewBox&),
                Load load)
{
    if (!isDrawableSize(width, height)) {
        return;
    }
    const ViewBox box = widenToWindow(wanted, width, height);
    if (!isUsable(box)) {
        return;
    }
    beginProjection(width, height);
    projection.viewLeft = box.left;
    projection.viewRight = box.right;
    projection.viewBottom = box.bottom;
    projection.viewTop = box.top;
    projection.pixelSize = pixelSizeOf(box, height);
    load(box);
}

/* The depth stored at GL pixel (column, row); not-a-number when nothing
 * was read. */
double readDepth(int column, int row)
{
    GLfloat depth = NAN;
    readPlain(column, row, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

/* Whether a depth lies on the near side of the far value: something was
 * drawn there (the background keeps the far value, or beyond). A reversed
 * depth range (near above far) counts the other way. */
bool isDrawnDepth(double depth, const GLdouble range[2])
{
    return range[0] <= range[1] ? depth < range[1] : depth > range[1];
}

/*
 * The scene point drawn at window position (winX, winY) with depth `depth`,
 * through the current matrices, viewport and depth range (which gluUnProject
 * takes as 0 to 1, so the depth is mapped onto that first). False when the
 * matrices are singular or the point is not finite.
 */
bool unprojectWindowPoint(double winX, double winY, double depth, const GLdouble range[2],
                          double point[3])
{
    GLdouble modelView[16];
    GLdouble projectionMatrix[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projectionMatrix);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double winZ = (depth - range[0]) / (range[1] - range[0]);
    return std::isfinite(winZ) &&
           gluUnProject(winX, winY, winZ, modelView, projectionMatrix, viewport, &point[0],
                        &point[1], &point[2]) == GL_TRUE &&
           areFinite(point[0], point[1], point[2]);
}

}  // namespace

namespace vestrane::detail {

ViewBox widenToWindow(const ViewBox& wanted, int width, int height)
{
    ViewBox box = wanted;
    if (width > height) {
        box.left = width * wanted.left / height;
        box.right = width * wanted.right / height;
    } else {
        box.bottom = height * wanted.bottom / width;
        box.top = height * wanted.top / width;
    }
    return box;
}

float pixelSizeOf(const ViewBox& box, int height)
{
    return static_cast<float>((box.top - box.bottom) / height);
}

}  // namespace vestrane::detail

/* ---- Public functions -------------------------------------------------- */

void setOrthoBox(float xmin, float xmax, float ymin, float ymax, float near, float far)
{
    projection.orthoXmin = xmin;
    projection.orthoXmax = xmax;
    projection.orthoYmin = ymin;
    projection.orthoYmax = ymax;
    projection.orthoNear = near;
    projection.orthoFar = far;
}

/*
 * A zero-sized window would give infinite bounds, aspect or field of view,
 * and an unusable set-up a degenerate or non-finite matrix: every reshape
 * keeps its last projection and values for them instead.
 */
void reshapeOrtho(int width, int height)
{
    const ViewBox wanted = {projection.orthoXmin, projection.orthoXmax, projection.orthoYmin,
                            projection.orthoYmax};
    reshapeBox(wanted, width, height, isUsableOrtho, [](const ViewBox& box) {
        glOrtho(box.left, box.right, box.bottom, box.top, projection.orthoNear,
                projection.orthoFar);
        endProjection();
    });
}

void reshapeWindowPixels(int width, int height)
{
    if (!isDrawableSize(width, height)) {
        return;
    }
    beginProjection(width, height);
    glOrtho(0.0, width, -height, 0.0, -1.0, 1.0);
    endProjection();
}

void setFrustumBox(float xmin, float xmax, float ymin, float ymax, float near, float far,
                   float shiftX, float shiftY, float shiftZ)
{
    projection.frustumXmin = xmin;
    projection.frustumXmax = xmax;
    projection.frustumYmin = ymin;
    projection.frustumYmax = ymax;
    projection.frustumNear = near;
    projection.frustumFar = far;
    projection.frustumShiftX = shiftX;
    projection.frustumShiftY = shiftY;
    projection.frustumShiftZ = shiftZ;
}

void reshapeFrustum(int width, int height)
{
    const ViewBox wanted = {projection.frustumXmin, projection.frustumXmax, projection.frustumYmin,
                            projection.frustumYmax};
    reshapeBox(wanted, width, height, isUsableFrustum, [](const ViewBox& box) {
        glFrustum(box.left, box.right, box.bottom, box.top, projection.frustumNear,
                  projection.frustumFar);
        endProjectionShifted(projection.frustumShiftX, projection.frustumShiftY,
                             projection.frustumShiftZ);
    });
}

void setPerspective(float fovy, float refAspect, float near, float far, float shiftX, float shiftY,
                    float shiftZ)
{
    projection.perspectiveFovy = fovy;
    projection.perspectiveRefAspect = refAspect;
    projection.perspectiveNear = near;
    projection.perspectiveFar = far;
    projection.perspectiveShiftX = shiftX;
    projection.perspectiveShiftY = shiftY;
    projection.perspectiveShiftZ = shiftZ;
}

void setPerspectiveForWindow(float fovy, float refAspect, float near, float far, float shiftX,
                             float shiftY, float shiftZ, WindowId window)
{
    setPerspective(fovy, refAspect, near, far, shiftX, shiftY, shiftZ);
    projection.perspectiveRedisplayWindow = window;
}

void reshapePerspective(int width, int height)
{
    if (!isDrawableSize(width, height) || !isUsablePerspectiveSetup()) {
        return;
    }
    const auto aspect = static_cast<float>(static_cast<double>(width) / height);
    const float fovy = fieldOfViewFor(aspect);
    if (!isUsablePerspective(fovy, aspect)) {
        return;
    }
    beginProjection(width, height);
    projection.perspectiveAspect = aspect;
    projection.perspectiveUsedFovy = fovy;
    gluPerspective(fovy, aspect, projection.perspectiveNear, projection.perspectiveFar);
    endProjectionShifted(projection.perspectiveShiftX, projection.perspectiveShiftY,
                         projection.perspectiveShiftZ);
    if (projection.perspectiveRedisplayWindow != -1) {
        glutPostWindowRedisplay(projection.perspectiveRedisplayWindow);
    }
}

float getPerspectiveFovy(void)
{
    return projection.perspectiveUsedFovy;
}
float getPerspectiveAspect(void)
{
    return projection.perspectiveAspect;
}

float getViewLeft(void)
{
    return static_cast<float>(projection.viewLeft);
}
float getViewRight(void)
{
    return static_cast<float>(projection.viewRight);
}
float getViewBottom(void)
{
    return static_cast<float>(projection.viewBottom);
}
float getViewTop(void)
{
    return static_cast<float>(projection.viewTop);
}
float getPixelSize(void)
{
    return projection.pixelSize;
}

/*
 * Every check comes before the read, so that a pixel outside the window or
 * a window without depth never reaches glReadPixels.
 */
int windowToScene(int x, int y, double* sceneX, double* sceneY, double* sceneZ)
{
    if (glutGetWindow() == 0) {
        return 0;
    }
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    if (depthBits <= 0 || packBufferBound()) {
        return 0;
    }
    const int row = height - 1 - y;
    const double depth = readDepth(x, row);
    GLdouble range[2] = {0.0, 1.0};
    glGetDoublev(GL_DEPTH_RANGE, range);
    double point[3];
    if (!isDrawnDepth(depth, range) ||
        !unprojectWindowPoint(x + 0.5, row + 0.5, depth, range, point)) {
        return 0;
    }
    double* const outputs[] = {sceneX, sceneY, sceneZ};
    for (int i = 0; i < 3; ++i) {
        if (outputs[i]) {
            *outputs[i] = point[i];
        }
    }
    return 1;
}
