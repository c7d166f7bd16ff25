#include "platform/ui/DataControl.h"

#include <utility>

namespace platform::ui {

DataControl::DataControl(std::string name, int index) : Control(ControlKind::DataControl, std::move(name), index) {}

}  // namespace platform::ui
