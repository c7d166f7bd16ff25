#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/ui/ControlObserver.h"
#include "platform/ui/UiTypes.h"

namespace platform::ui {

class Form;

// A control of a form. Properties are accessor pairs; every change is reported to the observer,
// which is how a toolkit binding keeps its widget in step with the model.
class Control {
 public:
  using KeyHandler = std::function<void(std::int16_t& keyCode, std::int16_t shift)>;
  using KeyPressHandler = std::function<void(std::int16_t& charCode)>;
  using Handler = std::function<void()>;

  static constexpr int NotInArray = -1;

  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }
  bool isArrayMember() const { return index_ != NotInArray; }
  Form* form() const { return form_; }

  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool isVisible() const { return visible_; }
  void setVisible(bool visible);
  int tabIndex() const { return tabIndex_; }
  void setTabIndex(int tabIndex);
  bool tabStop() const { return tabStop_; }
  void setTabStop(bool tabStop) { tabStop_ = tabStop; }

  const Rect& geometry() const { return geometry_; }
  void setGeometry(const Rect& geometry);
  void move(int left, int top, int width, int height) { setGeometry({left, top, width, height}); }

  Color backColor() const { return backColor_; }
  void setBackColor(Color color);
  Color foreColor() const { return foreColor_; }
  void setForeColor(Color color);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  void setFontName(const std::string& name);
  void setFontSize(double points);
  void setFontBold(bool on);
  void setFontItalic(bool on);
  void setFontUnderline(bool on);
  void setFontStrikethrough(bool on);

  // The value a control shows: a text box's text, a label's or button's caption.
  virtual std::string defaultValue() const { return {}; }
  virtual void setDefaultValue(const std::string&) {}

  // The key that clicks the control with Alt, upper case; none for most kinds.
  virtual std::optional<char> accessKey() const { return std::nullopt; }

  // Whether the control can take the focus now: enabled, visible, on a shown form, of a focusable kind.
  bool canTakeFocus() const;
  // Gives the control the focus; a control that cannot take it is an error, as on the original platform.
  void setFocus();
  bool hasFocus() const;

  KeyHandler onKeyDown;
  KeyPressHandler onKeyPress;
  KeyHandler onKeyUp;
  Handler onGotFocus;
  Handler onLostFocus;
  Handler onClick;
  Handler onDoubleClick;

  void setObserver(ControlObserver* observer) { observer_ = observer; }
  ControlObserver* observer() const { return observer_; }

 protected:
  // Only the control classes make controls, each with its own kind.
  Control(ControlKind kind, std::string name, int index = NotInArray);

  void changed(Property property) { changed(ControlChange{property, std::nullopt}); }
  void changed(const ControlChange& change);
  virtual bool isFocusableKind() const { return true; }

  // What the kind does with input, run by the form after the handlers have let the input through.
  // A key's own action; returns whether the control wants to hear of the key's release while it keeps the focus.
  virtual bool keyAction(std::int16_t /*keyCode*/, std::int16_t /*shiftState*/) { return false; }
  // The key that keyAction asked for has come up.
  virtual void keyReleased(std::int16_t /*keyCode*/) {}
  // A typed character as the key-press handlers left it: its code (never 0) and the character that code
  // stands for (none when the code has no character).
  virtual void acceptCharacter(std::int16_t /*charCode*/, std::optional<char32_t> /*character*/) {}
  // Whether a pointer click gives the control the focus before its click handler runs.
  virtual bool takesFocusOnClick() const { return false; }

 private:
  template <class Edit>
  void editFont(Edit edit) {
    Font f = font_;
    edit(f);
    setFont(f);
  }

  friend class Form;
  ControlKind kind_;
  std::string name_;
  int index_;
  Form* form_ = nullptr;
  bool enabled_ = true;
  bool visible_ = true;
  bool tabStop_ = true;
  int tabIndex_ = 0;
  Rect geometry_;
  Color backColor_ = SystemColor::WindowBackground;
  Color foreColor_ = SystemColor::WindowText;
  Font font_{"ＭＳ Ｐゴシック", 9.0};
  ControlObserver* observer_ = nullptr;
};

}  // namespace platform::ui
