#include "platform/ui/CommandButton.h"

#include <utility>

namespace platform::ui {

CommandButton::CommandButton(std::string name, int index)
    : Control(ControlKind::CommandButton, std::move(name), index) {
  setBackColor(SystemColor::ButtonFace);
  setForeColor(SystemColor::ButtonText);
}

void CommandButton::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(Property::Caption);
}

// Enter presses a button at once; Space when it is released, so that a held Space clicks once.
bool CommandButton::keyAction(std::int16_t keyCode, std::int16_t shiftState) {
  if (shiftState != shift::None) return false;
  if (keyCode == key::Enter && onClick) onClick();
  return keyCode == key::Space;
}

void CommandButton::keyReleased(std::int16_t keyCode) {
  if (keyCode == key::Space && onClick) onClick();
}

std::optional<char> CommandButton::accessKey() const {
  for (std::size_t i = 0; i + 1 < caption_.size(); ++i) {
    if (caption_[i] != '&') continue;
    const char next = caption_[i + 1];
    if (next == '&') {
      ++i;  // "&&" is a literal ampersand
      continue;
    }
    if (next >= 'a' && next <= 'z') return static_cast<char>(next - 'a' + 'A');
    if ((next >= 'A' && next <= 'Z') || (next >= '0' && next <= '9')) return next;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace platform::ui
