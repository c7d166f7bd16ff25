#pragma once

#include <string>

#include "platform/ui/Control.h"

namespace platform::ui {

// A control with no content of its own in the model (a grid before its content is filled, a data control):
// it has a place, a look and the focus.
class PlainControl : public Control {
 public:
  PlainControl(ControlKind kind, std::string name, int index = NotInArray) : Control(kind, std::move(name), index) {}

 protected:
  bool isFocusableKind() const override { return kind() != ControlKind::DataControl; }
};

}  // namespace platform::ui
