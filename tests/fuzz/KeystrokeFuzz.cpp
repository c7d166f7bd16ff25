// The keystroke filter on arbitrary attribute codes, field texts and character codes: each code handed back
// is the code, its case-folded letter or 0 as the attribute allows, and characters typed through the window
// never bring in what the attribute refuses.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "framework/KB_CHK.h"
#include "framework/ScreenState.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/TextBox.h"

namespace {

using mnt4820::fuzz::require;

// The signs each numeric code lets through besides the digits.
struct NumericCode {
  std::string_view code;
  std::string_view signs;
};
constexpr NumericCode NumericCodes[] = {{"3", ""},   {"4", "-"},   {"5", "."}, {"6", ","}, {"7", "-."}, {"8", "-,"},
                                        {"9", ".,"}, {"A", "-,."}, {"B", "/"}, {"C", ":"}, {"D", "/:"}};

const NumericCode* numericCode(std::string_view attribute) {
  for (const NumericCode& n : NumericCodes) {
    if (n.code == attribute) return &n;
  }
  return nullptr;
}

bool isDigit(int code) { return code >= '0' && code <= '9'; }

bool isRefusedText(char32_t c) { return c == U'\'' || c == U'"' || c == U','; }

// Characters of the text that the attribute would not let in by typing.
std::size_t refusedCount(const std::u32string& text, std::string_view attribute) {
  const NumericCode* numeric = numericCode(attribute);
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [&](char32_t c) {
    if (attribute.starts_with('2')) return isRefusedText(c);
    return numeric != nullptr && !isDigit(static_cast<int>(c)) &&
           (c > 0x7F || numeric->signs.find(static_cast<char>(c)) == std::string_view::npos);
  }));
}

void checkFilteredCode(std::string_view attribute, const std::string& text, std::int16_t typed, std::int16_t result) {
  if (typed == 8 || typed == 13 || attribute.starts_with('1')) {
    require(result == typed, "Backspace, Enter and codes beginning with 1 pass unchanged");
    return;
  }
  if (result == 0) return;
  if (attribute.starts_with('2')) {
    const bool folded = (attribute.ends_with('U') && typed >= 'a' && typed <= 'z' && result == typed - 32) ||
                        (attribute.ends_with('L') && typed >= 'A' && typed <= 'Z' && result == typed + 32);
    require(result == typed || folded, "a text code passes the character or folds its case");
    require(result != '\'' && result != '"' && result != ',', "a text code refuses quotes and commas");
    require(typed != platform::ui::Form::UnrepresentableCharCode, "a text code refuses what CP932 cannot hold");
    return;
  }
  require(result == typed, "a code is passed or dropped, never changed");
  const NumericCode* numeric = numericCode(attribute);
  if (numeric == nullptr) return;
  require(isDigit(result) ||
              (result > 0 && result < 0x80 && numeric->signs.find(static_cast<char>(result)) != std::string_view::npos),
          "a numeric code passes only digits and its signs");
  if (result == '-' || result == '.') {
    require(text.find(static_cast<char>(result)) == std::string::npos, "a second minus or point is dropped");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application(toolkit);
  platform::ui::Form form(application, "F_FUZZ");
  mnt4820::ScreenState screen;
  screen.CurrentForm = &form;
  auto& field = form.add<platform::ui::TextBox>("FIELD");
  field.setTabIndex(0);
  const std::string attribute = input.ConsumeRandomLengthString(4);
  screen.fields.FieldCount = 1;
  screen.fields.setRows({mnt4820::FieldRow{&field, "", attribute, mnt4820::Area::Head}});
  field.onKeyPress = [&](std::int16_t& code) { mnt4820::FilterKeystroke(screen, code); };
  form.show();
  field.setFocus();

  field.setMaxLength(input.ConsumeIntegralInRange(0, 24));
  field.setText(mnt4820::fuzz::textFrom(input.ConsumeRandomLengthString(32)));
  field.setSelStart(input.ConsumeIntegralInRange(0, 40));
  field.setSelLength(input.ConsumeIntegralInRange(0, 40));

  while (input.remaining_bytes() > 0) {
    const std::string code = screen.fields.FieldAttributes(0);
    if (input.ConsumeBool()) {
      // A raw key-press code straight into the filter.
      const auto typed = input.ConsumeIntegral<std::int16_t>();
      std::int16_t result = typed;
      mnt4820::FilterKeystroke(screen, result);
      if (typed != 8 && typed != 13) require(!screen.fields.FieldAttributes(0).empty(), "an empty attribute becomes 2");
      checkFilteredCode(code.empty() ? "2" : code, field.text(), typed, result);
    } else {
      // A character typed or pasted into the field.
      const std::u32string before = platform::toUtf32(field.text());
      const std::size_t minusBefore = static_cast<std::size_t>(std::count(before.begin(), before.end(), U'-'));
      const std::size_t pointBefore = static_cast<std::size_t>(std::count(before.begin(), before.end(), U'.'));
      const auto character = static_cast<char32_t>(input.ConsumeIntegralInRange<std::uint32_t>(1, 0x10FFFF));
      if (character >= 0xD800 && character <= 0xDFFF) continue;
      form.inputText(platform::toUtf8(character));
      const std::u32string after = platform::toUtf32(field.text());
      const std::string_view attr = screen.fields.FieldAttributes(0);
      require(refusedCount(after, attr) <= refusedCount(before, attr), "typing never brings in a refused character");
      if (numericCode(attr) != nullptr) {
        require(static_cast<std::size_t>(std::count(after.begin(), after.end(), U'-')) <=
                    std::max<std::size_t>(minusBefore, 1),
                "typing never brings in a second minus");
        require(static_cast<std::size_t>(std::count(after.begin(), after.end(), U'.')) <=
                    std::max<std::size_t>(pointBefore, 1),
                "typing never brings in a second point");
      }
      if (field.maxLength() > 0 && before.size() <= static_cast<std::size_t>(field.maxLength())) {
        require(after.size() <= static_cast<std::size_t>(field.maxLength()), "typing stops at MaxLength");
      }
    }
  }
  return 0;
}
