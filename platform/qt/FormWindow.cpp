#include "platform/qt/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScopedValueRollback>

#include "platform/qt/ColorMapping.h"
#include "platform/qt/FontResolver.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/TextBoxEdit.h"
#include "platform/qt/TwipScale.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

namespace platform::qt {

namespace {

using ui::Property;

struct ColorRoles {
  QPalette::ColorRole back;
  QPalette::ColorRole fore;
};

void setColors(QPalette& palette, ColorRoles roles, const QColor& back, const QColor& fore) {
  const QPalette& standard = QApplication::palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, roles.back, back);
    palette.setColor(group, roles.fore, fore);
  }
  // A disabled control keeps its background and shows its text greyed, as on the original desktop.
  palette.setColor(QPalette::Disabled, roles.back, back);
  palette.setColor(QPalette::Disabled, roles.fore, standard.color(QPalette::Disabled, roles.fore));
}

constexpr Property everyControlProperty[] = {Property::Geometry, Property::Colors,  Property::Font,
                                             Property::Caption,  Property::Locked,  Property::Text,
                                             Property::Enabled,  Property::Visible, Property::Focus};

}  // namespace

FormWindow::FormWindow(QtToolkit& toolkit, ui::Form& form) : toolkit_(toolkit), form_(&form) {
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
  form.setObserver(this);
  for (ui::Control* control : form.controls()) {
    control->setObserver(this);
    if (QWidget* widget = createWidget(*control)) widgets_.emplace(control, widget);
  }
  for (ui::Control* control : form.controls()) {
    QWidget* widget = widgetOf(*control);
    if (widget == nullptr) continue;
    for (const Property property : everyControlProperty) applyControl(*control, *widget, property);
  }
  applyTabOrder();
  for (const Property property : {Property::Caption, Property::Colors, Property::Font, Property::Geometry}) {
    applyForm(property);
  }
}

FormWindow::~FormWindow() { detach(); }

void FormWindow::detach() {
  if (form_ == nullptr) return;
  form_->setObserver(nullptr);
  for (ui::Control* control : form_->controls()) {
    if (control->observer() == this) control->setObserver(nullptr);
  }
  for (auto& [control, widget] : widgets_) {
    if (auto* edit = qobject_cast<TextBoxEdit*>(widget)) edit->detach();
  }
  widgets_.clear();
  form_ = nullptr;
  quitModalLoop();
}

QWidget* FormWindow::createWidget(ui::Control& control) {
  switch (control.kind()) {
    case ui::ControlKind::TextBox:
      if (auto* box = dynamic_cast<ui::TextBox*>(&control)) return new TextBoxEdit(toolkit_, *box, this);
      break;
    case ui::ControlKind::Label: {
      auto* label = new QLabel(this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setAutoFillBackground(true);
      return label;
    }
    case ui::ControlKind::CommandButton: {
      auto* button = new QPushButton(this);
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, button] {
        ui::Control* clicked = controlOf(button);
        if (clicked == nullptr || form_ == nullptr) return;
        ui::Form& owner = *form_;
        // The mouse press has already given the button the focus (or a lost-focus handler kept it away).
        toolkit_.guard(owner, [&] { owner.click(*clicked, ui::Form::ClickFocus::AlreadyMoved); });
      });
      return button;
    }
    case ui::ControlKind::DataControl:
      return nullptr;  // the data control has no face of its own
    case ui::ControlKind::ComboBox:
    case ui::ControlKind::ListGrid:
    case ui::ControlKind::DataGrid:
      break;
  }
  // Grids (and any control the model has no content for) show as a sunken panel that can take the focus.
  auto* panel = new QFrame(this);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setFocusPolicy(Qt::StrongFocus);
  panel->setAutoFillBackground(true);
  return panel;
}

QWidget* FormWindow::widgetOf(const ui::Control& control) const {
  const auto it = widgets_.find(&control);
  return it != widgets_.end() ? it->second : nullptr;
}

ui::Control* FormWindow::controlOf(const QWidget* widget) const {
  for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
    for (const auto& [control, shown] : widgets_) {
      if (shown == widget) return const_cast<ui::Control*>(control);
    }
  }
  return nullptr;
}

void FormWindow::formChanged(ui::Form&, Property property) { applyForm(property); }

void FormWindow::formDestroyed(ui::Form&) { toolkit_.dropWindow(*this); }

void FormWindow::controlChanged(ui::Control& control, Property property) {
  if (QWidget* widget = widgetOf(control)) applyControl(control, *widget, property);
}

void FormWindow::applyForm(Property property) {
  if (form_ == nullptr) return;
  switch (property) {
    case Property::Caption:
      setWindowTitle(QString::fromStdString(form_->caption()));
      break;
    case Property::Colors: {
      QPalette palette = this->palette();
      palette.setColor(QPalette::Window, toQColor(form_->backColor(), QApplication::palette()));
      setPalette(palette);
      break;
    }
    case Property::Font:
      setFont(toolkit_.fonts().font(form_->font()));
      break;
    case Property::Geometry: {
      // The model's geometry is the window's position and the size of its client area.
      const QRect pixels = toolkit_.twipScale().toPixels(form_->geometry());
      move(pixels.topLeft());
      if (pixels.width() > 0 && pixels.height() > 0) resize(pixels.size());
      break;
    }
    default:
      break;  // showing and hiding come through the toolkit
  }
}

