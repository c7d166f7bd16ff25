#pragma once

#include <QPalette>
#include <vector>

#include "platform/ui/ControlObserver.h"

class QWidget;

namespace platform::qt {

// The palette roles that a control's background and text colours go to.
struct ColorRoles {
  QPalette::ColorRole back;
  QPalette::ColorRole fore;
};

// The widget of one model control, one class per kind of control. The form's window mirrors what every
// control has (place, font, colours, enabled, shown, focus); the view mirrors what its kind has.
class ControlView {
 public:
  virtual ~ControlView() = default;

  virtual QWidget& widget() = 0;
  virtual std::vector<ColorRoles> colorRoles() const = 0;
  // Shows a change of the model control; the view ignores what its kind does not show.
  virtual void showChange(const ui::ControlChange& change) = 0;
  // The model control is gone or its form unloaded: the view no longer talks to it.
  virtual void detach() = 0;
};

}  // namespace platform::qt
