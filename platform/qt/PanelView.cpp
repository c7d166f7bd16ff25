#include "platform/qt/PanelView.h"

#include <QMouseEvent>

#include "platform/qt/QtToolkit.h"
#include "platform/ui/Form.h"

namespace platform::qt {

PanelView::PanelView(QtToolkit& toolkit, ui::Control& control, QWidget* parent)
    : QFrame(parent), toolkit_(toolkit), control_(&control) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
}

std::vector<ColorRoles> PanelView::colorRoles() const {
  return {{QPalette::Window, QPalette::WindowText}, {QPalette::Base, QPalette::Text}};
}

void PanelView::mouseDoubleClickEvent(QMouseEvent* event) {
  QFrame::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton || control_ == nullptr || control_->form() == nullptr) return;
  ui::Form& form = *control_->form();
  ui::Control& control = *control_;
  toolkit_.guard(form, [&] { form.doubleClick(control); });
}

}  // namespace platform::qt
