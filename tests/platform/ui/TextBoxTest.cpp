// Editing a text box: the model on its own and through keystrokes on a shown form.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "FormTestSupport.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiError.h"

namespace platform::ui {
namespace {

TEST(TextBoxModel, InsertReplacesTheSelection) {
  TextBox box("CNTCD");
  box.setText("abcdef");
  box.setSelStart(1);
  box.setSelLength(3);
  ASSERT_EQ(box.selText(), "bcd");

  EXPECT_TRUE(box.insertText("XY"));
  EXPECT_EQ(box.text(), "aXYef");
  EXPECT_EQ(box.selStart(), 3);
  EXPECT_EQ(box.selLength(), 0);
}

TEST(TextBoxModel, PositionsCountCharactersNotBytes) {
  TextBox box("CNTCD");
  box.setText("あいう");
  EXPECT_EQ(box.length(), 3);
  box.setSelStart(1);
  box.setSelLength(1);
  EXPECT_EQ(box.selText(), "い");
  box.insertText("ｶ");
  EXPECT_EQ(box.text(), "あｶう");
  EXPECT_EQ(box.selStart(), 2);
}

struct MaxLengthCase {
  const char* before;
  const char* typed;
  bool accepted;
};

TEST(TextBoxModel, MaxLengthCountsCharactersNotBytes) {
  const MaxLengthCase cases[] = {
      {"", "ab", true},          {"abcd", "e", false},
      {"あい", "うえ", true},  // four full-width characters are eight CP932 bytes
      {"あいう", "えお", false}, {"abc", "あ", true},
      {"ab", "ｱｲ", true},        {"abc", "🙂", true},  // one character, whatever its UTF-8 or UTF-16 length
      {"abcd", "🙂", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " + " + c.typed);
    TextBox box("ATKCD");
    box.setMaxLength(4);
    box.setText(c.before);
    box.setSelStart(box.length());
    EXPECT_EQ(box.insertText(c.typed), c.accepted);
    EXPECT_EQ(box.text(), c.accepted ? std::string(c.before) + c.typed : std::string(c.before));
  }
}

TEST(TextBoxModel, MaxLengthAllowsReplacingASelectionThatFrees) {
  TextBox box("ATKCD");
  box.setMaxLength(4);
  box.setText("abcd");
  box.setSelStart(2);
  box.setSelLength(2);
  EXPECT_TRUE(box.insertText("あ"));
  EXPECT_EQ(box.text(), "abあ");
}

TEST(TextBoxModel, MaxLengthZeroMeansNoLimit) {
  TextBox box("ATKCD");
  EXPECT_TRUE(box.insertText("あいうえおかきくけこ"));
  EXPECT_EQ(box.length(), 10);
}

TEST(TextBoxModel, SetTextIsNotLimitedAndPutsTheCaretAtTheStart) {
  TextBox box("KCNTCD");
  box.setMaxLength(2);
  box.setText("abc");
  box.setSelStart(3);
  box.setText("あいうえお");

  EXPECT_EQ(box.text(), "あいうえお");
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 0);
}

TEST(TextBoxModel, LockedRefusesEveryEdit) {
  TextBox box("ATKCD");
  box.setText("abc");
  box.setSelStart(1);
  box.setLocked(true);

  EXPECT_FALSE(box.insertText("x"));
  EXPECT_FALSE(box.deleteBackward());
  EXPECT_FALSE(box.deleteForward());
  EXPECT_EQ(box.text(), "abc");

  // The caret still moves in a locked box.
  box.moveCaret(3, false);
  EXPECT_EQ(box.selStart(), 3);
}

TEST(TextBoxModel, SelStartAndSelLengthClampToTheText) {
  TextBox box("CNTCD");
  box.setText("abc");
  box.setSelStart(10);
  EXPECT_EQ(box.selStart(), 3);

  box.setSelStart(1);
  box.setSelLength(10);
  EXPECT_EQ(box.selStart(), 1);
  EXPECT_EQ(box.selLength(), 2);
  EXPECT_EQ(box.selText(), "bc");

  EXPECT_THROW(box.setSelStart(-1), UiError);
  EXPECT_THROW(box.setSelLength(-1), UiError);
  EXPECT_THROW(box.setMaxLength(-1), UiError);
}

TEST(TextBoxModel, SettingSelStartEmptiesTheSelection) {
  TextBox box("CNTCD");
  box.setText("abcdef");
  box.setSelLength(4);
  box.setSelStart(2);
  EXPECT_EQ(box.selLength(), 0);
}

TEST(TextBoxModel, DeletingAtTheEdgesChangesNothing) {
  TextBox box("CNTCD");
  box.setText("ab");
  EXPECT_FALSE(box.deleteBackward());
  box.setSelStart(2);
  EXPECT_FALSE(box.deleteForward());
  EXPECT_EQ(box.text(), "ab");
}

TEST(TextBoxModel, ChangeHandlerRunsOnlyWhenTheTextChanges) {
  TextBox box("CNTCD");
  int changes = 0;
  box.onChange = [&] { ++changes; };
  box.setText("ab");
  box.setText("ab");
  EXPECT_EQ(changes, 1);
  box.setMaxLength(2);
  box.setSelStart(2);
  box.insertText("c");  // refused
  EXPECT_EQ(changes, 1);
  box.deleteBackward();
  EXPECT_EQ(changes, 2);
}

// Keystrokes in the focused box of a shown form.
class TextBoxKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    world.form.show();
    ASSERT_TRUE(box.hasFocus());
  }
  void press(std::int16_t keyCode, std::int16_t shiftState = shift::None) { world.form.pressKey(keyCode, shiftState); }

  testing::FormWorld world;
  TextBox& box = world.form.add<TextBox>("CNTCD");
};

