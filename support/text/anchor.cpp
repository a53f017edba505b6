/*
 * anchor.cpp - a point projected to window pixels through a matrix, the
 * viewport and the depth range, as GL places a raster position.
 *
 * Depends on: the C++ library. No GL.
 */
#include "support/text/anchor.h"

#include <cmath>

namespace vestrane::detail {

Anchor projectAnchor(const std::array<float, 16>& matrix, const std::array<int, 4>& viewport,
                     const std::array<float, 2>& depthRange, float x, float y, float z)
{
    std::array<double, 4> clip{};
    for (std::size_t row = 0; row < 4; ++row)
        clip[row] =
            static_cast<double>(matrix[row]) * x + static_cast<double>(matrix[4 + row]) * y +
            static_cast<double>(matrix[8 + row]) * z + static_cast<double>(matrix[12 + row]);
    Anchor anchor;
    const double w = clip[3];
    const bool finite = std::isfinite(clip[0]) && std::isfinite(clip[1]) &&
                        std::isfinite(clip[2]) && std::isfinite(w);
    if (!finite || !(w > 0.0) || std::fabs(clip[0]) > w || std::fabs(clip[1]) > w ||
        std::fabs(clip[2]) > w)
        return anchor;
    const double near = depthRange[0];
    const double far = depthRange[1];
    anchor.position = {static_cast<float>(viewport[0] + (clip[0] / w + 1.0) * viewport[2] / 2.0),
                       static_cast<float>(viewport[1] + (clip[1] / w + 1.0) * viewport[3] / 2.0),
                       static_cast<float>(near + (far - near) * (clip[2] / w + 1.0) / 2.0),
                       static_cast<float>(w)};
    anchor.valid = true;
    return anchor;
}

bool allFinite(const float* values, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(values[i]))
            return false;
    return true;
}

}  // namespace vestrane::detail
