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

[[noreturn]] void typeMismatch(std::string_view text) {
  throw ConversionError("type mismatch: \"" + std::string(text) + "\"");
}

[[noreturn]] void overflow(std::string_view text) { throw OverflowError("overflow: \"" + std::string(text) + "\""); }

// "&H…" or "&O…": unsigned up to 32 bits, read back as a signed 32-bit number. Digits that already overflow
// are reported as such, even with a wrong character after them.
double parsePrefixedInteger(std::string_view digits, int base, std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error == std::errc::result_out_of_range || value > 0xFFFFFFFFu) overflow(text);
  if (error != std::errc() || end != digits.data() + digits.size()) typeMismatch(text);
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

struct DecimalRead {
  double value;
  const char* end;
  std::errc error;
};

// A decimal number at the start of `text`: an optional sign, then what from_chars reads in `format`. The sign is
// ours (from_chars takes no '+'), and a digit or a point must follow it: from_chars would also take "inf", "nan"
// and a second sign. from_chars is independent of the locale, unlike strtod.
DecimalRead readDecimal(std::string_view text, std::chars_format format) {
  std::string_view rest = text;
  const bool negative = rest.starts_with('-');
  if (negative || rest.starts_with('+')) rest.remove_prefix(1);
  if (rest.empty() || !(isDigit(rest.front()) || rest.front() == '.')) {
    return {0, text.data(), std::errc::invalid_argument};
  }
  double value = 0;  // left as it is when the number is out of range
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value, format);
  return {negative ? -value : value, end, error};
}

// The exponent of a well-formed number; exponents beyond any double's range are clamped, the number is then
// infinite or zero anyway.
long exponentOf(std::string_view number) {
  const std::size_t e = number.find_first_of("eE");
  if (e == std::string_view::npos) return 0;
  std::string_view digits = number.substr(e + 1);
  const bool negative = digits.starts_with('-');
  if (negative || digits.starts_with('+')) digits.remove_prefix(1);
  long exponent = 0;
  const std::from_chars_result parsed = std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
  if (parsed.ec == std::errc::result_out_of_range || exponent > 100000) exponent = 100000;
  return negative ? -exponent : exponent;
}

// Decimal order of magnitude of a well-formed number whose value did not fit a double: positive means overflow,
// otherwise it underflowed to zero.
long decimalOrder(std::string_view number) {
  std::string_view mantissa = number.substr(0, number.find_first_of("eE"));
  if (mantissa.starts_with('+') || mantissa.starts_with('-')) mantissa.remove_prefix(1);
  const long exponent = exponentOf(number);
  const std::size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::size_t firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string_view::npos) return exponent + static_cast<long>(whole.size() - firstWhole);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
  const std::size_t firstFraction = fraction.find_first_not_of('0');
  return exponent - static_cast<long>(firstFraction == std::string_view::npos ? 0 : firstFraction);
}

double parseDecimal(std::string_view number, std::string_view text) {
  const DecimalRead read = readDecimal(number, std::chars_format::general);
  if (read.error == std::errc::invalid_argument || read.end != number.data() + number.size()) typeMismatch(text);
  if (read.error == std::errc::result_out_of_range && decimalOrder(number) > 0) overflow(text);
  return read.value;
}

template <typename Integer>
Integer toInteger(double value) {
  // Halves go to the even neighbour in the default rounding mode, which the program never changes.
  const double rounded = std::nearbyint(value);
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

std::int16_t leadingNumber16(std::string_view text) {
  const std::string trimmed = trimBlanks(text);
  const DecimalRead read = readDecimal(trimmed, std::chars_format::fixed);
  if (read.error != std::errc()) return 0;
  try {
    return toInteger16(read.value);
  } catch (const OverflowError&) {
    return 0;
  }
}

bool parseBoolean(std::string_view text) {
  const std::string word = trimBlanks(text);
  if (equalsIgnoringAsciiCase(word, "true")) return true;
  if (equalsIgnoringAsciiCase(word, "false")) return false;
  return parseNumber(word) != 0.0;
}

}  // namespace platform
