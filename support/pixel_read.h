/*
 * pixel_read.h - the current window's pixels read as stored (internal, C++).
 *
 * Depends on: OpenGL. Defined in pixel_read.cpp; used by the image module
 * (saveWindowImage) and the projection module (windowToScene).
 */
#ifndef VESTRANE_SUPPORT_PIXEL_READ_H
#define VESTRANE_SUPPORT_PIXEL_READ_H

#include <GL/gl.h>

namespace vestrane::detail {

/*
 * Whether a pixel pack buffer is bound (GL 2.1 and later), into which
 * glReadPixels would write instead of client memory. An older GL is not
 * asked, as the query would raise an error there.
 */
[[nodiscard]] bool packBufferBound();

/*
 * glReadPixels of the rectangle into `pixels`, from the caller's read
 * buffer: tightly packed (alignment 1, no row length, skips or byte
 * swapping) and without the pixel-transfer scales, biases and colour map,
 * so that colours and depths arrive as stored. Every setting it changes is
 * put back by query, not through the attribute stacks, which the caller may
 * have filled. Expects no pack buffer bound.
 */
void readPlain(int x, int y, int width, int height, GLenum format, GLenum type, void* pixels);

}  // namespace vestrane::detail

#endif
