/*
 * pixels.cpp - screenshots of windows and statistics of their pixels
 *
 * Depends on: Xlib (XGetImage), OpenGL (glReadPixels), libpng.
 */
#include "tests/harness/pixels.h"

#include "tests/harness/x_connection.h"

#include <GL/gl.h>
#include <X11/Xutil.h>
#include <png.h>

#include <array>
#include <cstdio>

namespace {

int channelOf(unsigned long pixel, unsigned long mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1UL) == 0) {
        mask >>= 1;
        ++shift;
    }
    return static_cast<int>((pixel >> shift) & mask);
}

}  // namespace

Rgb Image::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool Image::operator==(const Image& other) const
{
    return width == other.width && height == other.height && rgb == other.rgb;
}

Image captureWindow(Window window)
{
    Display* display = harnessDisplay();
    XSync(display, False);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Image image;
    XImage* shot =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (shot == nullptr) {
        return image;
    }
    image.width = attributes.width;
    image.height = attributes.height;
    image.rgb.reserve(static_cast<std::size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const unsigned long pixel = XGetPixel(shot, x, y);
            image.rgb.push_back(static_cast<std::uint8_t>(channelOf(pixel, shot->red_mask)));
            image.rgb.push_back(static_cast<std::uint8_t>(channelOf(pixel, shot->green_mask)));
            image.rgb.push_back(static_cast<std::uint8_t>(channelOf(pixel, shot->blue_mask)));
        }
    }
    XDestroyImage(shot);
    return image;
}

Image readGlPixels(int width, int height, unsigned buffer)
{
    Image image;
    image.width = width;
    image.height = height;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    image.rgb.resize(pixels * 3);
    // RGBA, the one format every kind of context reads, in tightly packed
    // rows from the first pixel, whatever the test set up; GL 1.0 calls
    // only, so that core and ES contexts read the same way.
    std::vector<std::uint8_t> bottomUp(pixels * 4);
    glReadBuffer(buffer);
    std::array<GLint, 4> pack{};
    constexpr std::array<GLenum, 4> packNames = {GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH,
                                                 GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS};
    for (std::size_t i = 0; i < pack.size(); ++i) {
        glGetIntegerv(packNames[i], &pack[i]);
        glPixelStorei(packNames[i], i == 0 ? 1 : 0);
    }
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    for (std::size_t i = 0; i < pack.size(); ++i)
        glPixelStorei(packNames[i], pack[i]);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from =
            bottomUp.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
        std::uint8_t* to = image.rgb.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x, from += 4, to += 3)
            std::copy(from, from + 3, to);
    }
    return image;
}

RegionStats regionStats(const Image& image, PixelRect region)
{
    RegionStats stats;
    double sumR = 0.0;
    double sumG = 0.0;
    double sumB = 0.0;
    for (int y = region.y; y < region.y + region.height; ++y) {
        for (int x = region.x; x < region.x + region.width; ++x) {
            const Rgb pixel = image.at(x, y);
            sumR += pixel.r;
            sumG += pixel.g;
            sumB += pixel.b;
            ++stats.pixels;
        }
    }
    if (stats.pixels > 0) {
        stats.meanR = sumR / stats.pixels;
        stats.meanG = sumG / stats.pixels;
        stats.meanB = sumB / stats.pixels;
    }
    return stats;
}

RegionStats wholeImageStats(const Image& image)
{
    return regionStats(image, {0, 0, image.width, image.height});
}

int countPixels(const Image& image, PixelRect region, const std::function<bool(Rgb)>& test)
{
    int count = 0;
    for (int y = region.y; y < region.y + region.height; ++y) {
        for (int x = region.x; x < region.x + region.width; ++x) {
            count += test(image.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

int differingPixels(const Image& a, const Image& b)
{
    if (a.width != b.width || a.height != b.height) {
        return a.width * a.height + b.width * b.height;
    }
    int count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
        count +=
            (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2])
                ? 1
                : 0;
    }
    return count;
}

bool savePpm(const Image& image, const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
    const bool written =
        std::fwrite(image.rgb.data(), 1, image.rgb.size(), file) == image.rgb.size();
    return std::fclose(file) == 0 && written;
}

Image readPngFile(const std::string& path)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    Image image;
    if (png_image_begin_read_from_file(&png, path.c_str()) != 0 && png.format == PNG_FORMAT_RGB) {
        image.width = static_cast<int>(png.width);
        image.height = static_cast<int>(png.height);
        image.rgb.resize(PNG_IMAGE_SIZE(png));
        png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr);
    }
    png_image_free(&png);
    return image;
}
