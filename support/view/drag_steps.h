/*
 * drag_steps.h - the arithmetic of zoom and pan drags (internal, C++).
 *
 * Internal to the view module. Pure computations, kept apart from the
 * mouse handlers so that they can be checked without a window.
 */
#ifndef VESTRANE_SUPPORT_VIEW_DRAG_STEPS_H
#define VESTRANE_SUPPORT_VIEW_DRAG_STEPS_H

namespace vestrane::detail {

/*
 * The range of the zoom scale. At its ends the scale applied to the view
 * matrix (and its cube, the matrix's determinant, 1e-18 .. 1e18) stays a
 * normal float far from overflow, so the matrix stays finite and
 * invertible, with room for the projection and the scene's own units.
 * A factor of ten is some 580 pixels of drag, so either end is a few
 * window-high drags away from 1.
 */
constexpr float minZoomScale = 1e-6f;
constexpr float maxZoomScale = 1e6f;

/*
 * The zoom scale after a vertical Ctrl drag of `dy` pixels (downwards
 * positive): multiplied by 1.02^(dy / 5) for dy > 0, divided by
 * 1.02^(-dy / 5) for dy < 0, unchanged for 0. Computed in double precision
 * with the single-precision 1.02 as base, rounded to float. A result
 * outside minZoomScale .. maxZoomScale (or not finite) leaves `scale` as it
 * was.
 */
[[nodiscard]] float zoomedScale(float scale, long long dy);

/*
 * The world distance that a drag of `pixels` moves the pan:
 * ((2 * pixels / windowWidth) / projectionScaleX) * factor, where
 * projectionScaleX is element 0 of the projection matrix. A zero width or
 * scale, or any other input that gives no distance finite in single
 * precision, moves nothing.
 */
[[nodiscard]] double panStep(long long pixels, int windowWidth, float projectionScaleX,
                             float factor);

}  // namespace vestrane::detail

#endif /* VESTRANE_SUPPORT_VIEW_DRAG_STEPS_H */
