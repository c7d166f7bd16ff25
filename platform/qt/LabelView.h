#pragma once

#include <QLabel>

#include "platform/qt/ControlView.h"

namespace platform::ui {
class Label;
}

namespace platform::qt {

class QtToolkit;

// A label: its caption as plain text, top left.
class LabelView final : public QLabel, public ControlView {
  Q_OBJECT

 public:
  LabelView(QtToolkit& toolkit, ui::Label& label, QWidget* parent);

  QWidget& widget() override { return *this; }
  std::vector<ColorRoles> colorRoles() const override;
  void showChange(const ui::ControlChange& change) override;
  void detach() override { label_ = nullptr; }

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QtToolkit& toolkit_;
  ui::Label* label_;
};

}  // namespace platform::qt
