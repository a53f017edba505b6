/*
 * utf8_test.cpp - decoding UTF-8 for loaded fonts: every kind of invalid
 * sequence is one U+FFFD a maximal part, nothing is read past the zero, and
 * a cut text loses only the sequence it would split.
 *
 * Depends on: support/text/utf8.h, GoogleTest.
 */
#include "support/text/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vestrane::detail::decodeUtf8;
using vestrane::detail::lengthWithoutCutSequence;

std::vector<char32_t> decoded(const std::string& text)
{
    std::vector<char32_t> codes;
    for (const char* at = text.c_str(); *at != '\0';) {
        char32_t code = 0;
        at += decodeUtf8(at, code);
        codes.push_back(code);
    }
    return codes;
}

constexpr char32_t bad = 0xFFFD;

}  // namespace

TEST(Utf8, DecodesEachFormAtItsLimitsAndReplacesWhatIsInvalid)
{
    const struct {
        const char* text;
        std::vector<char32_t> codes;
    } cases[] = {
        {"A\x7f", {0x41, 0x7F}},
        {"\xc2\x80\xdf\xbf", {0x80, 0x7FF}},
        {"\xe0\xa0\x80\xef\xbf\xbf", {0x800, 0xFFFF}},
        {"\xed\x9f\xbf\xee\x80\x80", {0xD7FF, 0xE000}},
        {"\xf0\x90\x80\x80\xf4\x8f\xbf\xbf", {0x10000, 0x10FFFF}},
        {"\xf1\x80\x80\x80\xf3\xbf\xbf\xbf", {0x40000, 0xFFFFF}},
        {"\x80\xbf", {bad, bad}},                             // stray continuations
        {"\xc0\x80\xc1\xbf", {bad, bad, bad, bad}},           // overlong two-byte
        {"\xe0\x9f\xbf", {bad, bad, bad}},                    // overlong three-byte
        {"\xf0\x8f\xbf\xbf", {bad, bad, bad, bad}},           // overlong four-byte
        {"\xf0\xbf\xbf\xbf\xf0\xc0", {0x3FFFF, bad, bad}},    // F0's highest second byte
        {"\xed\xa0\x80", {bad, bad, bad}},                    // a surrogate
        {"\xf4\x90\x80\x80\xf5", {bad, bad, bad, bad, bad}},  // above U+10FFFF
        {"\xe2\x82x", {bad, 'x'}},                            // cut by a plain letter
        {"\xf0\x9f\x98", {bad}},                              // cut by the end
        {"\xc3\xc3\xa9", {bad, 0xE9}},                        // cut by a lead byte
    };
    for (const auto& test : cases)
        EXPECT_EQ(decoded(test.text), test.codes) << testing::PrintToString(test.text);
}

TEST(Utf8, CutTextLosesOnlyTheSequenceItWouldSplit)
{
    const struct {
        std::string text;
        std::size_t kept;
    } cases[] = {
        {"ab\xe2\x82", 2},
        {"ab\xe2", 2},
        {"ab\xe2\x82\xac", 5},
        {"a\xf0\x9f\x98", 1},
        {"a\xf0\x9f\x98\x80", 5},
        {"ab\xc3", 2},
        {"ab\xc3\xa9", 4},
        {"ab\xe2\xc0", 4},  // C0 starts nothing: no sequence is cut
        {"ab\x80", 3},
        {"\xff", 1},
        {"", 0},
    };
    for (const auto& test : cases)
        EXPECT_EQ(lengthWithoutCutSequence(test.text.data(), test.text.size()), test.kept)
            << testing::PrintToString(test.text);
}
