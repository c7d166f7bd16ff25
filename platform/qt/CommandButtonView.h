#pragma once

#include <QPushButton>

#include "platform/qt/ControlView.h"

namespace platform::ui {
class CommandButton;
}

namespace platform::qt {

class QtToolkit;

// A command button. Its caption keeps the '&' so that Qt underlines the access key; a click goes to the model.
// A double click is two clicks, as on the original desktop.
class CommandButtonView final : public QPushButton, public ControlView {
  Q_OBJECT

 public:
  CommandButtonView(QtToolkit& toolkit, ui::CommandButton& button, QWidget* parent);

  QWidget& widget() override { return *this; }
  std::vector<ColorRoles> colorRoles() const override;
  void showChange(const ui::ControlChange& change) override;
  void detach() override { button_ = nullptr; }

 private:
  void clickInModel();

  QtToolkit& toolkit_;
  ui::CommandButton* button_;
};

}  // namespace platform::qt
