#include "screens/maintenance/MaintenanceScreen.h"

#include "screens/maintenance/MainWindow.h"

namespace mnt4820 {

MaintenanceScreen::MaintenanceScreen(Program& program)
    : program(program),
      window(createMainWindowDesign(program.ui)),
      search(program.ui, program.database),
      arriving(program.ui) {
  wireMainWindow(*this);
  program.screen.CurrentForm = window.form.get();
}

MaintenanceScreen::~MaintenanceScreen() {
  if (program.screen.CurrentForm == window.form.get()) program.screen.CurrentForm = nullptr;
}

}  // namespace mnt4820
