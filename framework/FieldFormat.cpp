#include "framework/FieldFormat.h"

#include <charconv>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/CodePage.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

namespace {

using platform::ui::TextBox;

constexpr int FirstYear = 100;
constexpr int LastYear = 9999;
// A month and day without a year is checked in a leap year, so that 02/29 is a day it can name.
constexpr int LeapYear = 2000;

// What a recognised text names: a date, a year and month, a month and day, or a time.
struct Moment {
  std::optional<int> year = std::nullopt;
  std::optional<int> month = std::nullopt;
  std::optional<int> day = std::nullopt;
  std::optional<int> hour = std::nullopt;
  std::optional<int> minute = std::nullopt;
};

bool isDigits(std::string_view s, std::size_t minLength, std::size_t maxLength) {
  if (s.size() < minLength || s.size() > maxLength) return false;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Only called on at most four checked digits.
int numberOf(std::string_view digits) {
  int n = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), n);
  return n;
}

// The platform's two-digit-year window: 00-29 are 2000-2029, 30-99 are 1930-1999.
int fullYear(std::string_view digits) {
  const int y = numberOf(digits);
  if (digits.size() > 2) return y;
  return y < 30 ? 2000 + y : 1900 + y;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const std::size_t at = text.find(separator, from);
    parts.push_back(text.substr(from, at - from));
    if (at == std::string_view::npos) return parts;
    from = at + 1;
  }
}

bool isCalendarDay(int year, int month, int day) {
  namespace chrono = std::chrono;
  return chrono::year_month_day{chrono::year{year}, chrono::month{static_cast<unsigned>(month)},
                                chrono::day{static_cast<unsigned>(day)}}
      .ok();
}

std::optional<Moment> recogniseTime(std::string_view text) {
  const std::vector<std::string_view> parts = split(text, ':');
  if (parts.size() != 2 || !isDigits(parts[0], 1, 2) || !isDigits(parts[1], 2, 2)) return std::nullopt;
  const int hour = numberOf(parts[0]);
  const int minute = numberOf(parts[1]);
  if (hour > 23 || minute > 59) return std::nullopt;
  return Moment{.hour = hour, .minute = minute};
}

std::optional<Moment> recogniseDate(std::string_view text) {
  const std::vector<std::string_view> parts = split(text, '/');
  if (parts.size() == 3) {
    if (!isDigits(parts[0], 1, 4) || !isDigits(parts[1], 1, 2) || !isDigits(parts[2], 1, 2)) return std::nullopt;
    const int year = fullYear(parts[0]);
    const int month = numberOf(parts[1]);
    const int day = numberOf(parts[2]);
    if (year < FirstYear || year > LastYear || !isCalendarDay(year, month, day)) return std::nullopt;
    return Moment{.year = year, .month = month, .day = day};
  }
  if (parts.size() != 2 || !isDigits(parts[1], 1, 2)) return std::nullopt;
  const int second = numberOf(parts[1]);
  if (isDigits(parts[0], 3, 4)) {
    const int year = numberOf(parts[0]);
    if (year < FirstYear || second < 1 || second > 12) return std::nullopt;
    return Moment{.year = year, .month = second};
  }
  if (!isDigits(parts[0], 1, 2)) return std::nullopt;
  const int month = numberOf(parts[0]);
  if (!isCalendarDay(LeapYear, month, second)) return std::nullopt;
  return Moment{.month = month, .day = second};
}

// The date test: whether the text names a date, a year and month, a month and day, or a time.
std::optional<Moment> recognise(std::string_view text) {
  const std::string t = platform::trimBlanks(text);
  if (t.find(':') != std::string::npos) return recogniseTime(t);
  return recogniseDate(t);
}

