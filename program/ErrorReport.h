#pragma once

#include <cstdint>
#include <exception>
#include <string_view>

#include "framework/Conventions.h"
#include "platform/ui/Application.h"

namespace mnt4820 {

// The operator sees only a fixed message; this line on standard error tells an administrator what was behind
// it: "MNT4820: <where>: <what>", for an ODBC error every diagnostic record as [SQLSTATE] (native code) message.
void reportCaughtError(std::string_view where, const std::exception& error);

// Shows a fixed message with the OK button alone and the program's title.
void showFixedMessage(platform::ui::Application& ui, const char* message);

// The one rule for a failure that stops an operation: runs `step`; whatever it throws is reported on standard
// error (reportCaughtError), `message` is shown and `status` becomes StatusStop. Returns whether the step ran
// through; the caller then does only what its own way out needs.
template <class Step>
bool runOrStop(platform::ui::Application& ui, std::string_view where, const char* message, std::int16_t& status,
               Step&& step) {
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    reportCaughtError(where, error);
    showFixedMessage(ui, message);
    status = StatusStop;
    return false;
  }
}

}  // namespace mnt4820
