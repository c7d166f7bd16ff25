#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/HeadlessToolkit.h"

namespace platform::ui::testing {

// A form on the headless toolkit, and a log in which handlers write what ran, in the order it ran.
struct FormWorld {
  HeadlessToolkit toolkit;
  Application application{toolkit};
  Form form{application, "F_TEST"};
  std::vector<std::string> log;

  // Records the key, focus and click events of a control under its name, an array member as NAME(i).
  void logControl(Control& control) {
    const std::string who =
        control.isArrayMember() ? control.name() + "(" + std::to_string(control.index()) + ")" : control.name();
    control.onKeyDown = [this, who](std::int16_t& code, std::int16_t s) {
      log.push_back(who + ".keyDown " + std::to_string(code) + "/" + std::to_string(s));
    };
    control.onKeyPress = [this, who](std::int16_t& code) { log.push_back(who + ".keyPress " + std::to_string(code)); };
    control.onKeyUp = [this, who](std::int16_t& code, std::int16_t s) {
      log.push_back(who + ".keyUp " + std::to_string(code) + "/" + std::to_string(s));
    };
    control.onGotFocus = [this, who] { log.push_back(who + ".gotFocus"); };
    control.onLostFocus = [this, who] { log.push_back(who + ".lostFocus"); };
    control.onClick = [this, who] { log.push_back(who + ".click"); };
  }

  bool logMentions(const std::string& part) const {
    for (const auto& entry : log) {
      if (entry.find(part) != std::string::npos) return true;
    }
    return false;
  }

  void logForm() {
    form.onKeyDown = [this](std::int16_t& code, std::int16_t s) {
      log.push_back("form.keyDown " + std::to_string(code) + "/" + std::to_string(s));
    };
    form.onKeyPress = [this](std::int16_t& code) { log.push_back("form.keyPress " + std::to_string(code)); };
    form.onKeyUp = [this](std::int16_t& code, std::int16_t s) {
      log.push_back("form.keyUp " + std::to_string(code) + "/" + std::to_string(s));
    };
  }
};

}  // namespace platform::ui::testing
