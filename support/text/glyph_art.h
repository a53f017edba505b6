/*
 * glyph_art.h - pixel art made into glyph tables at compile time (internal, C++).
 *
 * Depends on: glyphs.h (table format), <array>, <cstddef>.
 *
 * A glyph is written as one string literal a row, top row first as a reader
 * sees it, each exactly 8 characters: '#' a set pixel, '.' a clear one.
 *
 *     {'A', {"...##...",
 *            "..####..",
 *            ...}},
 *
 * A font's art may come in several arrays (the capitals are shared by two
 * fonts); the validators and makeGlyphTable take all of them at once, so a
 * code given in two arrays is caught as well. Each font source checks its art
 * with static_assert on the three validators, then builds its table with
 * makeGlyphTable in a constant expression.
 */
#ifndef VESTRANE_SUPPORT_TEXT_GLYPH_ART_H
#define VESTRANE_SUPPORT_TEXT_GLYPH_ART_H

#include "support/text/glyphs.h"

#include <array>
#include <cstddef>

namespace vestrane::detail {

// ---------------------------------------------------------------------------
// Art types
// ---------------------------------------------------------------------------

// The rows of one glyph, top row first. A missing row is a null pointer,
// which the validators reject.
template <std::size_t Rows>
using GlyphRows = std::array<const char*, Rows>;

// One glyph: its character code and its rows.
template <std::size_t Rows>
struct GlyphArt {
    char code;
    GlyphRows<Rows> rows;
};

// ---------------------------------------------------------------------------
// Validation, for static_assert
// ---------------------------------------------------------------------------

// True when row is present and is exactly glyphWidth characters of '.' and '#'.
constexpr bool isArtRow(const char* row)
{
    if (row == nullptr)
        return false;
    std::size_t length = 0;
    for (; row[length] != '\0'; ++length)
        if (row[length] != '.' && row[length] != '#')
            return false;
    return length == glyphWidth;
}

// True when every glyph of every part has all its rows, each well formed.
template <std::size_t Rows, std::size_t... Counts>
constexpr bool rowsAreWellFormed(const GlyphArt<Rows> (&... parts)[Counts])
{
    bool wellFormed = true;
    auto checkPart = [&wellFormed](const auto& part) {
        for (const auto& glyph : part)
            for (const char* row : glyph.rows)
                wellFormed = wellFormed && isArtRow(row);
    };
    (checkPart(parts), ...);
    return wellFormed;
}

// True when every code lies within firstGlyphCode..lastGlyphCode.
template <std::size_t Rows, std::size_t... Counts>
constexpr bool codesAreInRange(const GlyphArt<Rows> (&... parts)[Counts])
{
    bool inRange = true;
    auto checkPart = [&inRange](const auto& part) {
        for (const auto& glyph : part)
            inRange = inRange && glyph.code >= firstGlyphCode && glyph.code <= lastGlyphCode;
    };
    (checkPart(parts), ...);
    return inRange;
}

// True when no code is given twice, within one part or across parts.
// Codes out of range are left to codesAreInRange.
template <std::size_t Rows, std::size_t... Counts>
constexpr bool codesAreUnique(const GlyphArt<Rows> (&... parts)[Counts])
{
    std::array<bool, glyphSlots> seen{};
    bool unique = true;
    auto checkPart = [&seen, &unique](const auto& part) {
        for (const auto& glyph : part) {
            const auto slot = static_cast<unsigned char>(glyph.code);
            unique = unique && !seen[slot];
            seen[slot] = true;
        }
    };
    (checkPart(parts), ...);
    return unique;
}

// ---------------------------------------------------------------------------
// Conversion
// ---------------------------------------------------------------------------

// The byte of one art row: leftmost pixel in the most significant bit.
constexpr unsigned char artRowByte(const char* row)
{
    unsigned int byte = 0;
    for (std::size_t column = 0; column < glyphWidth; ++column)
        byte = (byte << 1) | (row[column] == '#' ? 1u : 0u);
    return static_cast<unsigned char>(byte);
}

// The table of a font from its validated art: each glyph at byte
// (code - firstGlyphCode) * Rows, bottom row first; everything else zero.
template <std::size_t Rows, std::size_t... Counts>
constexpr GlyphTable<Rows> makeGlyphTable(const GlyphArt<Rows> (&... parts)[Counts])
{
    GlyphTable<Rows> table{};
    auto placePart = [&table](const auto& part) {
        for (const auto& glyph : part) {
            const std::size_t first = static_cast<std::size_t>(glyph.code - firstGlyphCode) * Rows;
            for (std::size_t fromTop = 0; fromTop < Rows; ++fromTop)
                table[first + Rows - 1 - fromTop] = artRowByte(glyph.rows[fromTop]);
        }
    };
    (placePart(parts), ...);
    return table;
}

}  // namespace vestrane::detail

#endif
