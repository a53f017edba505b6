/*
 * glyphs_test.cpp - tests of the glyph tables of the four own bitmap fonts:
 * the rows that identify each font, blank and shared slots, and the metrics
 * (cap height, baseline, descenders, stroke weight) that the art must keep.
 * Needs no GL context.
 *
 * Depends on: support/text/glyphs.h, GoogleTest.
 */
#include "support/text/glyphs.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace {

using namespace vestrane::detail;

// ---------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------

using GlyphBytes = std::vector<unsigned char>;  // a glyph, bottom row first

const std::string boldCapitalsAndDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
const std::string smallCodes = "0123456789()*+->acdfijklmprstuxy";
const std::string greekLetters = "abcdefghijklmnopqrstuvwxyz";

// The rows of code's glyph in a table of any row count.
template <std::size_t Size>
GlyphBytes glyph(const std::array<unsigned char, Size>& table, int code)
{
    const auto rows = static_cast<std::ptrdiff_t>(Size / glyphSlots);
    const auto first = table.begin() + (code - firstGlyphCode) * rows;
    return GlyphBytes(first, first + rows);
}

bool isBlank(const GlyphBytes& rows)
{
    for (unsigned char row : rows)
        if (row != 0)
            return false;
    return true;
}

// Lowest and highest rows holding a set pixel, counted from the bottom;
// -1 for a blank glyph.
int lowestRow(const GlyphBytes& rows)
{
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows[row] != 0)
            return static_cast<int>(row);
    return -1;
}

int highestRow(const GlyphBytes& rows)
{
    for (std::size_t row = rows.size(); row-- > 0;)
        if (rows[row] != 0)
            return static_cast<int>(row);
    return -1;
}

// The pixel columns (0 = left) that any row sets.
unsigned int usedColumns(const GlyphBytes& rows)
{
    unsigned int columns = 0;
    for (unsigned char row : rows)
        columns |= row;
    return columns;
}

// True when every horizontal run of set pixels is at least two pixels long.
bool runsAreTwoWide(const GlyphBytes& rows)
{
    for (unsigned int row : rows) {
        const unsigned int padded = row << 1;  // a clear pixel on either side
        const unsigned int runStarts = padded & ~(padded >> 1);
        const unsigned int runEnds = padded & ~(padded << 1);
        if ((runStarts & runEnds) != 0)  // a run that starts and ends on one pixel
            return false;
    }
    return true;
}

// True when no 2 x 2 block of pixels is all set: strokes one pixel wide.
bool strokesAreThin(const GlyphBytes& rows)
{
    for (std::size_t row = 1; row < rows.size(); ++row) {
        const unsigned int both = rows[row] & rows[row - 1];
        if ((both & (both >> 1)) != 0)
            return false;
    }
    return true;
}

int smallAdvance(char code)
{
    return code == 'f' ? 4 : code == 'i' ? 3 : 6;
}

}  // namespace

// ---------------------------------------------------------------------------
// Whole tables
// ---------------------------------------------------------------------------

