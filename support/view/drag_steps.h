/*
 * drag_steps.h - the arithmetic of zoom and pan drags
 *
 * Internal to the view module. Pure computations, kept apart from the
 * mouse handlers so that they can be checked without a window.
 */
#ifndef VESTRANE_DRAG_STEPS_H
#define VESTRANE_DRAG_STEPS_H

/*
 * The zoom scale after a vertical Ctrl drag of `dy` pixels (downwards
 * positive): multiplied by 1.02^(dy / 5) for dy > 0, divided by
 * 1.02^(-dy / 5) for dy < 0, unchanged for 0. Computed in double precision
 * with the single-precision 1.02 as base, rounded to float.
 */
[[nodiscard]] float zoomedScale(float scale, int dy);

/*
 * The world distance that a drag of `pixels` moves the pan:
 * ((2 * pixels / windowWidth) / projectionScaleX) * factor, where
 * projectionScaleX is element 0 of the projection matrix. A zero width or
 * scale, or any other input that gives no distance finite in single
 * precision, moves nothing.
 */
[[nodiscard]] double panStep(int pixels, int windowWidth, float projectionScaleX, float factor);

#endif /* VESTRANE_DRAG_STEPS_H */
