#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/QueryOperations.h"
#include "platform/odbc/Connection.h"
#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "tests/support/MainWindowSteps.h"
#include "tests/support/MaintenanceWorld.h"

namespace mnt4820::test {

// One operator's run of the main window on the headless toolkit, connected to a data source of the test's own;
// a message box without a scripted answer is answered OK.
class Workstation : public ScriptedToolkit {
 public:
  Workstation(const std::string& dsn, const std::string& user, const std::string& password) {
    okWhenUnscripted = true;
    form().onQueryUnload = [](bool& cancel) { cancel = true; };
    openMainWindow(maintenance, {"", user, password, dsn});
  }

  platform::ui::Form& form() { return *maintenance.window.form; }
  const F_MNT4820& window() const { return maintenance.window; }
  // The prompts shown since the last call.
  std::vector<std::string> shown() {
    std::vector<std::string> prompts;
    for (; seen_ < messages().size(); ++seen_) prompts.push_back(messages()[seen_].prompt);
    return prompts;
  }

  platform::ui::Application application{*this};
  Program program{application};
  MaintenanceScreen maintenance{program};

 private:
  std::size_t seen_ = 0;
};

}  // namespace mnt4820::test
