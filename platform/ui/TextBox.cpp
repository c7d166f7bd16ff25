#include "platform/ui/TextBox.h"

#include <algorithm>
#include <utility>

#include "platform/text/CodePage.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/UiError.h"

namespace platform::ui {

namespace {

std::u32string wide(const std::string& text) { return platform::toUtf32(text); }

bool isControlCharacter(char32_t c) { return c < 0x20 || c == 0x7F; }

}  // namespace

TextBox::TextBox(std::string name, int index) : Control(ControlKind::TextBox, std::move(name), index) {
  setBackColor(SystemColor::WindowBackground);
}

int TextBox::length() const { return static_cast<int>(platform::characterCount(text_)); }

void TextBox::setText(const std::string& text) {
  const bool differs = text != text_;
  text_ = text;
  selStart_ = 0;
  selLength_ = 0;
  changed(Property::Text);
  if (differs && onChange) onChange();
}

void TextBox::setMaxLength(int characters) {
  if (characters < 0) throw UiError("MaxLength must not be negative: " + name());
  maxLength_ = characters;
  changed(Property::MaxLength);
}

void TextBox::setSelection(int start, int length) {
  const int n = this->length();
  start = std::clamp(start, 0, n);
  length = std::clamp(length, 0, n - start);
  if (start == selStart_ && length == selLength_) return;
  selStart_ = start;
  selLength_ = length;
  changed(Property::Selection);
}

void TextBox::setSelStart(int position) {
  if (position < 0) throw UiError("SelStart must not be negative: " + name());
  caretAtSelectionStart_ = false;
  setSelection(position, 0);
}

void TextBox::setSelLength(int length) {
  if (length < 0) throw UiError("SelLength must not be negative: " + name());
  caretAtSelectionStart_ = false;
  setSelection(selStart_, length);
}

std::string TextBox::selText() const {
  const std::u32string w = wide(text_);
  return platform::toUtf8(
      std::u32string_view(w).substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_)));
}

void TextBox::setLocked(bool locked) {
  if (locked_ == locked) return;
  locked_ = locked;
  changed(Property::Locked);
}

void TextBox::setPasswordChar(const std::string& passwordChar) {
  passwordChar_ = passwordChar;
  changed(Property::PasswordChar);
}

void TextBox::setImeMode(ImeMode mode) {
  imeMode_ = mode;
  changed(Property::ImeMode);
}

bool TextBox::insertText(const std::string& text) {
  if (locked_) return false;
  std::u32string w = wide(text_);
  const auto start = static_cast<std::size_t>(selStart_);
  const std::u32string inserted = wide(text);
  w.replace(start, static_cast<std::size_t>(selLength_), inserted);
  if (maxLength_ > 0 && w.size() > static_cast<std::size_t>(maxLength_)) return false;
  text_ = platform::toUtf8(w);
  selStart_ = static_cast<int>(start + inserted.size());
  selLength_ = 0;
  caretAtSelectionStart_ = false;
  changed(Property::Text);
  if (onChange) onChange();
  return true;
}

bool TextBox::deleteBackward() {
  if (locked_) return false;
  std::u32string w = wide(text_);
  std::size_t start = static_cast<std::size_t>(selStart_);
  std::size_t count = static_cast<std::size_t>(selLength_);
  if (count == 0) {
    if (start == 0) return false;
    --start;
    count = 1;
  }
  w.erase(start, count);
  text_ = platform::toUtf8(w);
  selStart_ = static_cast<int>(start);
  selLength_ = 0;
  changed(Property::Text);
  if (onChange) onChange();
  return true;
}

bool TextBox::deleteForward() {
  if (locked_) return false;
  std::u32string w = wide(text_);
  const auto start = static_cast<std::size_t>(selStart_);
  std::size_t count = static_cast<std::size_t>(selLength_);
  if (count == 0) {
    if (start >= w.size()) return false;
    count = 1;
  }
  w.erase(start, count);
  text_ = platform::toUtf8(w);
  selLength_ = 0;
  changed(Property::Text);
  if (onChange) onChange();
  return true;
}

int TextBox::anchor() const { return caretAtSelectionStart_ ? selStart_ + selLength_ : selStart_; }

void TextBox::moveCaret(int position, bool extend) {
  const int n = length();
  position = std::clamp(position, 0, n);
  if (!extend) {
    caretAtSelectionStart_ = false;
    setSelection(position, 0);
    return;
  }
  const int a = anchor();
  caretAtSelectionStart_ = position < a;
  setSelection(std::min(a, position), std::abs(position - a));
}

void TextBox::moveCaretBy(int delta, bool extend) {
  const int caret = caretAtSelectionStart_ ? selStart_ : selStart_ + selLength_;
  if (!extend && selLength_ > 0) {
    // An arrow key collapses a selection to its edge, as edit controls do.
    moveCaret(delta < 0 ? selStart_ : selStart_ + selLength_, false);
    return;
  }
  moveCaret(caret + delta, extend);
}

bool TextBox::keyAction(std::int16_t keyCode, std::int16_t shiftState) {
  Form& owner = *form();  // the form runs the key action of its own controls only
  const bool extend = (shiftState & shift::Shift) != 0;
  const bool ctrl = (shiftState & shift::Ctrl) != 0;
  Toolkit& toolkit = owner.application().toolkit();
  if ((ctrl && keyCode == 'V') || (extend && keyCode == key::Insert)) {
    owner.inputText(toolkit.clipboardText());
    return false;
  }
  const bool cut = (ctrl && keyCode == 'X') || (extend && keyCode == key::Delete);
  if (cut || (ctrl && (keyCode == 'C' || keyCode == key::Insert))) {
    if (selLength() > 0 && passwordChar().empty()) {
      toolkit.setClipboardText(selText());
      if (cut) deleteForward();
    }
    return false;
  }
  if (ctrl && keyCode == 'A') {
    moveCaret(0, false);
    moveCaret(length(), true);
    return false;
  }
  switch (keyCode) {
    case key::Left: moveCaretBy(-1, extend); break;
    case key::Right: moveCaretBy(1, extend); break;
    case key::Home: moveCaret(0, extend); break;
    case key::End: moveCaret(length(), extend); break;
    case key::Delete: deleteForward(); break;
    default: break;
  }
  return false;
}

void TextBox::acceptCharacter(std::int16_t charCode, std::optional<char32_t> character) {
  if (charCode == key::Backspace) {
    deleteBackward();
    return;
  }
  if (character && !isControlCharacter(*character)) insertText(platform::toUtf8(*character));
}

}  // namespace platform::ui
