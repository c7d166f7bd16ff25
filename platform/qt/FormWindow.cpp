#include "platform/qt/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPalette>
#include <QScopedValueRollback>

#include "platform/qt/ColorMapping.h"
#include "platform/qt/ControlView.h"
#include "platform/qt/ControlViewFactory.h"
#include "platform/qt/FontResolver.h"
#include "platform/qt/QtToolkit.h"
#include "platform/qt/TwipScale.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"

namespace platform::qt {

namespace {

using ui::Property;

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
    if (ControlView* view = createControlView(toolkit_, *control, this)) views_.emplace(control, view);
  }
  for (ui::Control* control : form.controls()) {
    ControlView* view = viewOf(*control);
    if (view == nullptr) continue;
    for (const Property property : everyControlProperty) applyControl(*control, *view, {property, std::nullopt});
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
  for (auto& [control, view] : views_) view->detach();
  views_.clear();
  form_ = nullptr;
  quitModalLoop();
}

ControlView* FormWindow::viewOf(const ui::Control& control) const {
  const auto it = views_.find(&control);
  return it != views_.end() ? it->second : nullptr;
}

QWidget* FormWindow::widgetOf(const ui::Control& control) const {
  ControlView* view = viewOf(control);
  return view != nullptr ? &view->widget() : nullptr;
}

ui::Control* FormWindow::controlOf(const QWidget* widget) const {
  for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
    for (const auto& [control, view] : views_) {
      if (&view->widget() == widget) return const_cast<ui::Control*>(control);
    }
  }
  return nullptr;
}

void FormWindow::formChanged(ui::Form&, Property property) { applyForm(property); }

void FormWindow::formDestroyed(ui::Form&) { toolkit_.dropWindow(*this); }

void FormWindow::controlChanged(ui::Control& control, const ui::ControlChange& change) {
  if (ControlView* view = viewOf(control)) applyControl(control, *view, change);
}

void FormWindow::applyForm(Property property) {
  if (form_ == nullptr) return;
  switch (property) {
    case Property::Caption: setWindowTitle(QString::fromStdString(form_->caption())); break;
    case Property::Colors: {
      QPalette palette = this->palette();
      palette.setColor(QPalette::Window, toQColor(form_->backColor(), QApplication::palette()));
      setPalette(palette);
      break;
    }
    case Property::Font: setFont(toolkit_.fonts().font(form_->font())); break;
    case Property::Geometry: {
      // The model's geometry is the window's position and the size of its client area.
      const QRect pixels = toolkit_.twipScale().toPixels(form_->geometry());
      move(pixels.topLeft());
      if (pixels.width() > 0 && pixels.height() > 0) resize(pixels.size());
      break;
    }
    default: break;  // showing and hiding come through the toolkit
  }
}

// What every control has is mirrored here, then the view shows what its kind has.
void FormWindow::applyControl(ui::Control& control, ControlView& view, const ui::ControlChange& change) {
  QWidget& widget = view.widget();
  switch (change.property) {
    case Property::Enabled:
    case Property::Visible: applyShown(control, widget); break;
    case Property::Geometry: widget.setGeometry(toolkit_.twipScale().toPixels(control.geometry())); break;
    case Property::Colors: applyColors(control, view); break;
    case Property::Font: widget.setFont(toolkit_.fonts().font(control.font())); break;
    case Property::TabIndex: applyTabOrder(); break;
    case Property::Focus:
      if (control.hasFocus()) showModelFocus();
      break;
    default: break;
  }
  view.showChange(change);
}

void FormWindow::applyShown(const ui::Control& control, QWidget& widget) {
  if (!control.isEnabled() || !control.isVisible()) releaseFocus(widget);
  widget.setEnabled(control.isEnabled());
  widget.setVisible(control.isVisible());
  if (control.hasFocus() && control.canTakeFocus()) showModelFocus();
}

void FormWindow::applyColors(const ui::Control& control, ControlView& view) {
  const QColor back = toQColor(control.backColor(), QApplication::palette());
  const QColor fore = toQColor(control.foreColor(), QApplication::palette());
  QWidget& widget = view.widget();
  QPalette palette = widget.palette();
  for (const ColorRoles roles : view.colorRoles()) setColors(palette, roles, back, fore);
  widget.setPalette(palette);
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
