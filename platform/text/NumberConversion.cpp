#include "platform/text/NumberConversion.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/text/AsciiCase.h"
#include "platform/text/CodePage.h"

namespace platform {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

[[noreturn]] void typeMismatch(std::string_view text) {
  throw ConversionError("type mismatch: \"" + std::string(text) + "\"");
}

// "&H…" or "&O…": unsigned up to 32 bits, read back as a signed 32-bit number.
double parsePrefixedInteger(std::string_view digits, int base, std::string_view text) {
  if (digits.empty()) typeMismatch(text);
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int digit = digitValue(c);
    if (digit >= base) typeMismatch(text);
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFu) throw OverflowError("overflow: \"" + std::string(text) + "\"");
  }
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Decimal order of magnitude of a well-formed number whose value did not fit a double: positive
// means overflow, otherwise it underflowed to zero.
long decimalOrder(std::string_view mantissa, long exponent) {
  const std::size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::size_t firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string_view::npos) return exponent + static_cast<long>(whole.size() - firstWhole);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
  const std::size_t firstFraction = fraction.find_first_not_of('0');
  return exponent - static_cast<long>(firstFraction == std::string_view::npos ? 0 : firstFraction);
}

double parseDecimal(std::string_view number, std::string_view text) {
  std::size_t pos = 0;
  const auto digitsFrom = [&](std::size_t start) {
    while (pos < number.size() && isDigit(number[pos])) ++pos;
    return pos - start;
  };
  bool negative = false;
  if (pos < number.size() && (number[pos] == '+' || number[pos] == '-')) negative = number[pos++] == '-';
  const std::size_t mantissaStart = pos;
  std::size_t mantissaDigits = digitsFrom(pos);
  if (pos < number.size() && number[pos] == '.') {
    ++pos;
    mantissaDigits += digitsFrom(pos);
  }
  if (mantissaDigits == 0) typeMismatch(text);
  const std::string_view mantissa = number.substr(mantissaStart, pos - mantissaStart);
  long exponent = 0;
  if (pos < number.size() && (number[pos] == 'e' || number[pos] == 'E')) {
    ++pos;
    bool negativeExponent = false;
    if (pos < number.size() && (number[pos] == '+' || number[pos] == '-')) negativeExponent = number[pos++] == '-';
    const std::size_t exponentStart = pos;
    if (digitsFrom(pos) == 0) typeMismatch(text);
    const std::string_view exponentDigits = number.substr(exponentStart, pos - exponentStart);
    // Exponents beyond any double's range are clamped; the result is then infinite or zero anyway.
    const std::from_chars_result parsed =
        std::from_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(), exponent);
    if (parsed.ec == std::errc::result_out_of_range || exponent > 100000) exponent = 100000;
    if (negativeExponent) exponent = -exponent;
  }
  if (pos != number.size()) typeMismatch(text);

  // from_chars takes no '+' and is independent of the locale, unlike strtod.
  const std::string_view unsignedNumber = number.substr(mantissaStart);
  double value = 0;
  const auto [end, error] =
      std::from_chars(unsignedNumber.data(), unsignedNumber.data() + unsignedNumber.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (decimalOrder(mantissa, exponent) > 0) throw OverflowError("overflow: \"" + std::string(text) + "\"");
    value = 0;
  } else if (error != std::errc() || end != unsignedNumber.data() + unsignedNumber.size()) {
    typeMismatch(text);
  }
  return negative ? -value : value;
}

double roundHalfToEven(double value) {
  // std::round takes halves away from zero; a half is exactly representable, so this test is exact.
  if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
  return std::round(value);
}

template <typename Integer>
Integer toInteger(double value) {
  const double rounded = roundHalfToEven(value);
  if (std::isnan(rounded) || rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
    throw OverflowError("overflow: " + std::to_string(value));
  }
  return static_cast<Integer>(rounded);
}

}  // namespace

double parseNumber(std::string_view text) {
  const std::string number = trimBlanks(text);
  if (number.empty()) typeMismatch(text);
  if (number.size() >= 2 && number[0] == '&') {
    const std::string_view digits = std::string_view(number).substr(2);
    if (number[1] == 'H' || number[1] == 'h') return parsePrefixedInteger(digits, 16, text);
    if (number[1] == 'O' || number[1] == 'o') return parsePrefixedInteger(digits, 8, text);
    typeMismatch(text);
  }
  return parseDecimal(number, text);
}

std::int16_t toInteger16(double value) { return toInteger<std::int16_t>(value); }

std::int32_t toInteger32(double value) { return toInteger<std::int32_t>(value); }

bool parseBoolean(std::string_view text) {
  const std::string word = trimBlanks(text);
  if (equalsIgnoringAsciiCase(word, "true")) return true;
  if (equalsIgnoringAsciiCase(word, "false")) return false;
  return parseNumber(word) != 0.0;
}

}  // namespace platform
