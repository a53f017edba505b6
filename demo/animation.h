/*
 * animation.h - where the demo's two lights stand at a given frame
 *
 * Pure functions of the frame count, shared by the scene, which places the
 * lights, and the values window, which prints them: one formula, one place.
 */
#ifndef VESTRANE_DEMO_ANIMATION_H
#define VESTRANE_DEMO_ANIMATION_H

/*
 * x of the sweeping light: a triangle wave of period 200 frames, 10 at
 * frame 0, falling by 0.2 a frame to -10 at frame 100, back to 10 at 200.
 */
float sweepingLightX(int frame);

/*
 * Angle in degrees of the turning light about the x axis: 2 degrees a
 * frame, 0 .. 358, a period of 180 frames.
 */
float turningAngle(int frame);

/*
 * The frame after `frame`. Past the largest int the count goes on from the
 * value with the same phase of both lights, so the animation never jumps.
 */
int nextFrameCount(int frame);

#endif /* VESTRANE_DEMO_ANIMATION_H */
