// FormatFieldValue on arbitrary formats, MaxLength values and field texts: a field without a format is cut to
// the longest prefix that fits MaxLength CP932 bytes; a format only ever writes a date or time, and leaving the
// field a second time changes nothing more when the value fits.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "framework/FieldFormat.h"
#include "framework/ScreenState.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/TextBox.h"

namespace {

using mnt4820::fuzz::require;

const char* const Formats[] = {"", "yyyy/mm/dd", "yy/mm/dd", "mm/dd", "yyyy/mm", "hh:mm"};

bool isDateOrTimeText(const std::string& text) {
  return text.find_first_not_of("0123456789/:") == std::string::npos && text.size() <= 10;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, std::size(Formats));
  const std::string format = choice < std::size(Formats) ? Formats[choice] : input.ConsumeRandomLengthString(12);
  const int maxLength = input.ConsumeIntegralInRange(0, 40);
  const std::string typed = mnt4820::fuzz::textFrom(input.ConsumeRemainingBytesAsString());

  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application(toolkit);
  platform::ui::Form form(application, "F_FUZZ");
  mnt4820::ScreenState screen;
  screen.CurrentForm = &form;
  auto& field = form.add<platform::ui::TextBox>("FIELD");
  field.setTabIndex(0);
  screen.fields.FieldCount = 1;
  screen.fields.setRows({mnt4820::FieldRow{&field, format, "2", mnt4820::Area::Body}});
  field.setMaxLength(maxLength);
  field.setText(typed);

  mnt4820::FormatFieldValue(screen, 0);
  const std::string once = field.text();
  require(platform::isValidUtf8(once), "the value stays UTF-8");
  if (format.empty()) {
    require(typed.starts_with(once), "a field without a format is only cut");
    if (maxLength == 0 || platform::AnsiByteLength(typed) <= static_cast<std::size_t>(maxLength)) {
      require(once == typed, "a value that fits is kept whole");
    } else {
      require(platform::AnsiByteLength(once) <= static_cast<std::size_t>(maxLength), "the cut fits MaxLength");
      require(platform::AnsiByteLength(platform::cutToAnsiBytes(typed, static_cast<std::size_t>(maxLength) + 2)) >
                  platform::AnsiByteLength(once),
              "the cut keeps the longest prefix that fits");
    }
  } else if (once != typed) {
    require(isDateOrTimeText(once), "a format writes only a date or a time");
  }

  // A completed value that does not fit MaxLength stays as completed, not in its format ("0930/02" in a field
  // of 6), and may be completed again the next time; one that fits is written in its format once and for all.
  if (maxLength > 0 && platform::AnsiByteLength(once) > static_cast<std::size_t>(maxLength)) return 0;
  mnt4820::FormatFieldValue(screen, 0);
  require(field.text() == once, "leaving the field again changes nothing");
  return 0;
}
