#pragma once

#include <QFrame>

#include "platform/qt/ControlView.h"

namespace platform::ui {
class Control;
}

namespace platform::qt {

class QtToolkit;

// A control whose contents the model does not hold (a kind without a view of its own): a sunken panel that
// can take the focus.
class PanelView final : public QFrame, public ControlView {
  Q_OBJECT

 public:
  PanelView(QtToolkit& toolkit, ui::Control& control, QWidget* parent);

  QWidget& widget() override { return *this; }
  std::vector<ColorRoles> colorRoles() const override;
  void showChange(const ui::ControlChange&) override {}
  void detach() override { control_ = nullptr; }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QtToolkit& toolkit_;
  ui::Control* control_;
};

}  // namespace platform::qt
