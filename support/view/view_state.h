/*
 * view_state.h - the view state the view module's files share (internal, C++).
 *
 * Internal to the view module: the rotation-key, mouse and special-key
 * handlers all read and write this one set of values, reached through
 * viewState(). Programs reach it only through the functions of view.h.
 */
#ifndef VESTRANE_SUPPORT_VIEW_VIEW_STATE_H
#define VESTRANE_SUPPORT_VIEW_VIEW_STATE_H

#include "support/common.h"

#include <array>
#include <cmath>

namespace vestrane::detail {

/* Modifier codes, as modifierCode() returns them. */
constexpr int modifierNone = 0;
constexpr int modifierShift = 1;
constexpr int modifierShiftCtrl = 2;
constexpr int modifierCtrl = 3;
constexpr int modifierAlt = 4;

struct ViewState {
    float mouseAngleX = 0.0f;
    float mouseAngleY = 0.0f;
    float mouseAngleZ = 0.0f;
    float panX = 0.0f;
    float panY = 0.0f;
    float zoomScale = 1.0f;
    float panFactor = 1.0f;

    float keyAngleX = 0.0f;
    float keyAngleY = 0.0f;
    float keyAngleZ = 0.0f;

    int autoRotateOn = 0;
    float autoRotateSpeed = 1.0f;
    WindowId autoRotateWindow = -1;

    /* The modifier code of the latest classified event; mouse motion acts by it. */
    int lastModifierCode = modifierNone;

    /* The drag, which only the mouse handlers use. dragProjection and
     * dragWidth are saved at every button event; only element 0 of the
     * projection is read, by the pan. */
    std::array<float, 16> dragProjection{};
    int dragWidth = 0;
    int dragButton = 0;
    int dragActive = 0;
    int dragLastX = 0;
    int dragLastY = 0;
};

/* The one view state of the program. */
ViewState& viewState();

/* Stores `value` rounded to float in `target`, unless the result would not
 * be finite; then `target` keeps its value. */
inline void storeIfFinite(float& target, double value)
{
    const auto rounded = static_cast<float>(value);
    if (std::isfinite(rounded)) {
        target = rounded;
    }
}

/* Adds `step` to `target` in double precision, as storeIfFinite stores. */
inline void addIfFinite(float& target, double step)
{
    storeIfFinite(target, target + step);
}

}  // namespace vestrane::detail

#endif /* VESTRANE_SUPPORT_VIEW_VIEW_STATE_H */
