/*
 * anchor.h - where a point lands in the window, projected by hand
 * (internal, C++).
 *
 * Depends on: render.h (Anchor). Defined in anchor.cpp; used by text.cpp
 * where GL cannot place a raster position (core and ES contexts) or a
 * matrix of the caller's own is set, and by the tests. No GL.
 */
#ifndef VESTRANE_SUPPORT_TEXT_ANCHOR_H
#define VESTRANE_SUPPORT_TEXT_ANCHOR_H

#include "support/text/render.h"

#include <array>

namespace vestrane::detail {

/*
 * The anchor of the point (x, y, z, 1) under a column-major matrix to clip
 * coordinates, a viewport (x, y, width, height) and a depth range (near,
 * far), as glRasterPos places it: window x and y in pixels, window depth,
 * and the clip w; valid when w > 0 and the point lies inside the clip
 * volume (-w <= x, y, z <= w), all of it finite.
 */
[[nodiscard]] Anchor projectAnchor(const std::array<float, 16>& matrix,
                                   const std::array<int, 4>& viewport,
                                   const std::array<float, 2>& depthRange, float x, float y,
                                   float z);

/* Whether every element is finite. */
[[nodiscard]] bool allFinite(const float* values, int count);

}  // namespace vestrane::detail

#endif
