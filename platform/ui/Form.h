#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/ControlObserver.h"
#include "platform/ui/UiError.h"
#include "platform/ui/UiTypes.h"

namespace platform::ui {

class Application;

// A window: its controls in collection order, a tab order, the active control, and the dispatch of
// keyboard and pointer input in the original platform's event order.
class Form {
 public:
  using KeyHandler = Control::KeyHandler;
  using KeyPressHandler = Control::KeyPressHandler;
  using Handler = Control::Handler;

  // The key-press code of a character that the CP932 code page cannot hold (no valid CP932 code is 0xFFFF).
  static constexpr std::int16_t UnrepresentableCharCode = -1;

  Form(Application& application, std::string name);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  Application& application() const { return application_; }

  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  Color backColor() const { return backColor_; }
  void setBackColor(Color color);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  // Position of the window and size of its client area, in twips.
  const Rect& geometry() const { return geometry_; }
  void move(int left, int top, int width, int height);
  void setKeyPreview(bool on) { keyPreview_ = on; }

  template <class T, class... Args>
  T& add(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *control;
    adopt(std::move(control));
    return ref;
  }

  // The control collection in its order (the order of creation).
  const std::vector<Control*>& controls() const { return collection_; }
  // Controls in tab order; a control's TabIndex is its place in it.
  const std::vector<Control*>& tabOrder() const { return tabOrder_; }
  Control* find(std::string_view name) const;
  Control* find(std::string_view name, int index) const;
  template <class T>
  T& get(std::string_view name) const {
    return checked<T>(find(name), name);
  }
  template <class T>
  T& get(std::string_view name, int index) const {
    return checked<T>(find(name, index), name);
  }

  // Hands each control of the classes `Kinds` to `visit` as its own class, in collection order.
  template <class... Kinds, class Visit>
  void forEachControlOf(Visit&& visit) const {
    for (Control* control : collection_) (visitAs<Kinds>(control, visit) || ...);
  }
  // The controls of one class in collection order.
  template <class Kind>
  std::vector<Kind*> controlsOf() const {
    std::vector<Kind*> found;
    forEachControlOf<Kind>([&found](Kind& control) { found.push_back(&control); });
    return found;
  }

  Control* activeControl() const { return active_; }
  void giveFocus(Control& control);

  bool isLoaded() const { return loaded_; }
  // Loads the form once (its load handler runs); showing and most property access load it implicitly.
  void load();
  void show(ShowMode mode = ShowMode::Modeless);
  void hide();
  bool isVisible() const { return visible_; }
  // A close request (close box, program): the query-unload handler may cancel it; returns whether it closed.
  bool requestClose();

  Handler onLoad;
  std::function<void(bool& cancel)> onQueryUnload;
  Handler onUnload;
  KeyHandler onKeyDown;
  KeyPressHandler onKeyPress;
  KeyHandler onKeyUp;

  // Input as the desktop delivers it. A keystroke: window key-down (key preview), control key-down, the key's
  // own action, window key-press, control key-press, the character goes in; on release window key-up, then
  // key-up of the control that has the focus by then. A key-down handler that sets the code to 0 keeps the
  // key from the control.
  void keyDown(std::int16_t keyCode, std::int16_t shiftState, std::optional<char32_t> character = std::nullopt);
  void keyUp(std::int16_t keyCode, std::int16_t shiftState);
  // Press and release.
  void pressKey(std::int16_t keyCode, std::int16_t shiftState, std::optional<char32_t> character = std::nullopt);
  // Typing a text character by character, each as a full keystroke.
  void typeText(const std::string& text);
  // Text that arrives without keystrokes (a paste, an input method's committed string): each character
  // still passes the key-press handlers, so that nothing gets past a field's filter.
  void inputText(const std::string& text);
  // A pointer click: a button takes the focus first, then its click handler runs. A toolkit whose mouse
  // press has already moved the focus passes AlreadyMoved, so the field being left sees lost-focus once.
  enum class ClickFocus { Take, AlreadyMoved };
  void click(Control& control, ClickFocus focus = ClickFocus::Take);
  void doubleClick(Control& control);

  void setObserver(FormObserver* observer) { observer_ = observer; }

  static std::int16_t keyCodeForCharacter(char32_t character);

 private:
  friend class Control;
  void adopt(std::unique_ptr<Control> control);
  void renumberTabIndex(Control& control, int tabIndex);
  void changed(Property property);
  void dispatchCharacter(Control* target, char32_t character);
  bool runAccessKey(std::int16_t keyCode, std::int16_t shiftState);
  void focusByTab(bool backward);
  void focusFirstControl();

  template <class Kind, class Visit>
  static bool visitAs(Control* control, Visit& visit) {
    auto* typed = dynamic_cast<Kind*>(control);
    if (typed != nullptr) visit(*typed);
    return typed != nullptr;
  }

  template <class T>
  static T& checked(Control* control, std::string_view name) {
    auto* typed = dynamic_cast<T*>(control);
    if (typed == nullptr) throw UiError("no such control of that kind: " + std::string(name));
    return *typed;
  }

  Application& application_;
  std::string name_;
  std::string caption_;
  Color backColor_ = SystemColor::ButtonFace;
  Font font_{"ＭＳ Ｐゴシック", 9.0};
  Rect geometry_;
  bool keyPreview_ = false;
  bool loaded_ = false;
  bool visible_ = false;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> collection_;
  std::vector<Control*> tabOrder_;
  Control* active_ = nullptr;
  Control* keyReleaseTo_ = nullptr;  // the control whose key action asked to hear of the key's release
  FormObserver* observer_ = nullptr;
};

}  // namespace platform::ui
