#include "framework/KB_CHK.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/Form.h"

namespace mnt4820 {

namespace {

constexpr std::int16_t Apostrophe = 39;
constexpr std::int16_t DoubleQuote = 34;
constexpr std::int16_t Comma = 44;
constexpr std::int16_t Minus = 45;
constexpr std::int16_t Point = 46;
constexpr std::int16_t Slash = 47;
constexpr std::int16_t Colon = 58;
constexpr std::int16_t Digit0 = 48;
constexpr std::int16_t Digit9 = 57;
constexpr std::int16_t CaseDistance = 'a' - 'A';

// The numeric codes: which characters besides the digits each lets through. Signed comparisons throughout,
// so every double-byte character (a negative code) is refused.
struct NumericRule {
  std::string_view code;
  bool minus;
  bool point;
  bool comma;
  bool slash;
  bool colon;
};

constexpr NumericRule NumericRules[] = {
    {"3", false, false, false, false, false}, {"4", true, false, false, false, false},
    {"5", false, true, false, false, false},  {"6", false, false, true, false, false},
    {"7", true, true, false, false, false},   {"8", true, false, true, false, false},
    {"9", false, true, true, false, false},   {"A", true, true, true, false, false},
    {"B", false, false, false, true, false},  {"C", false, false, false, false, true},
    {"D", false, false, false, true, true},
};

const NumericRule* numericRule(std::string_view code) {
  for (const NumericRule& rule : NumericRules) {
    if (rule.code == code) return &rule;
  }
  return nullptr;
}

bool letsThrough(const NumericRule& rule, std::int16_t k) {
  return (k >= Digit0 && k <= Digit9) || (rule.minus && k == Minus) || (rule.point && k == Point) ||
         (rule.comma && k == Comma) || (rule.slash && k == Slash) || (rule.colon && k == Colon);
}

void filterText(std::string_view code, std::int16_t& k) {
  if (k == Apostrophe || k == DoubleQuote || k == Comma) {
    k = 0;
    return;
  }
  if (code.ends_with('U') && k >= 'a' && k <= 'z') k = static_cast<std::int16_t>(k - CaseDistance);
  if (code.ends_with('L') && k >= 'A' && k <= 'Z') k = static_cast<std::int16_t>(k + CaseDistance);
}

void dropSecond(const ScreenState& screen, char sign, std::int16_t& k) {
  const platform::ui::Control* active = screen.form().activeControl();
  if (active == nullptr) throw FieldTableError("no active field to test for a second sign");
  if (active->defaultValue().find(sign) != std::string::npos) k = 0;
}

}  // namespace

void FilterKeystroke(ScreenState& screen, std::int16_t& charCode) {
  if (charCode == platform::ui::key::Backspace || charCode == platform::ui::key::Enter) return;
  const std::optional<int> row = screen.activeFieldRow();
  if (!row) throw FieldTableError("the keystroke filter runs only in a registered field");
  std::string& attribute = screen.fields.FieldAttributes(*row);
  if (attribute.empty()) attribute = "2";

  if (attribute.starts_with('1')) return;
  if (charCode == platform::ui::Form::UnrepresentableCharCode) {
    charCode = 0;
    return;
  }
  if (attribute.starts_with('2')) {
    filterText(attribute, charCode);
    return;
  }
  const NumericRule* rule = numericRule(attribute);
  if (rule == nullptr) return;
  if (!letsThrough(*rule, charCode)) {
    charCode = 0;
    return;
  }
  if (rule->minus && charCode == Minus) AllowOneMinus(screen, charCode);
  if (rule->point && charCode == Point) AllowOnePoint(screen, charCode);
}

void AllowOneMinus(const ScreenState& screen, std::int16_t& charCode) { dropSecond(screen, '-', charCode); }

void AllowOnePoint(const ScreenState& screen, std::int16_t& charCode) { dropSecond(screen, '.', charCode); }

}  // namespace mnt4820
