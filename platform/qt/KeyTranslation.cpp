#include "platform/qt/KeyTranslation.h"

#include <QKeyEvent>

#include "platform/text/CodePage.h"
#include "platform/ui/Form.h"
#include "platform/ui/UiTypes.h"

namespace platform::qt {

namespace {

namespace key = ui::key;

constexpr std::int16_t NumpadZero = 96;
constexpr std::int16_t NumpadMultiply = 106;
constexpr std::int16_t NumpadAdd = 107;
constexpr std::int16_t NumpadSubtract = 109;
constexpr std::int16_t NumpadDecimal = 110;
constexpr std::int16_t NumpadDivide = 111;

std::optional<std::int16_t> keypadCode(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<std::int16_t>(NumpadZero + (qtKey - Qt::Key_0));
  switch (qtKey) {
    case Qt::Key_Asterisk: return NumpadMultiply;
    case Qt::Key_Plus: return NumpadAdd;
    case Qt::Key_Minus: return NumpadSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: return NumpadDecimal;
    case Qt::Key_Slash: return NumpadDivide;
    default: return std::nullopt;
  }
}

std::optional<std::int16_t> namedKeyCode(int qtKey) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<std::int16_t>(key::F1 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Backspace: return key::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return key::Tab;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return key::Enter;
    case Qt::Key_Shift: return key::Shift;
    case Qt::Key_Control: return key::Ctrl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return key::Alt;
    case Qt::Key_Pause: return key::Pause;
    case Qt::Key_CapsLock: return key::CapsLock;
    case Qt::Key_Escape: return key::Esc;
    case Qt::Key_Space: return key::Space;
    case Qt::Key_PageUp: return key::PageUp;
    case Qt::Key_PageDown: return key::PageDown;
    case Qt::Key_End: return key::End;
    case Qt::Key_Home: return key::Home;
    case Qt::Key_Left: return key::Left;
    case Qt::Key_Up: return key::Up;
    case Qt::Key_Right: return key::Right;
    case Qt::Key_Down: return key::Down;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return key::Insert;
    case Qt::Key_Delete: return key::Delete;
    case Qt::Key_Help: return 47;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: break;
  }
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<std::int16_t>(qtKey);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::int16_t>(qtKey);
  return std::nullopt;
}

std::int16_t modifierBit(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Shift: return ui::shift::Shift;
    case Qt::Key_Control: return ui::shift::Ctrl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return ui::shift::Alt;
    default: return 0;
  }
}

// As on the original desktop the key of a modifier counts as held while it is down and as released on its
// key-up, whatever the window system reports for the event itself.
std::int16_t shiftMask(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  std::int16_t mask = 0;
  if (modifiers & Qt::ShiftModifier) mask |= ui::shift::Shift;
  if (modifiers & Qt::ControlModifier) mask |= ui::shift::Ctrl;
  if (modifiers & Qt::AltModifier) mask |= ui::shift::Alt;
  const std::int16_t own = modifierBit(event.key());
  if (event.type() == QEvent::KeyPress) return static_cast<std::int16_t>(mask | own);
  return static_cast<std::int16_t>(mask & ~own);
}

// The characters of a key that the control model treats as typed: printable ones, and Enter, Backspace, Esc.
bool isTypedCharacter(char32_t c) { return c >= 0x20 ? c != 0x7F : (c == '\r' || c == '\b' || c == 0x1B); }

std::optional<char32_t> forcedCharacter(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return U'\r';
    case Qt::Key_Backspace: return U'\b';
    case Qt::Key_Escape: return U'\x1B';
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<KeyStroke> translateKey(const QKeyEvent& event) {
  KeyStroke stroke;
  stroke.shift = shiftMask(event);
  const int qtKey = event.key();
  const std::u32string typed = platform::toUtf32(event.text().toStdString());
  if (const auto forced = forcedCharacter(qtKey)) {
    stroke.character = forced;
  } else if (!typed.empty() && isTypedCharacter(typed.front())) {
    stroke.character = typed.front();
    for (std::size_t i = 1; i < typed.size(); ++i) {
      if (isTypedCharacter(typed[i])) stroke.followingText += platform::toUtf8(typed[i]);
    }
  }

  std::optional<std::int16_t> code;
  if (event.modifiers() & Qt::KeypadModifier) code = keypadCode(qtKey);
  if (!code) code = namedKeyCode(qtKey);
  // Punctuation and other character keys: Qt names them by the character they carry.
  if (!code && qtKey > 0 && qtKey < 0x110000) code = ui::Form::keyCodeForCharacter(static_cast<char32_t>(qtKey));
  if (!code && stroke.character) code = ui::Form::keyCodeForCharacter(*stroke.character);
  if (!code) return std::nullopt;
  stroke.keyCode = *code;
  return stroke;
}

}  // namespace platform::qt
