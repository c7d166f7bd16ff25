#pragma once

#include <cstdint>
#include <string>

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
    settings.TextBackColor = BackColor;
    settings.TextFocusColor = FocusColor;
  }

  // Adds a text box and registers it as the next row of the field table (its TabIndex becomes the row).
  platform::ui::TextBox& addField(const std::string& name, const std::string& attribute = "2",
                                  const std::string& area = "HEAD", const std::string& format = "") {
    auto& box = form.add<platform::ui::TextBox>(name);
    FieldTable& table = screen.fields;
    const int row = table.FieldCount++;
    table.FieldControls.push_back(&box);
    table.FieldAttributes.push_back(attribute);
    table.FieldAreas.push_back(area);
    table.FieldFormats.push_back(format);
    box.setTabIndex(row);
    return box;
  }
};

}  // namespace mnt4820::test
