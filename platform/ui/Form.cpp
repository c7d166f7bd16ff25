#include "platform/ui/Form.h"

#include <algorithm>
#include <utility>

#include "platform/text/CodePage.h"
#include "platform/ui/Application.h"

namespace platform::ui {

namespace {

std::int16_t charCodeOf(char32_t character) {
  if (character < 0x80) return static_cast<std::int16_t>(character);
  return platform::cp932CharCode(character).value_or(Form::UnrepresentableCharCode);
}

}  // namespace

Form::Form(Application& application, std::string name) : application_(application), name_(std::move(name)) {}

Form::~Form() {
  if (observer_ != nullptr) observer_->formDestroyed(*this);
}

void Form::changed(Property property) {
  if (observer_ != nullptr) observer_->formChanged(*this, property);
}

void Form::setCaption(const std::string& caption) {
  caption_ = caption;
  changed(Property::Caption);
}

void Form::setBackColor(Color color) {
  backColor_ = color;
  changed(Property::Colors);
}

void Form::setFont(const Font& font) {
  font_ = font;
  changed(Property::Font);
}

void Form::move(int left, int top, int width, int height) {
  geometry_ = {left, top, width, height};
  changed(Property::Geometry);
}

void Form::adopt(std::unique_ptr<Control> control) {
  if (find(control->name(), control->index()) != nullptr) {
    throw UiError("duplicate control " + control->name() + " on " + name_);
  }
  control->form_ = this;
  control->tabIndex_ = static_cast<int>(tabOrder_.size());
  collection_.push_back(control.get());
  tabOrder_.push_back(control.get());
  owned_.push_back(std::move(control));
}

// As on the original platform, giving a control a TabIndex moves it to that place in the tab order and
// renumbers the others, so the indexes always run 0, 1, 2 ... without gaps or twins.
void Form::renumberTabIndex(Control& control, int tabIndex) {
  auto it = std::find(tabOrder_.begin(), tabOrder_.end(), &control);
  tabOrder_.erase(it);
  const auto place = std::min<std::size_t>(static_cast<std::size_t>(tabIndex), tabOrder_.size());
  tabOrder_.insert(tabOrder_.begin() + static_cast<std::ptrdiff_t>(place), &control);
  for (std::size_t i = 0; i < tabOrder_.size(); ++i) tabOrder_[i]->tabIndex_ = static_cast<int>(i);
}

Control* Form::find(std::string_view name) const {
  for (Control* c : collection_) {
    if (c->name() == name) return c;
  }
  return nullptr;
}

Control* Form::find(std::string_view name, int index) const {
  for (Control* c : collection_) {
    if (c->name() == name && c->index() == index) return c;
  }
  return nullptr;
}

void Form::giveFocus(Control& control) {
  if (control.form() != this) throw UiError("control " + control.name() + " is not on " + name_);
  if (!control.canTakeFocus()) throw UiError("control cannot take the focus: " + control.name());
  if (active_ == &control) return;
  Control* old = active_;
  active_ = &control;
  if (old != nullptr) old->changed(Property::Focus);
  control.changed(Property::Focus);
  if (old != nullptr && old->onLostFocus) old->onLostFocus();
  if (active_ == &control && control.onGotFocus) control.onGotFocus();
}

void Form::load() {
  if (loaded_) return;
  loaded_ = true;
  if (onLoad) onLoad();
}

void Form::focusFirstControl() {
  if (active_ != nullptr) return;
  for (Control* c : tabOrder_) {
    if (c->tabStop() && c->canTakeFocus()) {
      giveFocus(*c);
      return;
    }
  }
}

void Form::show(ShowMode mode) {
  load();
  if (!visible_) {
    visible_ = true;
    changed(Property::Visible);
    application_.toolkit().showForm(*this);
    focusFirstControl();
  }
  if (mode == ShowMode::Modal) application_.toolkit().runModal(*this);
}

void Form::hide() {
  if (!visible_) return;
  visible_ = false;
  changed(Property::Visible);
  application_.toolkit().hideForm(*this);
}

bool Form::requestClose() {
  bool cancel = false;
  if (onQueryUnload) onQueryUnload(cancel);
  if (cancel) return false;
  if (onUnload) onUnload();
  hide();
  active_ = nullptr;
  loaded_ = false;
  application_.toolkit().unloadForm(*this);
  return true;
}

std::int16_t Form::keyCodeForCharacter(char32_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') return static_cast<std::int16_t>(c);
  switch (c) {
    case '\r': return key::Enter;
    case '\b': return key::Backspace;
    case 0x1B: return key::Esc;
    case ';':
    case ':': return 186;
    case '=':
    case '+': return 187;
    case ',':
    case '<': return 188;
    case '-':
    case '_': return 189;
    case '.':
    case '>': return 190;
    case '/':
    case '?': return 191;
    case '`':
    case '~': return 192;
    case '[':
    case '{': return 219;
    case '\\':
    case '|': return 220;
    case ']':
    case '}': return 221;
    case '\'':
    case '"': return 222;
    default: break;
  }
  // Shifted digits of the usual layout.
  constexpr std::u32string_view shiftedDigits = U")!@#$%^&*(";
  if (const auto at = shiftedDigits.find(c); at != std::u32string_view::npos)
    return static_cast<std::int16_t>('0' + at);
  return 229;  // the key code the original platform gave a character that came through the input method
}

bool Form::runAccessKey(std::int16_t keyCode, std::int16_t shiftState) {
  if ((shiftState & shift::Alt) == 0 || keyCode < '0' || keyCode > 'Z') return false;
  for (Control* c : collection_) {
    if (c->accessKey() != static_cast<char>(keyCode)) continue;
    if (c->isEnabled() && c->isVisible()) click(*c);
    return true;
  }
  return false;
}

void Form::focusByTab(bool backward) {
  if (tabOrder_.empty()) return;
  const auto n = static_cast<int>(tabOrder_.size());
  const int start = active_ != nullptr ? active_->tabIndex() : (backward ? 0 : n - 1);
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (backward ? -step : step)) % n + n) % n;
    Control* c = tabOrder_[static_cast<std::size_t>(i)];
    if (c->tabStop() && c->canTakeFocus()) {
      giveFocus(*c);
      return;
    }
  }
}

