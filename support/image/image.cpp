/*
 * image.cpp - saving a window's picture as a PNG file
 *
 * Reads the current window through the pixel reader, writes the picture
 * through libpng into a new hidden file in the target's folder, and renames
 * that over the target once it is complete and on the disk, so that a
 * failure at any step leaves the target as it was.
 *
 * Depends on: image.h; pixel_read.h (the pixels as stored); OpenGL
 * (glReadBuffer), GLUT (glutGetWindow, glutGet), libpng, POSIX (open,
 * fsync, rename, unlink, realpath, access).
 */
#include "support/image/image.h"

#include "support/pixel_read.h"

#include <GL/glut.h>
#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

using vestrane::detail::packBufferBound;
using vestrane::detail::readPlain;

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

namespace {

/* Tells the hidden files of this process apart. */
unsigned long long temporaryCounter = 0;

// ---------------------------------------------------------------------------
// Internal helpers
// ---------------------------------------------------------------------------

/* The hidden file's name in the target's folder: this, then 16 hex digits. */
constexpr char temporaryPrefix[] = ".vestrane-image-";
constexpr std::size_t temporaryNameSize = sizeof temporaryPrefix + 16;

/* Reads the current window's width x height pixels into `pixels`: RGB,
 * 3 bytes each, no padding, bottom row first, from the back buffer of a
 * double-buffered window. Puts back every setting it changes. */
void readWindow(int width, int height, unsigned char* pixels)
{
    GLint savedReadBuffer = GL_BACK;
    GLboolean doubleBuffered = GL_FALSE;
    glGetIntegerv(GL_READ_BUFFER, &savedReadBuffer);
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    glReadBuffer(doubleBuffered ? GL_BACK : GL_FRONT);
    readPlain(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glReadBuffer(static_cast<GLenum>(savedReadBuffer));
}

/* Where libpng's output goes, and the errno of a write that failed. */
struct PngOutput {
    std::FILE* file;
    int writeError;
};

void writeBytes(png_structp png, png_bytep data, png_size_t length)
{
    PngOutput* output = static_cast<PngOutput*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, output->file) != length) {
        output->writeError = errno != 0 ? errno : EIO;
        png_error(png, "write failed");
    }
}

/* The file is flushed once, when the picture is complete. */
void flushNothing(png_structp) {}

/* libpng's errors end the writing (back at writePng's setjmp) silently: the
 * caller learns of them through errno. */
[[noreturn]] void stopWriting(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

/* Writes the pixels (as readWindow delivers them) to `output` as an 8-bit
 * RGB PNG, top row first. Returns 0, or an errno value. */
int writePng(PngOutput* output, int width, int height, const unsigned char* pixels)
{
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, stopWriting, ignoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return ENOMEM;
    }
    /* Only png and info, never changed below, are used after a longjmp. */
    // NOLINTNEXTLINE(cert-err52-cpp): libpng reports its errors by longjmp only
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return output->writeError != 0 ? output->writeError : EIO;
    }
    png_set_write_fn(png, output, writeBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = height - 1; y >= 0; --y) {
        png_write_row(png, pixels + static_cast<std::size_t>(y) * rowBytes);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return 0;
}

/* Creates a new file for writing whose name follows `folderLength` bytes of
 * folder already in `name` (which has room for temporaryNameSize more), with
 * the mode fopen would give a new file (0666 less the umask). Returns the
 * descriptor, or -1 with errno set. */
int createTemporary(char* name, std::size_t folderLength)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const unsigned long long tag =
            (static_cast<unsigned long long>(getpid()) << 40) ^
            (static_cast<unsigned long long>(now.tv_nsec) * 0x9E3779B97F4A7C15ull) ^
            ++temporaryCounter;
        if (std::snprintf(name + folderLength, temporaryNameSize, "%s%016llx", temporaryPrefix,
                          tag) < 0) {
            return -1;  // errno set by snprintf
        }
        const int descriptor = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            return descriptor;
        }
    }
    return -1;
}

/* Writes the picture to a hidden file in the folder of `target`, gives it
 * `keptMode` unless that is -1, puts it on the disk and renames it to
 * `target`; on failure removes it again. Returns 0, or an errno value. */
int saveAs(const char* target, int keptMode, int width, int height, const unsigned char* pixels)
{
    const char* slash = std::strrchr(target, '/');
    const std::size_t folderLength =
        slash != nullptr ? static_cast<std::size_t>(slash - target) + 1 : 0;
    char* temporary = static_cast<char*>(std::malloc(folderLength + temporaryNameSize));
    if (temporary == nullptr) {
        return ENOMEM;
    }
    std::memcpy(temporary, target, folderLength);
    const int descriptor = createTemporary(temporary, folderLength);
    if (descriptor < 0) {
        const int error = errno;
        std::free(temporary);
        return error;
    }
    PngOutput output{fdopen(descriptor, "wb"), 0};
    int error = output.file != nullptr ? writePng(&output, width, height, pixels) : errno;
    if (output.file == nullptr) {
        close(descriptor);
    }
    if (error == 0 && keptMode >= 0 && fchmod(descriptor, static_cast<mode_t>(keptMode)) != 0) {
        error = errno;
    }
    if (error == 0 && std::fflush(output.file) != 0) {
        error = errno;
    }
    if (error == 0 && fsync(descriptor) != 0) {
        error = errno;
    }
    if (output.file != nullptr && std::fclose(output.file) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && std::rename(temporary, target) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary);
    }
    std::free(temporary);
    return error;
}

int fail(int error)
{
    errno = error;
    return 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

int saveWindowImage(const char* path)
{
    /* glutGetWindow answers 0 before glutInit too; glutGet would end the
     * program then. */
    if (path == nullptr || glutGetWindow() == 0) {
        return fail(EINVAL);
    }
    if (path[0] == '\0') {
        return fail(ENOENT);
    }
    if (packBufferBound()) {
        return fail(ENOTSUP);  // glReadPixels would fill the buffer object instead
    }
    /* An existing file is replaced where it really is (through links), if
     * fopen could write it, and keeps its permission bits. */
    struct stat existing;
    char* target = nullptr;
    int keptMode = -1;
    if (stat(path, &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            return fail(EISDIR);
        }
        if (!S_ISREG(existing.st_mode)) {
            return fail(EINVAL);
        }
        if (access(path, W_OK) != 0 || (target = realpath(path, nullptr)) == nullptr) {
            return 0;
        }
        keptMode = static_cast<int>(existing.st_mode & 0777);
    } else if (errno != ENOENT) {
        return 0;
    }
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    unsigned char* pixels =
        width > 0 && height > 0
            ? static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(width) * height * 3))
            : nullptr;
    int error = width > 0 && height > 0 ? ENOMEM : EINVAL;
    if (pixels != nullptr) {
        readWindow(width, height, pixels);
        error = saveAs(target != nullptr ? target : path, keptMode, width, height, pixels);
    }
    std::free(pixels);
    std::free(target);
    return error == 0 ? 1 : fail(error);
}
