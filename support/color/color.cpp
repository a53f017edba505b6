/*
 * color.cpp - the colour table with its getters, the builders and their
 * static buffers, heap copies, and the rainbow and grey ramps.
 *
 * Depends on: color.h; <cstdlib> (calloc, free), <array>, <algorithm>.
 */
#include "color.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>

// ---------------------------------------------------------------------------
// Named colours, in table order
// ---------------------------------------------------------------------------

// WITH_ALPHA(getter, builder, red, green, blue) names a colour that has a
// with-alpha builder, PLAIN(getter, red, green, blue) one that has none.
// Everything per colour (table entry, getter, builder, buffer) expands
// from this one list.
#define NAMED_COLORS(WITH_ALPHA, PLAIN)                                                            \
    WITH_ALPHA(colorWhite, colorWhiteWithAlpha, 1.0f, 1.0f, 1.0f)                                  \
    WITH_ALPHA(colorYellow, colorYellowWithAlpha, 1.0f, 1.0f, 0.0f)                                \
    WITH_ALPHA(colorCyan, colorCyanWithAlpha, 0.0f, 1.0f, 1.0f)                                    \
    WITH_ALPHA(colorMagenta, colorMagentaWithAlpha, 1.0f, 0.0f, 1.0f)                              \
    WITH_ALPHA(colorRed, colorRedWithAlpha, 1.0f, 0.0f, 0.0f)                                      \
    WITH_ALPHA(colorGreen, colorGreenWithAlpha, 0.0f, 1.0f, 0.0f)                                  \
    WITH_ALPHA(colorBlue, colorBlueWithAlpha, 0.0f, 0.0f, 1.0f)                                    \
    WITH_ALPHA(colorBlack, colorBlackWithAlpha, 0.0f, 0.0f, 0.0f)                                  \
    WITH_ALPHA(colorGrey10, colorGrey10WithAlpha, 0.1f, 0.1f, 0.1f)                                \
    WITH_ALPHA(colorGrey25, colorGrey25WithAlpha, 0.25f, 0.25f, 0.25f)                             \
    WITH_ALPHA(colorGrey50, colorGrey50WithAlpha, 0.5f, 0.5f, 0.5f)                                \
    WITH_ALPHA(colorGrey75, colorGrey75WithAlpha, 0.75f, 0.75f, 0.75f)                             \
    WITH_ALPHA(colorMediumYellow, colorMediumYellowWithAlpha, 0.75f, 0.75f, 0.0f)                  \
    WITH_ALPHA(colorDarkYellow, colorDarkYellowWithAlpha, 0.5f, 0.5f, 0.0f)                        \
    WITH_ALPHA(colorDarkCyan, colorDarkCyanWithAlpha, 0.0f, 0.5f, 0.5f)                            \
    WITH_ALPHA(colorDarkMagenta, colorDarkMagentaWithAlpha, 0.5f, 0.0f, 0.5f)                      \
    WITH_ALPHA(colorDarkRed, colorDarkRedWithAlpha, 0.5f, 0.0f, 0.0f)                              \
    WITH_ALPHA(colorDarkGreen, colorDarkGreenWithAlpha, 0.0f, 0.5f, 0.0f)                          \
    WITH_ALPHA(colorDarkBlue, colorDarkBlueWithAlpha, 0.0f, 0.0f, 0.5f)                            \
    PLAIN(colorTan, 0.8f, 0.6f, 0.4f)                                                              \
    WITH_ALPHA(colorPink, colorPinkWithAlpha, 1.0f, 0.65f, 0.65f)                                  \
    WITH_ALPHA(colorBrick, colorBrickWithAlpha, 0.6f, 0.25f, 0.25f)                                \
    WITH_ALPHA(colorLightBlue, colorLightBlueWithAlpha, 0.5f, 0.5f, 1.0f)                          \
    WITH_ALPHA(colorSlateBlue, colorSlateBlueWithAlpha, 0.25f, 0.25f, 0.5f)

#define TABLE_ENTRY_INDEX(getter, ...) getter##Entry,
#define BUILDER_SLOT(getter, builder, ...) builder##Slot,
#define NOTHING_FOR(getter, ...)
#define TABLE_ROW(getter, red, green, blue) {{red, green, blue, 1.0f}},
#define TABLE_ROW_WITH_ALPHA(getter, builder, red, green, blue) TABLE_ROW(getter, red, green, blue)

