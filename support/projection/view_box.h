/*
 * view_box.h - a wanted box widened to a window's shape (internal, C++).
 *
 * Internal to the projection module. Pure computations, kept apart so that
 * they can be checked without a window.
 *
 * Depends on: nothing.
 */
#ifndef VESTRANE_SUPPORT_PROJECTION_VIEW_BOX_H
#define VESTRANE_SUPPORT_PROJECTION_VIEW_BOX_H

namespace vestrane::detail {

struct ViewBox {
    double left;
    double right;
    double bottom;
    double top;
};

/*
 * The wanted box widened about the origin along the window's longer side:
 * for a wide window both x bounds are scaled by width / height, otherwise
 * both y bounds by height / width (products first, then the division).
 * The sizes must be positive.
 */
ViewBox widenToWindow(const ViewBox& wanted, int width, int height);

/* The world height of one pixel row of a box shown in `height` rows. */
float pixelSizeOf(const ViewBox& box, int height);

}  // namespace vestrane::detail

#endif /* VESTRANE_SUPPORT_PROJECTION_VIEW_BOX_H */