TEST_F(TextBoxKeys, ShiftArrowsGrowAndShrinkTheSelectionFromItsAnchor) {
  box.setText("abcdef");
  box.setSelStart(2);

  press(key::Right, shift::Shift);
  press(key::Right, shift::Shift);
  EXPECT_EQ(box.selStart(), 2);
  EXPECT_EQ(box.selText(), "cd");

  // Back past the anchor: the selection turns to the left of it.
  press(key::Left, shift::Shift);
  press(key::Left, shift::Shift);
  press(key::Left, shift::Shift);
  EXPECT_EQ(box.selStart(), 1);
  EXPECT_EQ(box.selText(), "b");
  press(key::Left, shift::Shift);
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selText(), "ab");
}

TEST_F(TextBoxKeys, ShiftHomeAndShiftEndKeepTheAnchor) {
  box.setText("abcdef");
  box.setSelStart(4);
  press(key::Home, shift::Shift);
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 4);
  press(key::End, shift::Shift);
  EXPECT_EQ(box.selStart(), 4);
  EXPECT_EQ(box.selText(), "ef");
}

TEST_F(TextBoxKeys, PlainArrowCollapsesASelectionToItsEdge) {
  box.setText("abcdef");
  box.setSelStart(1);
  box.setSelLength(3);
  press(key::Left);
  EXPECT_EQ(box.selStart(), 1);
  EXPECT_EQ(box.selLength(), 0);

  box.setSelLength(3);
  press(key::Right);
  EXPECT_EQ(box.selStart(), 4);
  EXPECT_EQ(box.selLength(), 0);

  press(key::Right);
  EXPECT_EQ(box.selStart(), 5);
}

TEST_F(TextBoxKeys, HomeEndAndDelete) {
  box.setText("abcdef");
  press(key::End);
  EXPECT_EQ(box.selStart(), 6);
  press(key::Home);
  EXPECT_EQ(box.selStart(), 0);
  press(key::Delete);
  EXPECT_EQ(box.text(), "bcdef");
  EXPECT_EQ(box.selStart(), 0);

  box.setSelStart(1);
  box.setSelLength(2);
  press(key::Delete);
  EXPECT_EQ(box.text(), "bef");
  EXPECT_EQ(box.selStart(), 1);

  press(key::End);
  press(key::Delete);
  EXPECT_EQ(box.text(), "bef");
}

