#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/QueryOperations.h"
#include "platform/odbc/Connection.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/TextBox.h"
#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "tests/support/MaintenanceWorld.h"

namespace mnt4820::test {

// One operator's run of the main window on the headless toolkit, connected to a data source of the test's own.
// `onMessage` runs while a message box is up, before the scripted answer (OK when none is queued).
class Workstation : public platform::ui::HeadlessToolkit {
 public:
  Workstation(const std::string& dsn, const std::string& user, const std::string& password) {
    form().onQueryUnload = [](bool& cancel) { cancel = true; };
    openMainWindow(maintenance, {"", user, password, dsn});
  }

  platform::ui::mb::Answer messageBox(const std::string& prompt, int flags, const std::string& title) override {
    if (onMessage) onMessage(prompt);
    if (pendingAnswers() == 0) answerNext(platform::ui::mb::Answer::Ok);
    return HeadlessToolkit::messageBox(prompt, flags, title);
  }

  platform::ui::Form& form() { return *maintenance.window.form; }
  platform::ui::TextBox& field(const char* name) { return form().get<platform::ui::TextBox>(name); }
  void enter(const char* name, const std::string& text) {
    field(name).setText(text);
    form().pressKey(platform::ui::key::Enter, 0);
  }
  // The prompts shown since the last call.
  std::vector<std::string> shown() {
    std::vector<std::string> prompts;
    for (; seen_ < messages().size(); ++seen_) prompts.push_back(messages()[seen_].prompt);
    return prompts;
  }

  std::function<void(const std::string&)> onMessage;
  platform::ui::Application application{*this};
  Program program{application};
  MaintenanceScreen maintenance{program};

 private:
  std::size_t seen_ = 0;
};

}  // namespace mnt4820::test
