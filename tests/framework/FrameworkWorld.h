#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "framework/ScreenState.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/TextBox.h"

namespace mnt4820::test {

// A window on the headless toolkit as the current form, an empty field table and settings with the two
// field colours.
struct FrameworkWorld {
  static constexpr platform::ui::Color BackColor = 0x00FFFFFF;
  static constexpr platform::ui::Color FocusColor = 0x0080FFFF;

  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  platform::ui::Form form{application, "F_TEST"};
  ScreenState screen;
  Settings settings;

  FrameworkWorld() {
    screen.CurrentForm = &form;
    settings.Text.BackColor = BackColor;
    settings.TextFocusColor = FocusColor;
  }

  // The rows the screen registers; a test that changes one registers them again.
  std::vector<FieldRow> rows;
  void registerRows() {
    screen.fields.FieldCount = static_cast<std::int16_t>(rows.size());
    screen.fields.setRows(rows);
  }

  // Adds a text box and registers it as the next row of the field table (its TabIndex becomes the row).
  platform::ui::TextBox& addField(const std::string& name, const std::string& attribute = "2", Area area = Area::Head,
                                  const std::string& format = "") {
    auto& box = form.add<platform::ui::TextBox>(name);
    box.setTabIndex(static_cast<int>(rows.size()));
    rows.push_back(FieldRow{&box, format, attribute, area});
    registerRows();
    return box;
  }
};

}  // namespace mnt4820::test