TEST(GlyphTables, TellingRowsAreExact)
{
    EXPECT_EQ(glyph(boldGlyphs, 'A'), (GlyphBytes{0x00, 0x00, 0xc3, 0xc3, 0xc3, 0xc3, 0xff, 0xc3,
                                                  0xc3, 0xc3, 0x66, 0x3c, 0x18}));
    EXPECT_EQ(glyph(boldGlyphs, 'g'), (GlyphBytes{0x7e, 0xc3, 0x03, 0x03, 0x7f, 0xc3, 0xc3, 0xc3,
                                                  0x7e, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(glyph(smallGlyphs, 'a'),
              (GlyphBytes{0x00, 0x34, 0x48, 0x48, 0x38, 0x08, 0x30, 0x00, 0x00, 0x00}));
    EXPECT_EQ(glyph(smallGlyphs, 'f'),
              (GlyphBytes{0x00, 0x40, 0x40, 0x40, 0x70, 0x40, 0x40, 0x30, 0x00, 0x00}));
    EXPECT_EQ(glyph(smallGlyphs, 'i'),
              (GlyphBytes{0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x00, 0x40, 0x00, 0x00}));
    EXPECT_EQ(glyph(greekGlyphs, 'a'), (GlyphBytes{0x00, 0x72, 0x8a, 0x84, 0x84, 0x8a, 0x4a, 0x30,
                                                   0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(glyph(arrowGlyphs, 'F'), (GlyphBytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                   0x08, 0x04, 0xfe, 0x04, 0x08}));
    EXPECT_EQ(glyph(arrowGlyphs, 'f'), (GlyphBytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                   0x10, 0x20, 0x7f, 0x20, 0x10}));
    const GlyphBytes bar{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0xff, 0x00, 0x00};
    EXPECT_EQ(glyph(arrowGlyphs, 'T'), bar);
    EXPECT_EQ(glyph(arrowGlyphs, 't'), bar);
}

TEST(GlyphTables, OnlyEachFontsCodesCarryPixels)
{
    for (std::size_t slot = 0; slot < glyphSlots; ++slot) {
        const int code = static_cast<int>(slot) + firstGlyphCode;
        const bool printable = code > ' ' && code <= lastGlyphCode;
        const auto character = std::string(1, static_cast<char>(code));
        SCOPED_TRACE("code " + std::to_string(code));
        EXPECT_EQ(isBlank(glyph(boldGlyphs, code)), !printable);
        EXPECT_EQ(isBlank(glyph(greekGlyphs, code)), !printable);
        EXPECT_EQ(isBlank(glyph(smallGlyphs, code)),
                  !printable || smallCodes.find(character) == std::string::npos);
        EXPECT_EQ(isBlank(glyph(arrowGlyphs, code)),
                  !printable || std::string("FfTt").find(character) == std::string::npos);
    }
}

TEST(GlyphTables, GreekSharesTheBoldCapitalsButNotTheSmallLetters)
{
    for (char code = 'A'; code <= 'Z'; ++code)
        EXPECT_EQ(glyph(greekGlyphs, code), glyph(boldGlyphs, code)) << code;
    for (char code : greekLetters)
        EXPECT_NE(glyph(greekGlyphs, code), glyph(boldGlyphs, code)) << code;
    EXPECT_EQ(glyph(greekGlyphs, 'u'), glyph(greekGlyphs, 'n'));
}

// ---------------------------------------------------------------------------
// Metrics of each font
// ---------------------------------------------------------------------------

TEST(BoldFont, StandsOnTheBaselineWithTwoPixelStrokes)
{
    const std::string descenders = "gjpqy_/\\|";
    const std::string belowBaselineByOne = ",;";
    for (char code : boldCapitalsAndDigits) {
        EXPECT_EQ(lowestRow(glyph(boldGlyphs, code)), 2) << code;
        EXPECT_EQ(highestRow(glyph(boldGlyphs, code)), 12) << code;
    }
    for (char code : std::string("acegmnopqrsuvwxyz"))
        EXPECT_EQ(highestRow(glyph(boldGlyphs, code)), 8) << "x-height of " << code;
    for (char code : std::string("bdfhkl"))
        EXPECT_EQ(highestRow(glyph(boldGlyphs, code)), 12) << "ascender of " << code;
    for (int code = '!'; code <= lastGlyphCode; ++code) {
        const auto character = static_cast<char>(code);
        const GlyphBytes rows = glyph(boldGlyphs, code);
        const int expectedLowest = descenders.find(character) != std::string::npos           ? 0
                                   : belowBaselineByOne.find(character) != std::string::npos ? 1
                                                                                             : 2;
        EXPECT_EQ(lowestRow(rows) == 0, expectedLowest == 0) << character;
        EXPECT_GE(lowestRow(rows), expectedLowest) << character;
        EXPECT_TRUE(runsAreTwoWide(rows)) << character;
    }
}

TEST(SmallFont, KeepsItsDigitHeightAndAdvances)
{
    for (char code : std::string("0123456789")) {
        const GlyphBytes rows = glyph(smallGlyphs, code);
        EXPECT_EQ(lowestRow(rows), 1) << code;
        EXPECT_EQ(highestRow(rows), 8) << code;
    }
    for (char code : smallCodes) {
        const GlyphBytes rows = glyph(smallGlyphs, code);
        // Columns 1..advance-1: digits and letters thus at most five wide.
        const unsigned int insideAdvance = 0x7fu & ~(0xffu >> smallAdvance(code));
        EXPECT_EQ(usedColumns(rows) & ~insideAdvance, 0u) << code << " outside its advance";
        EXPECT_TRUE(strokesAreThin(rows)) << code;
        const int expectedLowest = code == 'x'                                          ? 2
                                   : std::string("jpy").find(code) != std::string::npos ? 0
                                                                                        : 1;
        if (std::string("*+->").find(code) == std::string::npos) {
            EXPECT_EQ(lowestRow(rows), expectedLowest) << code;
        }
    }
}

TEST(GreekFont, HasThinDigitsAndLettersWithinTheCell)
{
    for (char code : std::string("0123456789"))
        EXPECT_EQ(lowestRow(glyph(greekGlyphs, code)), code == '4' ? 2 : 1) << code;
    for (int code = '!'; code <= lastGlyphCode; ++code) {
        const auto character = static_cast<char>(code);
        if (character >= 'A' && character <= 'Z')
            continue;
        const GlyphBytes rows = glyph(greekGlyphs, code);
        EXPECT_TRUE(strokesAreThin(rows)) << character;
        if (greekLetters.find(character) != std::string::npos) {
            EXPECT_LE(lowestRow(rows), 3) << character;
        }
    }
}

TEST(ArrowFont, MarksStayInTheTopRowsAndJoinAcrossCells)
{
    for (char code : std::string("FfTt"))
        EXPECT_GE(lowestRow(glyph(arrowGlyphs, code)), 8) << code;
    // Shafts touch the cell edge that faces the bars, so runs join.
    EXPECT_NE(glyph(arrowGlyphs, 'F')[10] & 0x80u, 0u);
    EXPECT_NE(glyph(arrowGlyphs, 'f')[10] & 0x01u, 0u);
}
