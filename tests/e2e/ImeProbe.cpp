// A real window for the input-method test: prints the text of the field under test, one line each time it
// changes, until it is ended.
//   ime-probe field            one text box whose input-method mode is on
//   ime-probe main OPERATOR    the program's own main window (run from a laid-out run folder); prints KCNTCD
#include <cstdio>
#include <string_view>

#include "app/Bas_MNT4820.h"
#include "platform/qt/QtProgram.h"
#include "platform/system/ProcessInfo.h"
#include "platform/ui/TextBox.h"

namespace {

void printOnChange(platform::ui::TextBox& box) {
  box.onChange = [&box] {
    std::printf("%s\n", box.text().c_str());
    std::fflush(stdout);
  };
}

int runField(platform::qt::QtProgram& qt, platform::ui::Application& application) {
  platform::ui::Form form(application, "F_IMEPROBE");
  form.setCaption("IME probe");
  form.move(0, 0, 4800, 1800);
  auto& box = form.add<platform::ui::TextBox>("TXT");
  box.setGeometry({240, 240, 3600, 360});
  box.setImeMode(platform::ui::ImeMode::On);
  printOnChange(box);
  if (!qt.toolkit().guard(application, [&] { form.show(); })) return qt.toolkit().exitCode();
  return qt.exec();
}

int runMainWindow(platform::qt::QtProgram& qt, platform::ui::Application& application, const char* operatorCode) {
  mnt4820::Program program(application);
  mnt4820::MaintenanceScreen maintenance(program);
  const mnt4820::StartupArguments arguments{platform::programFolder().string(), operatorCode};
  const auto run = [&] { mnt4820::Main(program, maintenance, arguments); };
  if (!qt.toolkit().guard(application, run)) return qt.toolkit().exitCode();
  printOnChange(maintenance.window.KCNTCD);
  return qt.exec();
}

}  // namespace

int main(int argc, char** argv) {
  platform::qt::QtProgram qt(argv[0], mnt4820::ProgramTitle);
  platform::ui::Application application(qt.toolkit());
  if (argc == 2 && std::string_view(argv[1]) == "field") return runField(qt, application);
  if (argc == 3 && std::string_view(argv[1]) == "main") return runMainWindow(qt, application, argv[2]);
  std::fprintf(stderr, "usage: ime-probe field | ime-probe main OPERATOR\n");
  return 2;
}
