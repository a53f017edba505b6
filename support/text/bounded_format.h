/*
 * bounded_format.h - printf-style formatting that never overruns its buffer
 *
 * Internal to the text module, shared by the anchored and the stroke text.
 */
#ifndef VESTRANE_BOUNDED_FORMAT_H
#define VESTRANE_BOUNDED_FORMAT_H

#include "support/text/utf8.h"

#include <array>
#include <cstdarg>
#include <cstddef>
#include <cstdio>

/* The text module's buffers: 1999 characters and the terminating zero. */
inline constexpr std::size_t textBufferSize = 2000;
using TextBuffer = std::array<char, textBufferSize>;

/*
 * Formats into `buffer`, cutting a longer text at its last byte (1999
 * characters for the text module's 2000-byte buffers) and never inside a
 * UTF-8 sequence: what the cut would leave of one goes too. A format that
 * fails gives the empty text.
 */
template <std::size_t Size>
__attribute__((format(printf, 2, 0))) inline void
formatBounded(std::array<char, Size>& buffer, const char* format, va_list arguments)
{
    const int length = std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    if (length < 0) {
        buffer[0] = '\0';
    } else if (static_cast<std::size_t>(length) >= Size) {
        buffer[vestrane::detail::lengthWithoutCutSequence(buffer.data(), Size - 1)] = '\0';
    }
}

/* Formats the variadic arguments of the entry it stands in, which end with
 * `format`, into `buffer`. */
#define FORMAT_CALLER_ARGUMENTS(buffer, format)                                                    \
    do {                                                                                           \
        va_list arguments_;                                                                        \
        va_start(arguments_, format);                                                              \
        formatBounded(buffer, format, arguments_);                                                 \
        va_end(arguments_);                                                                        \
    } while (0)

#endif /* VESTRANE_BOUNDED_FORMAT_H */
