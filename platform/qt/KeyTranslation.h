#pragma once

#include <cstdint>
#include <optional>
#include <string>

class QKeyEvent;

namespace platform::qt {

// A Qt key event in the terms of the original desktop: virtual-key code, shift mask (1 Shift, 2 Ctrl, 4 Alt)
// and the character the key typed, if any.
struct KeyStroke {
  std::int16_t keyCode = 0;
  std::int16_t shift = 0;
  std::optional<char32_t> character;
  // Characters beyond the first when one key typed several (UTF-8); they arrive as text without keystrokes.
  std::string followingText;
};

// None for keys the original desktop had no code for and that typed nothing.
std::optional<KeyStroke> translateKey(const QKeyEvent& event);

}  // namespace platform::qt
