/*
 * utf8.h - UTF-8 decoding for text in loaded fonts (internal, C++).
 *
 * Depends on: nothing. Used by loaded_fonts.cpp (layout) and the formatting
 * of bounded_format.h (a cut never splits a sequence).
 *
 * Every invalid sequence decodes as U+FFFD, one replacement for each
 * maximal part of a sequence that was begun well: a stray continuation
 * byte, an overlong form, a surrogate, a code above U+10FFFF, a sequence
 * cut short by the next lead byte or by the end. Decoding never reads past
 * the terminating zero.
 */
#ifndef VESTRANE_SUPPORT_TEXT_UTF8_H
#define VESTRANE_SUPPORT_TEXT_UTF8_H

#include <cstddef>
#include <cstdint>

namespace vestrane::detail {

inline constexpr char32_t replacementCharacter = 0xFFFD;

/* The range the byte after a lead byte must fall in, and how many
 * continuation bytes follow the lead; 0 continuations for a byte that
 * cannot begin a sequence. */
struct Utf8Lead {
    int continuations;
    unsigned char secondLow;
    unsigned char secondHigh;
};

constexpr Utf8Lead utf8Lead(unsigned char byte)
{
    if (byte >= 0xC2 && byte <= 0xDF)
        return {1, 0x80, 0xBF};
    if (byte == 0xE0)
        return {2, 0xA0, 0xBF};  // shorter forms are overlong
    if (byte == 0xED)
        return {2, 0x80, 0x9F};  // D800..DFFF are surrogates
    if (byte >= 0xE1 && byte <= 0xEF)
        return {2, 0x80, 0xBF};
    if (byte == 0xF0)
        return {3, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {3, 0x80, 0xBF};
    if (byte == 0xF4)
        return {3, 0x80, 0x8F};  // nothing above U+10FFFF
    return {0, 0, 0};
}

/*
 * Decodes the character that starts at `text` (not at its terminating
 * zero) and returns how many bytes it took, at least 1; `code` gets the
 * character, or U+FFFD for an invalid sequence.
 */
constexpr std::size_t decodeUtf8(const char* text, char32_t& code)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    const Utf8Lead form = utf8Lead(lead);
    code = replacementCharacter;
    if (form.continuations == 0)
        return 1;
    char32_t value = lead & (0x3F >> form.continuations);
    for (int i = 1; i <= form.continuations; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool fits = i == 1 ? byte >= form.secondLow && byte <= form.secondHigh
                                 : byte >= 0x80 && byte <= 0xBF;
        if (!fits)
            return static_cast<std::size_t>(i);  // the zero byte never fits
        value = (value << 6) | (byte & 0x3F);
    }
    code = value;
    return static_cast<std::size_t>(form.continuations) + 1;
}

/*
 * The length of `text` (of `length` bytes) without a sequence left
 * incomplete at its end by a cut: the bytes of a lead that needed more
 * than the text holds. Invalid bytes that no cut could have made stay.
 */
constexpr std::size_t lengthWithoutCutSequence(const char* text, std::size_t length)
{
    for (std::size_t back = 1; back <= 3 && back <= length; ++back) {
        const auto byte = static_cast<unsigned char>(text[length - back]);
        if (byte < 0x80)
            return length;
        if (byte >= 0xC0)
            return utf8Lead(byte).continuations >= static_cast<int>(back) ? length - back : length;
    }
    return length;
}

}  // namespace vestrane::detail

#endif
