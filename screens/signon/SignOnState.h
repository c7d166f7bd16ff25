#pragma once

#include <cstdint>
#include <string>

#include "framework/ScreenState.h"
#include "program/Program.h"
#include "screens/signon/SignOnDesign.h"

namespace mnt4820 {

// What the sign-on logic works with: the program, the two windows as it reaches them with the field table of
// each, and the working values of the operator looked up last.
struct SignOnState {
  explicit SignOnState(Program& program) : program(program) {}

  Program& program;
  // Set by whoever opens the sign-on dialog.
  OPS22101* SignOnWindow = nullptr;
  OPS22102* PasswordWindow = nullptr;
  // Each window keeps its own table: the password window is open beside the sign-on window, and the main
  // window's table in the program's screen state stays as it is while either is open.
  ScreenState SignOnScreen;
  ScreenState PasswordScreen;
  // Written by every successful lookup, read when a password is tested.
  std::string SignOnCode;
  std::string SignOnName;
  std::int16_t SignOnImeMode = 0;
  std::int16_t SignOnAuthority = 0;
  std::string StoredPassword;
};

}  // namespace mnt4820
