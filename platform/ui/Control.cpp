#include "platform/ui/Control.h"

#include <utility>

#include "platform/ui/Form.h"
#include "platform/ui/UiError.h"

namespace platform::ui {

Control::Control(ControlKind kind, std::string name, int index) : kind_(kind), name_(std::move(name)), index_(index) {}

void Control::changed(const ControlChange& change) {
  if (observer_ != nullptr) observer_->controlChanged(*this, change);
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  changed(Property::Enabled);
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  changed(Property::Visible);
}

void Control::setTabIndex(int tabIndex) {
  if (tabIndex < 0) throw UiError("TabIndex must not be negative: " + name_);
  if (form_ != nullptr) {
    form_->renumberTabIndex(*this, tabIndex);
  } else {
    tabIndex_ = tabIndex;
  }
  changed(Property::TabIndex);
}

void Control::setGeometry(const Rect& geometry) {
  if (geometry_ == geometry) return;
  geometry_ = geometry;
  changed(Property::Geometry);
}

void Control::setBackColor(Color color) {
  if (backColor_ == color) return;
  backColor_ = color;
  changed(Property::Colors);
}

void Control::setForeColor(Color color) {
  if (foreColor_ == color) return;
  foreColor_ = color;
  changed(Property::Colors);
}

void Control::setFont(const Font& font) {
  if (font.size <= 0) throw UiError("invalid font size for " + name_);
  if (font_ == font) return;
  font_ = font;
  changed(Property::Font);
}

void Control::setFontName(const std::string& name) {
  editFont([&](Font& f) { f.name = name; });
}

void Control::setFontSize(double points) {
  editFont([&](Font& f) { f.size = points; });
}

void Control::setFontBold(bool on) {
  editFont([&](Font& f) { f.bold = on; });
}

void Control::setFontItalic(bool on) {
  editFont([&](Font& f) { f.italic = on; });
}

void Control::setFontUnderline(bool on) {
  editFont([&](Font& f) { f.underline = on; });
}

void Control::setFontStrikethrough(bool on) {
  editFont([&](Font& f) { f.strikethrough = on; });
}

bool Control::canTakeFocus() const {
  return isFocusableKind() && enabled_ && visible_ && form_ != nullptr && form_->isVisible();
}

void Control::setFocus() {
  if (form_ == nullptr) throw UiError("control is on no form: " + name_);
  form_->giveFocus(*this);
}

bool Control::hasFocus() const { return form_ != nullptr && form_->activeControl() == this; }

}  // namespace platform::ui