void FormWindow::applyControl(ui::Control& control, QWidget& widget, Property property) {
  auto* edit = qobject_cast<TextBoxEdit*>(&widget);
  switch (property) {
    case Property::Text:
    case Property::Selection:
      if (edit != nullptr) edit->showModelState();
      break;
    case Property::Enabled:
    case Property::Visible:
      applyShown(control, widget);
      break;
    case Property::Geometry:
      widget.setGeometry(toolkit_.twipScale().toPixels(control.geometry()));
      break;
    case Property::Colors:
      applyColors(control, widget);
      break;
    case Property::Font:
      widget.setFont(toolkit_.fonts().font(control.font()));
      break;
    case Property::TabIndex:
      applyTabOrder();
      break;
    case Property::Locked:
    case Property::PasswordChar:
    case Property::ImeMode:
      if (edit != nullptr) edit->showEditingMode();
      break;
    case Property::MaxLength:
      break;  // the model limits typing; QLineEdit's own limit would count UTF-16 units
    case Property::Caption:
      applyCaption(control, widget);
      break;
    case Property::Focus:
      if (!control.hasFocus()) break;
      showModelFocus();
      // Qt deselects a line edit it leaves; the model kept the selection.
      if (edit != nullptr) edit->showModelState();
      break;
    case Property::Contents:
      break;  // the grid placeholder shows no contents
  }
}

void FormWindow::applyShown(const ui::Control& control, QWidget& widget) {
  if (!control.isEnabled() || !control.isVisible()) releaseFocus(widget);
  widget.setEnabled(control.isEnabled());
  widget.setVisible(control.isVisible());
  if (control.hasFocus() && control.canTakeFocus()) showModelFocus();
}

void FormWindow::applyColors(const ui::Control& control, QWidget& widget) {
  const QColor back = toQColor(control.backColor(), QApplication::palette());
  const QColor fore = toQColor(control.foreColor(), QApplication::palette());
  QPalette palette = widget.palette();
  switch (control.kind()) {
    case ui::ControlKind::TextBox:
      setColors(palette, {QPalette::Base, QPalette::Text}, back, fore);
      break;
    case ui::ControlKind::Label:
      setColors(palette, {QPalette::Window, QPalette::WindowText}, back, fore);
      break;
    case ui::ControlKind::CommandButton:
      setColors(palette, {QPalette::Button, QPalette::ButtonText}, back, fore);
      break;
    default:
      setColors(palette, {QPalette::Window, QPalette::WindowText}, back, fore);
      setColors(palette, {QPalette::Base, QPalette::Text}, back, fore);
      break;
  }
  widget.setPalette(palette);
}

void FormWindow::applyCaption(const ui::Control& control, QWidget& widget) {
  // Button captions keep their '&' so that Qt underlines the access key.
  if (const auto* label = dynamic_cast<const ui::Label*>(&control)) {
    if (auto* shown = qobject_cast<QLabel*>(&widget)) shown->setText(QString::fromStdString(label->caption()));
  } else if (const auto* button = dynamic_cast<const ui::CommandButton*>(&control)) {
    if (auto* shown = qobject_cast<QPushButton*>(&widget)) shown->setText(QString::fromStdString(button->caption()));
  }
}

void FormWindow::applyTabOrder() {
  if (form_ == nullptr) return;
  QWidget* previous = nullptr;
  for (const ui::Control* control : form_->tabOrder()) {
    QWidget* widget = widgetOf(*control);
    if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void FormWindow::releaseFocus(QWidget& widget) {
  QWidget* focused = focusWidget();
  if (focused == nullptr || (focused != &widget && !widget.isAncestorOf(focused))) return;
  const QScopedValueRollback<bool> mirroring(mirroringFocus_, true);
  focused->clearFocus();
}

void FormWindow::showModelFocus() {
  if (form_ == nullptr) return;
  const QScopedValueRollback<bool> mirroring(mirroringFocus_, true);
  ui::Control* active = form_->activeControl();
  QWidget* target = active != nullptr ? widgetOf(*active) : nullptr;
  if (target != nullptr && active->canTakeFocus() && target->isEnabled()) {
    if (!target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
  } else if (QWidget* focused = focusWidget()) {
    focused->clearFocus();
  }
}

void FormWindow::widgetFocused(QWidget* widget, bool byUser) {
  if (mirroringFocus_ || form_ == nullptr) return;
  ui::Control* control = controlOf(widget);
  if (control == nullptr || control == form_->activeControl()) return;
  if (byUser && control->canTakeFocus()) {
    ui::Form& form = *form_;
    toolkit_.guard(form, [&] { form.giveFocus(*control); });
  }
  // Qt moved the focus on its own (window activation and the like), or the model's handlers moved it on.
  if (!toolkit_.isEnding()) showModelFocus();
}

void FormWindow::quitModalLoop() {
  if (modalLoop_ != nullptr) modalLoop_->quit();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (form_ == nullptr) {
    event->accept();
    return;
  }
  // The close box asks the model, whose query-unload handler may cancel.
  ui::Form& form = *form_;
  bool closed = false;
  toolkit_.guard(form, [&] { closed = form.requestClose(); });
  if (closed) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace platform::qt
