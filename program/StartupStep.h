#pragma once

#include <cstdint>
#include <utility>

#include "framework/Conventions.h"
#include "program/ErrorReport.h"
#include "program/Program.h"

namespace mnt4820 {

// One step of a start-up: a failure is told by the rule for failures (one line on standard error, the fixed
// message) and ends the program with status 1.
template <class Step>
void runStartupStep(Program& program, const char* step, const char* message, Step&& run) {
  constexpr int FailureStatus = 1;
  std::int16_t status = StatusGoOn;
  if (!runOrStop(program.ui, step, message, status, std::forward<Step>(run))) program.ui.endProgram(FailureStatus);
}

}  // namespace mnt4820
