#include <gtest/gtest.h>

#include <QKeyEvent>
#include <optional>

#include "platform/qt/KeyTranslation.h"

namespace {

using platform::qt::translateKey;

struct KeyCase {
  QEvent::Type type;
  int qtKey;
  Qt::KeyboardModifiers modifiers;
  const char* text;
  std::int16_t keyCode;
  std::int16_t shift;
  std::optional<char32_t> character;
};

constexpr auto Press = QEvent::KeyPress;
constexpr auto Release = QEvent::KeyRelease;
constexpr Qt::KeyboardModifiers None = Qt::NoModifier;

TEST(KeyTranslation, KeysBecomeVirtualKeyCodesShiftMasksAndCharacters) {
  const KeyCase cases[] = {
      {Press, Qt::Key_A, None, "a", 65, 0, U'a'},
      {Press, Qt::Key_A, Qt::ShiftModifier, "A", 65, 1, U'A'},
      {Press, Qt::Key_A, Qt::ControlModifier, "\x01", 65, 2, std::nullopt},
      {Press, Qt::Key_A, Qt::AltModifier, "a", 65, 4, U'a'},
      {Press, Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier, "\x1a", 90, 3, std::nullopt},
      {Press, Qt::Key_0, None, "0", 48, 0, U'0'},
      {Press, Qt::Key_9, None, "9", 57, 0, U'9'},
      {Press, Qt::Key_Return, None, "\r", 13, 0, U'\r'},
      {Press, Qt::Key_Enter, Qt::KeypadModifier, "\r", 13, 0, U'\r'},
      {Press, Qt::Key_Return, None, "", 13, 0, U'\r'},
      {Press, Qt::Key_Escape, None, "\x1b", 27, 0, U'\x1B'},
      {Press, Qt::Key_Backspace, None, "\b", 8, 0, U'\b'},
      {Press, Qt::Key_Tab, None, "\t", 9, 0, std::nullopt},
      {Press, Qt::Key_Backtab, Qt::ShiftModifier, "", 9, 1, std::nullopt},
      {Press, Qt::Key_Space, None, " ", 32, 0, U' '},
      {Press, Qt::Key_Delete, None, "\x7f", 46, 0, std::nullopt},
      {Press, Qt::Key_Insert, Qt::ShiftModifier, "", 45, 1, std::nullopt},
      {Press, Qt::Key_Left, None, "", 37, 0, std::nullopt},
      {Press, Qt::Key_Up, None, "", 38, 0, std::nullopt},
      {Press, Qt::Key_Right, None, "", 39, 0, std::nullopt},
      {Press, Qt::Key_Down, None, "", 40, 0, std::nullopt},
      {Press, Qt::Key_PageUp, None, "", 33, 0, std::nullopt},
      {Press, Qt::Key_PageDown, None, "", 34, 0, std::nullopt},
      {Press, Qt::Key_End, None, "", 35, 0, std::nullopt},
      {Press, Qt::Key_Home, None, "", 36, 0, std::nullopt},
      {Press, Qt::Key_F1, None, "", 112, 0, std::nullopt},
      {Press, Qt::Key_F2, None, "", 113, 0, std::nullopt},
      {Press, Qt::Key_F5, None, "", 116, 0, std::nullopt},
      {Press, Qt::Key_F12, None, "", 123, 0, std::nullopt},
      {Press, Qt::Key_Comma, None, ",", 188, 0, U','},
      {Press, Qt::Key_Less, Qt::ShiftModifier, "<", 188, 1, U'<'},
      {Press, Qt::Key_Apostrophe, None, "'", 222, 0, U'\''},
      {Press, Qt::Key_Minus, None, "-", 189, 0, U'-'},
      {Press, Qt::Key_Period, None, ".", 190, 0, U'.'},
      {Press, Qt::Key_Slash, None, "/", 191, 0, U'/'},
      {Press, Qt::Key_Exclam, Qt::ShiftModifier, "!", 49, 1, U'!'},
      {Press, Qt::Key_7, Qt::KeypadModifier, "7", 103, 0, U'7'},
      {Press, Qt::Key_Minus, Qt::KeypadModifier, "-", 109, 0, U'-'},
      {Press, Qt::Key_Period, Qt::KeypadModifier, ".", 110, 0, U'.'},
      {Press, Qt::Key_unknown, None, "Ａ", 229, 0, U'Ａ'},
      {Press, Qt::Key_unknown, None, "漢", 229, 0, U'漢'},
      // The modifier keys themselves: held while down, released on their key-up.
      {Press, Qt::Key_Shift, None, "", 16, 1, std::nullopt},
      {Release, Qt::Key_Shift, Qt::ShiftModifier, "", 16, 0, std::nullopt},
      {Press, Qt::Key_Control, Qt::ShiftModifier, "", 17, 3, std::nullopt},
      {Release, Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier, "", 17, 1, std::nullopt},
      {Press, Qt::Key_Alt, None, "", 18, 4, std::nullopt},
      {Release, Qt::Key_A, Qt::AltModifier, "a", 65, 4, U'a'},
  };
  for (const KeyCase& c : cases) {
    const QKeyEvent event(c.type, c.qtKey, c.modifiers, QString::fromUtf8(c.text));
    const auto stroke = translateKey(event);
    ASSERT_TRUE(stroke.has_value()) << "Qt key 0x" << std::hex << c.qtKey;
    EXPECT_EQ(stroke->keyCode, c.keyCode) << "Qt key 0x" << std::hex << c.qtKey << " text " << c.text;
    EXPECT_EQ(stroke->shift, c.shift) << "Qt key 0x" << std::hex << c.qtKey;
    EXPECT_EQ(stroke->character, c.character) << "Qt key 0x" << std::hex << c.qtKey;
    EXPECT_TRUE(stroke->followingText.empty());
  }
}

TEST(KeyTranslation, KeyWithoutCodeOrTextIsDropped) {
  EXPECT_FALSE(translateKey(QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString())).has_value());
  EXPECT_FALSE(translateKey(QKeyEvent(QEvent::KeyPress, Qt::Key_Hangul, Qt::NoModifier, QString())).has_value());
}

TEST(KeyTranslation, SeveralCharactersFromOneKeyKeepTheRest) {
  const auto stroke = translateKey(QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "´e"));
  ASSERT_TRUE(stroke.has_value());
  EXPECT_EQ(stroke->character, U'´');
  EXPECT_EQ(stroke->followingText, "e");
}

}  // namespace
