#include "platform/qt/CommandButtonView.h"

#include "platform/qt/QtToolkit.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"

namespace platform::qt {

CommandButtonView::CommandButtonView(QtToolkit& toolkit, ui::CommandButton& button, QWidget* parent)
    : QPushButton(parent), toolkit_(toolkit), button_(&button) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { clickInModel(); });
}

std::vector<ColorRoles> CommandButtonView::colorRoles() const { return {{QPalette::Button, QPalette::ButtonText}}; }

void CommandButtonView::showChange(const ui::ControlChange& change) {
  if (change.property == ui::Property::Caption && button_ != nullptr) {
    setText(QString::fromStdString(button_->caption()));
  }
}

void CommandButtonView::clickInModel() {
  if (button_ == nullptr || button_->form() == nullptr) return;
  ui::Form& owner = *button_->form();
  ui::CommandButton& clicked = *button_;
  // The mouse press has already given the button the focus (or a lost-focus handler kept it away).
  toolkit_.guard(owner, [&] { owner.click(clicked, ui::Form::ClickFocus::AlreadyMoved); });
}

}  // namespace platform::qt