TEST_F(TextBoxKeys, CtrlASelectsEverything) {
  box.setText("あいう");
  press(key::letter('A'), shift::Ctrl);
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 3);
}

TEST_F(TextBoxKeys, TypingInALockedBoxChangesNothing) {
  box.setText("abc");
  box.setLocked(true);
  world.form.typeText("x");
  world.form.pressKey(key::Backspace, shift::None, U'\b');
  press(key::Delete);
  EXPECT_EQ(box.text(), "abc");
}

TEST_F(TextBoxKeys, TypingStopsAtMaxLength) {
  box.setMaxLength(4);
  world.form.typeText("abあいう");
  EXPECT_EQ(box.text(), "abあい");
}

TEST_F(TextBoxKeys, PastePassesEveryCharacterThroughTheKeyPressHandlers) {
  std::string seen;
  box.onKeyPress = [&](std::int16_t& code) {
    seen += static_cast<char>(code);
    if (code == ',') code = 0;
  };
  world.toolkit.setClipboardText("1,234,5");
  press(key::letter('V'), shift::Ctrl);

  EXPECT_EQ(box.text(), "12345");
  EXPECT_EQ(seen, "1,234,5");
  EXPECT_EQ(box.selStart(), 5);
}

TEST_F(TextBoxKeys, PasteReplacesTheSelectionAndStopsAtMaxLength) {
  box.setMaxLength(5);
  box.setText("abXYc");
  box.setSelStart(2);
  box.setSelLength(2);
  world.toolkit.setClipboardText("12345");
  press(key::Insert, shift::Shift);
  EXPECT_EQ(box.text(), "ab12c");
}

TEST_F(TextBoxKeys, CopyAndCutUseTheClipboard) {
  box.setText("abcdef");
  box.setSelStart(1);
  box.setSelLength(2);
  press(key::letter('C'), shift::Ctrl);
  EXPECT_EQ(world.toolkit.clipboardText(), "bc");
  EXPECT_EQ(box.text(), "abcdef");

  box.setSelStart(3);
  box.setSelLength(3);
  press(key::letter('X'), shift::Ctrl);
  EXPECT_EQ(world.toolkit.clipboardText(), "def");
  EXPECT_EQ(box.text(), "abc");

  // Nothing selected: the clipboard keeps what it had.
  press(key::letter('C'), shift::Ctrl);
  EXPECT_EQ(world.toolkit.clipboardText(), "def");

  // Shift+Delete cuts too.
  box.setSelStart(0);
  box.setSelLength(1);
  press(key::Delete, shift::Shift);
  EXPECT_EQ(world.toolkit.clipboardText(), "a");
  EXPECT_EQ(box.text(), "bc");
}

TEST_F(TextBoxKeys, APasteStaysInItsFieldWhenAHandlerMovesTheFocus) {
  TextBox& other = world.form.add<TextBox>("T2");
  box.onKeyPress = [&](std::int16_t& code) {
    if (code == '2') other.setFocus();
  };
  world.toolkit.setClipboardText("123");
  press(key::letter('V'), shift::Ctrl);
  EXPECT_EQ(box.text(), "123");
  EXPECT_EQ(other.text(), "");
}

TEST_F(TextBoxKeys, PasswordBoxNeitherCopiesNorCuts) {
  box.setPasswordChar("*");
  box.setText("secret");
  world.toolkit.setClipboardText("before");
  press(key::letter('A'), shift::Ctrl);
  press(key::letter('C'), shift::Ctrl);
  EXPECT_EQ(world.toolkit.clipboardText(), "before");
  press(key::letter('X'), shift::Ctrl);
  EXPECT_EQ(world.toolkit.clipboardText(), "before");
  EXPECT_EQ(box.text(), "secret");
}

}  // namespace
}  // namespace platform::ui