namespace {

// ---------------------------------------------------------------------------
// State
// ---------------------------------------------------------------------------

constexpr int componentCount = 4;
using ColorValues = std::array<Color, componentCount>;

enum TableEntry : std::size_t {
    NAMED_COLORS(TABLE_ENTRY_INDEX, TABLE_ENTRY_INDEX) namedColorCount
};

enum BuilderSlot : std::size_t {
    NAMED_COLORS(BUILDER_SLOT, NOTHING_FOR) greyWithAlphaSlot,
    makeColorSlot,
    builderCount
};

static_assert(namedColorCount == 24, "24 named colours");
static_assert(builderCount == 25, "23 with-alpha builders, greyWithAlpha and makeColor");

// Writable on purpose: the getters hand out pointers into it, and a change a
// caller writes there is what the with-alpha builders read afterwards.
// Constant-initialised, so it holds its values before any code runs.
std::array<ColorValues, namedColorCount> colorTable = {
    {NAMED_COLORS(TABLE_ROW_WITH_ALPHA, TABLE_ROW)}};

std::array<ColorValues, builderCount> builderBuffers{};

constexpr int rampSize = 256;
constexpr int rainbowStep = 51;    // entries from one pure colour to the next
constexpr double greyTop = 255.0;  // entry holding white

// One channel across a rainbow segment: base + slope * t, where t runs from
// 0 at the segment's start to 1 at its pure colour.
struct ChannelLine {
    double base;
    double slope;
};
constexpr ChannelLine off{0.0, 0.0};
constexpr ChannelLine full{1.0, 0.0};
constexpr ChannelLine rising{0.0, 1.0};
constexpr ChannelLine falling{1.0, -1.0};

struct RainbowSegment {
    int start;
    ChannelLine red;
    ChannelLine green;
    ChannelLine blue;
};

// A segment covers entries start+1 .. start+51; the first also holds entry 0.
constexpr std::array<RainbowSegment, 5> rainbowSegments = {{
    {0, off, full, rising},     // green to cyan
    {51, off, falling, full},   // to blue
    {102, rising, off, full},   // to magenta
    {153, full, off, falling},  // to red
    {204, full, rising, off},   // to yellow
}};
static_assert(rainbowSegments.size() * rainbowStep + 1 == rampSize, "segments cover the ramp");

// ---------------------------------------------------------------------------
// Internal helpers
// ---------------------------------------------------------------------------

Color* fillBuffer(BuilderSlot slot, const ColorValues& values)
{
    ColorValues& buffer = builderBuffers[slot];
    buffer = values;
    return buffer.data();
}

Color* tableColorWithAlpha(TableEntry entry, BuilderSlot slot, float alpha)
{
    const ColorValues& source = colorTable[entry];
    return fillBuffer(slot, {source[0], source[1], source[2], alpha});
}

Color* allocateColor()
{
    return static_cast<Color*>(std::calloc(componentCount, sizeof(Color)));
}

Color channelValue(ChannelLine line, double t)
{
    return static_cast<Color>(line.base + line.slope * t);
}

void fillRainbowEntry(Color* entry, int index)
{
    const auto segmentNumber = static_cast<std::size_t>(std::max(index - 1, 0) / rainbowStep);
    const RainbowSegment& segment = rainbowSegments[segmentNumber];
    const double t = (index - segment.start) / static_cast<double>(rainbowStep);
    entry[0] = channelValue(segment.red, t);
    entry[1] = channelValue(segment.green, t);
    entry[2] = channelValue(segment.blue, t);
    entry[3] = 1.0f;
}

void fillGreyEntry(Color* entry, int index)
{
    const Color level = static_cast<Color>(index / greyTop);
    std::fill_n(entry, 3, level);
    entry[3] = 1.0f;
}

void releaseRamp(Color** ramp, int builtEntries)
{
    for (int i = 0; i < builtEntries; ++i) {
        std::free(ramp[i]);
    }
    std::free(ramp);
}

// Allocates the pointer array and every entry, filling entry i with
// fillEntry(entry, i). On exhaustion it releases what it had taken and
// returns null, so a failed call leaves nothing behind.
Color** buildRamp(void (*fillEntry)(Color*, int))
{
    auto** ramp = static_cast<Color**>(std::calloc(rampSize, sizeof(Color*)));
    if (ramp == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < rampSize; ++i) {
        ramp[i] = allocateColor();
        if (ramp[i] == nullptr) {
            releaseRamp(ramp, i);
            return nullptr;
        }
        fillEntry(ramp[i], i);
    }
    return ramp;
}

}  // namespace

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

#define DEFINE_GETTER(getter)                                                                      \
    Color* getter()                                                                                \
    {                                                                                              \
        return colorTable[getter##Entry].data();                                                   \
    }
#define DEFINE_GETTER_WITH_ALPHA(getter, builder, ...) DEFINE_GETTER(getter)
#define DEFINE_GETTER_PLAIN(getter, ...) DEFINE_GETTER(getter)
#define DEFINE_WITH_ALPHA_BUILDER(getter, builder, ...)                                            \
    Color* builder(float alpha)                                                                    \
    {                                                                                              \
        return tableColorWithAlpha(getter##Entry, builder##Slot, alpha);                           \
    }

NAMED_COLORS(DEFINE_GETTER_WITH_ALPHA, DEFINE_GETTER_PLAIN)
NAMED_COLORS(DEFINE_WITH_ALPHA_BUILDER, NOTHING_FOR)

Color* greyWithAlpha(float level, float alpha)
{
    return fillBuffer(greyWithAlphaSlot, {level, level, level, alpha});
}

Color* makeColor(float red, float green, float blue, float alpha)
{
    return fillBuffer(makeColorSlot, {red, green, blue, alpha});
}

Color* copyColor(const Color* color)
{
    if (color == nullptr) {
        return nullptr;
    }
    Color* copy = allocateColor();
    if (copy != nullptr) {
        std::copy_n(color, componentCount, copy);
    }
    return copy;
}

void freeColor(Color* color)
{
    std::free(color);
}

Color** makeRainbowRamp()
{
    return buildRamp(fillRainbowEntry);
}

Color** makeGreyRamp()
{
    return buildRamp(fillGreyEntry);
}

void freeRamp(Color** ramp)
{
    if (ramp != nullptr) {
        releaseRamp(ramp, rampSize);
    }
}
