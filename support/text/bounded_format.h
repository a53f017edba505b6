/*
 * bounded_format.h - printf-style formatting within its buffer (internal, C++).
 *
 * Internal to the text module, shared by the anchored and the stroke text:
 * a formatted text never overruns its buffer.
 */
#ifndef VESTRANE_SUPPORT_TEXT_BOUNDED_FORMAT_H
#define VESTRANE_SUPPORT_TEXT_BOUNDED_FORMAT_H

#include "support/text/utf8.h"

#include <array>
#include <cstdarg>
#include <cstddef>
#include <cstdio>

namespace vestrane::detail {

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
        buffer[lengthWithoutCutSequence(buffer.data(), Size - 1)] = '\0';
    }
}

}  // namespace vestrane::detail

/* Formats the variadic arguments of the entry it stands in, which end with
 * `format`, into `buffer`. */
#define FORMAT_CALLER_ARGUMENTS(buffer, format)                                                    \
    do {                                                                                           \
        va_list arguments_;                                                                        \
        va_start(arguments_, format);                                                              \
        vestrane::detail::formatBounded(buffer, format, arguments_);                               \
        va_end(arguments_);                                                                        \
    } while (0)

#endif
