#include "platform/ui/Label.h"

#include <utility>

namespace platform::ui {

Label::Label(std::string name, int index) : Control(ControlKind::Label, std::move(name), index) {
  setBackColor(SystemColor::ButtonFace);
  setForeColor(SystemColor::ButtonText);
  setTabStop(false);
}

void Label::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  changed(Property::Caption);
}

}  // namespace platform::ui
