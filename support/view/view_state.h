/*
 * view_state.h - the view state shared by the files of the view module
 *
 * Internal to the view module: the rotation-key, mouse and special-key
 * handlers all read and write this one set of values. Programs reach it
 * only through the functions of view.h.
 */
#ifndef VESTRANE_VIEW_STATE_H
#define VESTRANE_VIEW_STATE_H

namespace view_state {

extern float mouseAngleX;
extern float mouseAngleY;
extern float mouseAngleZ;
extern float panX;
extern float panY;
extern float zoomScale;
extern float panFactor;

extern float keyAngleX;
extern float keyAngleY;
extern float keyAngleZ;

extern int autoRotateOn;
extern float autoRotateSpeed;
extern int autoRotateWindow;

/* The modifier code of the latest classified event; mouse motion acts by it. */
extern int lastModifierCode;

/* Modifier codes, as modifierCode() returns them. */
constexpr int modifierNone = 0;
constexpr int modifierShift = 1;
constexpr int modifierShiftCtrl = 2;
constexpr int modifierCtrl = 3;
constexpr int modifierAlt = 4;

}  // namespace view_state

#endif /* VESTRANE_VIEW_STATE_H */
