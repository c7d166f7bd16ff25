#include "platform/qt/LabelView.h"

#include <QMouseEvent>

#include "platform/qt/QtToolkit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"

namespace platform::qt {

LabelView::LabelView(QtToolkit& toolkit, ui::Label& label, QWidget* parent)
    : QLabel(parent), toolkit_(toolkit), label_(&label) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setAutoFillBackground(true);
}

std::vector<ColorRoles> LabelView::colorRoles() const { return {{QPalette::Window, QPalette::WindowText}}; }

void LabelView::showChange(const ui::ControlChange& change) {
  if (change.property == ui::Property::Caption && label_ != nullptr) setText(QString::fromStdString(label_->caption()));
}

void LabelView::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton || label_ == nullptr || label_->form() == nullptr) return;
  ui::Form& form = *label_->form();
  ui::Control& control = *label_;
  toolkit_.guard(form, [&] { form.doubleClick(control); });
}

}  // namespace platform::qt