void Form::dispatchCharacter(Control* target, char32_t character) {
  std::int16_t code = charCodeOf(character);
  const std::int16_t original = code;
  if (keyPreview_ && onKeyPress) onKeyPress(code);
  if (code != 0 && target != nullptr && target->isEnabled() && target->onKeyPress) target->onKeyPress(code);
  if (code == 0 || target == nullptr || !target->isEnabled()) return;
  // A handler may have changed the code (case folding); otherwise the character itself goes on, which also
  // keeps a character that has no CP932 code.
  std::optional<char32_t> meant = character;
  if (code != original)
    meant = code < 0x80 && code > 0 ? std::optional<char32_t>(static_cast<char32_t>(code))
                                    : platform::charFromCp932Code(code);
  target->acceptCharacter(code, meant);
}

void Form::keyDown(std::int16_t keyCode, std::int16_t shiftState, std::optional<char32_t> character) {
  if (keyCode == key::Tab && (shiftState & (shift::Ctrl | shift::Alt)) == 0) {
    focusByTab((shiftState & shift::Shift) != 0);
    return;
  }
  Control* target = active_;
  std::int16_t code = keyCode;
  if (keyPreview_ && onKeyDown) onKeyDown(code, shiftState);
  if (code != 0 && runAccessKey(code, shiftState)) {
    character.reset();
  } else if (code != 0 && target != nullptr && target->isEnabled()) {
    if (target->onKeyDown) target->onKeyDown(code, shiftState);
    if (code != 0 && target->keyAction(code, shiftState)) keyReleaseTo_ = target;
  }
  if (character && (shiftState & (shift::Ctrl | shift::Alt)) == 0) dispatchCharacter(target, *character);
}

void Form::keyUp(std::int16_t keyCode, std::int16_t shiftState) {
  if (keyCode == key::Tab && (shiftState & (shift::Ctrl | shift::Alt)) == 0) return;
  Control* target = active_;
  std::int16_t code = keyCode;
  if (keyPreview_ && onKeyUp) onKeyUp(code, shiftState);
  if (code != 0 && target != nullptr && target->isEnabled() && target->onKeyUp) target->onKeyUp(code, shiftState);
  Control* pressed = std::exchange(keyReleaseTo_, nullptr);
  if (pressed != nullptr && pressed == active_ && pressed->isEnabled()) pressed->keyReleased(keyCode);
}

void Form::pressKey(std::int16_t keyCode, std::int16_t shiftState, std::optional<char32_t> character) {
  keyDown(keyCode, shiftState, character);
  keyUp(keyCode, shiftState);
}

void Form::typeText(const std::string& text) {
  for (char32_t c : platform::toUtf32(text)) {
    const bool upper = c >= 'A' && c <= 'Z';
    pressKey(keyCodeForCharacter(c), upper ? shift::Shift : shift::None, c);
  }
}

void Form::inputText(const std::string& text) {
  // All of it goes to the field it was meant for, even if a handler moves the focus part-way.
  Control* target = active_;
  for (char32_t c : platform::toUtf32(text)) dispatchCharacter(target, c);
}

void Form::click(Control& control, ClickFocus focus) {
  if (!control.isEnabled() || !control.isVisible()) return;
  if (focus == ClickFocus::Take && control.takesFocusOnClick() && control.canTakeFocus()) giveFocus(control);
  if (control.onClick) control.onClick();
}

void Form::doubleClick(Control& control) {
  if (!control.isEnabled() || !control.isVisible()) return;
  if (control.canTakeFocus()) giveFocus(control);
  if (control.onDoubleClick) control.onDoubleClick();
}

}  // namespace platform::ui
