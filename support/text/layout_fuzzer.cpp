/*
 * layout_fuzzer.cpp - libFuzzer target over the layout of text in loaded
 * fonts, without GL: UTF-8 decoding, lines, the choice of faces (fallback
 * included), display order, shaping, placement, and the rendering of the
 * glyphs placed.
 *
 * Depends on: loaded_fonts.h, utf8.h; the DejaVu fonts. Built with clang's
 * -fsanitize=fuzzer (and the address and undefined-behaviour sanitizers);
 * `make test` runs it briefly over fuzz_seeds/.
 *
 * The input's first byte picks the font (sans, serif, mono), its size and
 * the text scale; the rest is the text, cut at the first zero byte as a
 * formatted text would be. Checked: every decoded character takes at
 * least one byte, nothing is read past the text, lines (one a newline and
 * one more, in order) as wide as the layout, placed glyphs carry a face
 * the layout knows and a character, and each renders or is refused.
 */
#include "support/text/loaded_fonts.h"
#include "support/text/utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using namespace vestrane::detail;

constexpr const char* fontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
};
constexpr std::size_t renderedAtMost = 32;

int fonts[3] = {};
TextLayout layout;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t choice = data[0] % 3;
    if (fonts[choice] == 0)
        fonts[choice] = openLoadedFont(fontFiles[choice], 8.0f + static_cast<float>(choice) * 5.0f);
    if (fonts[choice] == 0)
        std::abort();  // the DejaVu fonts are installed with the library's dependencies
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::size_t characters = 0;
    for (const char* at = text.c_str(); *at != '\0'; ++characters) {
        char32_t code = 0;
        const std::size_t length = decodeUtf8(at, code);
        if (length == 0 || length > 4 || (code > 0x10FFFF) || (code >= 0xD800 && code <= 0xDFFF))
            std::abort();
        at += length;
    }

    const int scale = 1 + (data[0] >> 6);
    if (!layoutText(fonts[choice], scale, text.c_str(), layout))
        std::abort();
    if (layout.glyphs.size() > 4 * characters + 4)
        std::abort();  // shaping makes a few glyphs a character at the most
    std::int64_t widest = 0;
    std::size_t firstGlyph = 0;
    for (const LineExtent& line : layout.lines) {
        if (line.firstGlyph < firstGlyph || line.firstGlyph > layout.glyphs.size())
            std::abort();
        firstGlyph = line.firstGlyph;
        widest = std::max(widest, line.advance);
    }
    const auto newlines = std::count(text.c_str(), text.c_str() + std::strlen(text.c_str()), '\n');
    if (layout.lines.size() != static_cast<std::size_t>(newlines) + 1 || layout.advance != widest)
        std::abort();
    for (const PlacedGlyph& glyph : layout.glyphs)
        if (glyph.character >= characters)
            std::abort();
    for (std::size_t i = 0; i < layout.glyphs.size() && i < renderedAtMost; ++i) {
        GlyphBitmap bitmap;
        if (layout.glyphs[i].face == nullptr)
            std::abort();
        if (renderGlyph(layout.glyphs[i], bitmap) && bitmap.rows > 0 && bitmap.coverage == nullptr)
            std::abort();
    }
    return 0;
}
