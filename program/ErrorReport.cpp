#include "program/ErrorReport.h"

#include <iostream>
#include <string>

#include "platform/odbc/OdbcError.h"
#include "program/Program.h"

namespace mnt4820 {

namespace {

// One line however many lines the driver's message has.
std::string oneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

std::string describe(const std::exception& error) {
  const auto* odbc = dynamic_cast<const platform::odbc::OdbcError*>(&error);
  if (odbc == nullptr || odbc->records().empty()) return oneLine(error.what());
  std::string text = odbc->functionName() + " failed:";
  for (const platform::odbc::DiagnosticRecord& record : odbc->records()) {
    text += " [" + record.sqlState + "] (" + std::to_string(record.nativeCode) + ") " + oneLine(record.message);
  }
  return text;
}

}  // namespace

void reportCaughtError(std::string_view where, const std::exception& error) {
  std::cerr << ProgramTitle << ": " << where << ": " << describe(error) << std::endl;
}

void showFixedMessage(platform::ui::Application& ui, const char* message) {
  ui.messageBox(message, platform::ui::mb::OkOnly, ProgramTitle);
}

}  // namespace mnt4820
