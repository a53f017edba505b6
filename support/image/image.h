/*
 * image.h - saving a window's picture as a PNG file
 *
 * Depends on: OpenGL (glReadPixels), GLUT (the current window and its size),
 * libpng.
 */
#ifndef VESTRANE_IMAGE_H
#define VESTRANE_IMAGE_H

#include "support/common.h"

#ifdef __cplusplus
extern "C" {
#endif

/**
 * @defgroup vestrane_image Images
 * @brief Saving a window's picture as a PNG file.
 *
 * One call keeps or shares what a window shows, without screen-grabbing
 * tools: the window's pixels as OpenGL reads them, written safely to a PNG
 * file. Use it in the display callback, after drawing and before
 * glutSwapBuffers:
 *
 *     drawScene();
 *     if (saveRequested && !saveWindowImage("picture.png")) {
 *         perror("picture.png");
 *     }
 *     glutSwapBuffers();
 * @{
 */

/**
 * Saves the current GLUT window's picture to a PNG file.
 *
 * Reads the whole window with glReadPixels, from the back buffer of a
 * double-buffered window (so call it after drawing and before
 * glutSwapBuffers) and from the front buffer of a single-buffered one, and
 * writes it as an 8-bit RGB PNG (no alpha), top row first.
 *
 * Nothing is lost on failure: the picture goes to a new hidden file in the
 * target's folder, which is flushed to the disk and only then renamed to
 * @p path. On any failure the hidden file is removed, and a file already at
 * @p path stays as it was, byte for byte. When @p path names an existing
 * file (or a symbolic link to one) that file is replaced and keeps its
 * permission bits; a new file gets the permissions fopen would give it
 * (0666 less the umask). The replacement is a new file: hard links to the
 * old one keep the old picture.
 *
 * GL state: the pixel-pack settings, the pixel-transfer scales, biases and
 * colour mapping, and the read buffer are set for the read and put back;
 * nothing else is touched and no GL extension is needed. While a pixel-pack
 * buffer object is bound, nothing is read or saved (ENOTSUP).
 *
 * @param path  the file to write, as fopen takes it
 * @return      1 when the whole picture is saved; 0 with errno set when
 *              nothing was saved: EINVAL for a NULL @p path or no current
 *              window (GLUT not initialised too), ENOENT for an empty
 *              @p path or a missing folder, EISDIR when @p path is a folder,
 *              EINVAL when it is some other file that is not a regular file
 *              (a device, a pipe), ENOSPC or EFBIG when the disk is full or
 *              the file-size limit is reached, ENOMEM when memory for the
 *              picture is lacking, ENOTSUP while a pixel-pack buffer object
 *              is bound, EIO for an error inside libpng, and what
 *              the system reports otherwise (EACCES, ENAMETOOLONG, ...)
 */
VESTRANE_API int saveWindowImage(const char* path);

/** @} */

#ifdef __cplusplus
}
#endif

#endif /* VESTRANE_IMAGE_H */
