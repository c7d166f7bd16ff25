#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Text is UTF-8 inside the program; CP932 (the Japanese Windows code page) appears only where the
// program meets the outside world and where lengths must be counted the way the database counts them.
namespace platform {

// Invalid UTF-8, invalid CP932 bytes, or a code point that is not a Unicode scalar value.
class CodePageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a decoder does with bytes that are no character of the code page.
enum class InvalidBytes { Throw, Replace };

// Characters CP932 cannot represent become '?', as the Windows conversion does.
std::string utf8ToCp932(std::string_view utf8);
// With InvalidBytes::Replace a byte that is no character, or a lead byte with a trail that makes none,
// becomes U+FFFD; an ASCII byte after a lead byte is kept as the character it is.
std::string cp932ToUtf8(std::string_view bytes, InvalidBytes invalid = InvalidBytes::Throw);

bool isValidUtf8(std::string_view text);

// CP932 byte count; a character CP932 cannot represent counts 1 (its '?').
std::size_t AnsiByteLength(std::string_view utf8);

// The longest prefix of at most maxBytes CP932 bytes; a double-byte character that would
// straddle the limit is left out whole.
std::string cutToAnsiBytes(std::string_view utf8, std::size_t maxBytes);

std::size_t characterCount(std::string_view utf8);
std::u32string toUtf32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);
std::string toUtf8(char32_t character);

// Key-press character codes as Windows delivered them: a single-byte character gives its byte
// value (0..255), a double-byte one its two-byte code read as a signed 16-bit number.
std::optional<std::int16_t> cp932CharCode(char32_t character);
std::optional<char32_t> charFromCp932Code(std::int16_t code);

// Removes leading and trailing U+0020 only; full-width spaces and tabs stay, as with the platform's Trim.
std::string trimBlanks(std::string_view text);
// The same without a copy: a part of `text`, valid as long as it is.
std::string_view trimBlanksView(std::string_view text);

}  // namespace platform
