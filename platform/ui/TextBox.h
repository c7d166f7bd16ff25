#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/Control.h"

namespace platform::ui {

// A single-line text box. Text is UTF-8; SelStart, SelLength and MaxLength count characters (MaxLength 0 =
// no limit), as the original platform's text box did. Limits in CP932 bytes are the screens' business.
class TextBox : public Control {
 public:
  explicit TextBox(std::string name, int index = NotInArray);

  const std::string& text() const { return text_; }
  // Replaces the whole text, caret to the start; not limited by MaxLength (only typing is).
  void setText(const std::string& text);

  int maxLength() const { return maxLength_; }
  void setMaxLength(int characters);
  int selStart() const { return selStart_; }
  // Moves the caret; the selection becomes empty.
  void setSelStart(int position);
  int selLength() const { return selLength_; }
  void setSelLength(int length);
  std::string selText() const;
  // Where the caret sits: at the start of the selection after extending leftwards, else at its end.
  int caretPosition() const { return caretAtSelectionStart_ ? selStart_ : selStart_ + selLength_; }
  int length() const;  // in characters

  bool isLocked() const { return locked_; }
  void setLocked(bool locked);
  const std::string& passwordChar() const { return passwordChar_; }
  void setPasswordChar(const std::string& passwordChar);
  ImeMode imeMode() const { return imeMode_; }
  void setImeMode(ImeMode mode);

  std::string defaultValue() const override { return text_; }
  void setDefaultValue(const std::string& value) override { setText(value); }

  // Editing as the operator does it; each returns whether the text changed.
  // Inserting replaces the selection; it is refused when the result would exceed MaxLength or the box is locked.
  bool insertText(const std::string& text);
  bool deleteBackward();
  bool deleteForward();
  // Caret movement; with `extend` the selection grows from its anchor.
  void moveCaret(int position, bool extend);
  void moveCaretBy(int delta, bool extend);

  Handler onChange;

 protected:
  // Editing keys and the clipboard.
  bool keyAction(std::int16_t keyCode, std::int16_t shiftState) override;
  // Backspace deletes; a printable character goes in.
  void acceptCharacter(std::int16_t charCode, std::optional<char32_t> character) override;

 private:
  void setSelection(int start, int length);
  int anchor() const;

  std::string text_;
  int maxLength_ = 0;
  int selStart_ = 0;
  int selLength_ = 0;
  bool caretAtSelectionStart_ = false;
  bool locked_ = false;
  std::string passwordChar_;
  ImeMode imeMode_ = ImeMode::NoControl;
};

}  // namespace platform::ui
