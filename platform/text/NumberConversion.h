#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

// The platform's standard conversions between texts and numbers.
namespace platform {

// The text is no number (the platform's "type mismatch").
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The number does not fit the target type.
class OverflowError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Blanks around, optional sign, decimal digits with optional fraction and exponent; or &H
// (hexadecimal) / &O (octal) with up to 32 bits, where values above 0x7FFFFFFF wrap to negative
// 32-bit numbers as colour values are written (&H8000000F is -2147483633). Short hexadecimal values stay
// positive (&HFFFF is 65535, the colour yellow), where the old conversion made a 16-bit -1 of them.
double parseNumber(std::string_view text);

// Nearest whole number, halves to the even neighbour.
std::int16_t toInteger16(double value);
std::int32_t toInteger32(double value);

// The number at the start of the text (blanks around, optional sign, decimal digits with optional fraction; what
// follows is not read), rounded as toInteger16; 0 when the text starts with no number or it does not fit.
std::int16_t leadingNumber16(std::string_view text);

// "True"/"False" in any letter case, or a number (non-zero is true).
bool parseBoolean(std::string_view text);

}  // namespace platform