std::string padded(int value, std::size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

// The moment written in one of the five formats, when it has every part the format shows.
std::optional<std::string> written(const Moment& m, std::string_view format) {
  if (format == "yyyy/mm/dd" && m.year && m.month && m.day) {
    return padded(*m.year, 4) + "/" + padded(*m.month, 2) + "/" + padded(*m.day, 2);
  }
  if (format == "yy/mm/dd" && m.year && m.month && m.day) {
    return padded(*m.year % 100, 2) + "/" + padded(*m.month, 2) + "/" + padded(*m.day, 2);
  }
  if (format == "mm/dd" && m.month && m.day) return padded(*m.month, 2) + "/" + padded(*m.day, 2);
  if (format == "yyyy/mm" && m.year && m.month) return padded(*m.year, 4) + "/" + padded(*m.month, 2);
  if (format == "hh:mm" && m.hour && m.minute) return padded(*m.hour, 2) + ":" + padded(*m.minute, 2);
  return std::nullopt;
}

// Formatting by pattern: a text that is no date or time in that pattern's terms comes back unchanged.
std::string formatted(const std::string& text, std::string_view format) {
  const std::optional<Moment> moment = recognise(text);
  if (!moment) return text;
  return written(*moment, format).value_or(text);
}

// A part of digits with at least two of them ("7" is "07", "007" is "07"); anything else unchanged.
std::string twoDigits(std::string_view part) {
  if (!isDigits(part, 1, part.size())) return std::string(part);
  const std::size_t firstSignificant = part.find_first_not_of('0');
  std::string digits(firstSignificant == std::string_view::npos ? std::string_view() : part.substr(firstSignificant));
  if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
  return digits;
}

bool fits(const std::string& text, int maxLength) {
  return maxLength == 0 || platform::cutToAnsiBytes(text, static_cast<std::size_t>(maxLength)) == text;
}

void replaceText(TextBox& box, const std::string& text) {
  if (text != box.text()) box.setText(text);
}

// The typed value t, counted and cut in characters.
class Typed {
 public:
  explicit Typed(const TextBox& box) : text_(platform::toUtf32(platform::trimBlanks(box.text()))) {}
  std::size_t length() const { return text_.size(); }
  std::size_t find(char32_t c) const { return text_.find(c); }
  bool contains(char32_t c) const { return find(c) != std::u32string::npos; }
  std::string chars(std::size_t from, std::size_t count = std::u32string::npos) const {
    return platform::toUtf8(std::u32string_view(text_).substr(from, count));
  }

 private:
  std::u32string text_;
};

// m/d or y/m typed with a slash: each side written with at least two digits; nullopt when the slash opens
// or ends the text or a second one follows.
std::optional<std::string> withTwoDigitParts(const Typed& t) {
  const std::size_t slash = t.find(U'/');
  if (slash == 0 || slash == t.length() - 1) return std::nullopt;
  const std::string after = t.chars(slash + 1);
  if (after.find('/') != std::string::npos) return std::nullopt;
  return twoDigits(t.chars(0, slash)) + "/" + twoDigits(after);
}

// Stores the built text when it passes the date test; false (the value stays as typed) when it does not.
bool storeIfValid(TextBox& box, const std::optional<std::string>& built) {
  if (!built || !recognise(*built)) return false;
  replaceText(box, *built);
  return true;
}

// The completion of short forms; false when the value is to stay as typed.
bool completeShortForm(TextBox& box, const std::string& format) {
  const Typed t(box);
  if (format == "yyyy/mm/dd" || format == "yy/mm/dd") {
    if (t.contains(U'/')) return true;
    std::string built;
    if (t.length() == 8) {
      built = t.chars(0, 4) + "/" + t.chars(4, 2) + "/" + t.chars(6, 2);
    } else if (t.length() == 6) {
      built = t.chars(0, 2) + "/" + t.chars(2, 2) + "/" + t.chars(4, 2);
    } else {
      return false;
    }
    const std::optional<Moment> date = recognise(built);
    if (!date) return false;
    // The date itself goes into the field, in the system's short form with four-digit year.
    replaceText(box, *written(*date, "yyyy/mm/dd"));
    return true;
  }
  if (format == "mm/dd") {
    if (!t.contains(U'/')) return t.length() == 4 && storeIfValid(box, t.chars(0, 2) + "/" + t.chars(2, 2));
    return storeIfValid(box, withTwoDigitParts(t));
  }
  if (format == "yyyy/mm") {
    if (t.contains(U'/')) return storeIfValid(box, withTwoDigitParts(t));
    if (t.length() == 4) {
      const std::string yy = t.chars(0, 2);
      const bool lastCentury = isDigits(yy, 2, 2) && numberOf(yy) > 90;
      return storeIfValid(box, (lastCentury ? "19" : "20") + yy + "/" + t.chars(2, 2));
    }
    return t.length() == 6 && storeIfValid(box, t.chars(0, 4) + "/" + t.chars(4, 2));
  }
  if (format == "hh:mm") {
    // A time typed with its colon stays as typed; six digits are no time (hhmmss is not a format here).
    if (t.contains(U':') || t.length() != 4) return false;
    return storeIfValid(box, t.chars(0, 2) + ":" + t.chars(2, 2));
  }
  return true;
}

}  // namespace

void FormatFieldValue(ScreenState& screen, std::int16_t row) {
  const FieldTable& fields = screen.fields;
  TextBox& box = fields.FieldControls(row);
  const std::string& format = fields.FieldFormats(row);
  const int maxLength = box.maxLength();
  if (format.empty()) {
    if (maxLength > 0) replaceText(box, platform::cutToAnsiBytes(box.text(), static_cast<std::size_t>(maxLength)));
    return;
  }
  if (!completeShortForm(box, format)) return;

  const std::string current = box.text();
  if (current.empty()) return;
  const std::string v = formatted(formatted(current, format), format);
  // A value that would not fit the field keeps its text rather than being cut.
  if (fits(v, maxLength)) replaceText(box, formatted(v, format));
}

}  // namespace mnt4820
