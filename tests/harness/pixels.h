/*
 * pixels.h - screenshots of windows and statistics of their pixels
 *
 * Images are RGB, 8 bits a channel, rows top to bottom (as on screen),
 * whether they come from the X server or from glReadPixels.
 */
#ifndef VESTRANE_TEST_PIXELS_H
#define VESTRANE_TEST_PIXELS_H

#include "tests/harness/x_types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    int r;
    int g;
    int b;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3, top row first

    Rgb at(int x, int y) const;  // x from the left, y from the top
    bool operator==(const Image& other) const;
    bool operator!=(const Image& other) const
    {
        return !(*this == other);
    }
};

/* A rectangle in image pixels, from the top-left corner. */
struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

struct RegionStats {
    double meanR = 0.0;
    double meanG = 0.0;
    double meanB = 0.0;
    int pixels = 0;
};

/* Screenshot of an X window as the X server shows it. */
Image captureWindow(XWindow window);

/* The current GL context's back or front buffer (GL_BACK, GL_FRONT), read
 * whatever the pixel-pack settings are (they are put back), in any kind of
 * context: compatibility, core or ES. */
Image readGlPixels(int width, int height, unsigned buffer);

RegionStats regionStats(const Image& image, PixelRect region);
RegionStats wholeImageStats(const Image& image);

/* How many pixels of the region satisfy `test`. */
int countPixels(const Image& image, PixelRect region, const std::function<bool(Rgb)>& test);

/* How many pixels differ between two images of the same size. */
int differingPixels(const Image& a, const Image& b);

/* An 8-bit RGB PNG file as an image; an empty image when it is not one. */
Image readPngFile(const std::string& path);

/* Writes a binary PPM, for looking at a failing test's picture. */
bool savePpm(const Image& image, const std::string& path);

#endif
