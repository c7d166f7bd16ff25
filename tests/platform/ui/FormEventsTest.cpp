// The order of keyboard events on a form and what handlers can do to a keystroke.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "platform/ui/TextBox.h"

namespace platform::ui {
namespace {

using Log = std::vector<std::string>;

class FormEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    world.form.setKeyPreview(true);
    world.logForm();
    world.logControl(box);
    world.logControl(other);
    box.onChange = [this] { world.log.push_back("KCNTCD.change " + box.text()); };
    world.form.show();
    world.log.clear();
  }

  testing::FormWorld world;
  TextBox& box = world.form.add<TextBox>("KCNTCD");
  TextBox& other = world.form.add<TextBox>("CNTCD");
};

TEST_F(FormEvents, OneKeystrokeWithKeyPreviewRunsInThePlatformOrder) {
  ASSERT_TRUE(box.hasFocus());
  world.form.pressKey(key::letter('A'), shift::None, U'a');

  EXPECT_EQ(world.log, (Log{"form.keyDown 65/0", "KCNTCD.keyDown 65/0", "form.keyPress 97", "KCNTCD.keyPress 97",
                            "KCNTCD.change a", "form.keyUp 65/0", "KCNTCD.keyUp 65/0"}));
}

TEST_F(FormEvents, WithoutKeyPreviewTheFormHandlersDoNotRun) {
  world.form.setKeyPreview(false);
  world.form.pressKey(key::letter('A'), shift::None, U'a');

  EXPECT_EQ(world.log, (Log{"KCNTCD.keyDown 65/0", "KCNTCD.keyPress 97", "KCNTCD.change a", "KCNTCD.keyUp 65/0"}));
}

TEST_F(FormEvents, FormKeyDownSettingZeroKeepsTheKeyFromTheControlButNotTheCharacter) {
  world.form.onKeyDown = [this](std::int16_t& code, std::int16_t) {
    world.log.push_back("form.keyDown " + std::to_string(code));
    code = 0;
  };
  world.form.pressKey(key::letter('A'), shift::None, U'a');

  EXPECT_EQ(world.log, (Log{"form.keyDown 65", "form.keyPress 97", "KCNTCD.keyPress 97", "KCNTCD.change a",
                            "form.keyUp 65/0", "KCNTCD.keyUp 65/0"}));
  EXPECT_EQ(box.text(), "a");
}

TEST_F(FormEvents, FormKeyDownSettingZeroAlsoStopsTheKeysOwnAction) {
  box.setText("abc");
  world.form.onKeyDown = [](std::int16_t& code, std::int16_t) {
    if (code == key::Delete) code = 0;
  };
  world.form.pressKey(key::Delete, shift::None);
  EXPECT_EQ(box.text(), "abc");

  world.form.onKeyDown = nullptr;
  world.form.pressKey(key::Delete, shift::None);
  EXPECT_EQ(box.text(), "bc");
}

TEST_F(FormEvents, ControlKeyDownSettingZeroStopsTheKeysOwnAction) {
  box.setText("abc");
  box.onKeyDown = [](std::int16_t& code, std::int16_t) { code = 0; };
  world.form.pressKey(key::End, shift::None);
  EXPECT_EQ(box.selStart(), 0);
}

TEST_F(FormEvents, KeyPressHandlerSettingZeroInsertsNothing) {
  box.onKeyPress = [](std::int16_t& code) { code = 0; };
  world.form.typeText("abc");

  EXPECT_EQ(box.text(), "");
  EXPECT_EQ(box.selStart(), 0);
}

TEST_F(FormEvents, FormKeyPressSettingZeroKeepsTheCharacterFromTheControl) {
  world.form.onKeyPress = [this](std::int16_t& code) {
    world.log.push_back("form.keyPress " + std::to_string(code));
    if (code == ',') code = 0;
  };
  world.form.pressKey(188, shift::None, U',');

  EXPECT_EQ(world.log, (Log{"form.keyDown 188/0", "KCNTCD.keyDown 188/0", "form.keyPress 44", "form.keyUp 188/0",
                            "KCNTCD.keyUp 188/0"}));
  EXPECT_EQ(box.text(), "");
}

TEST_F(FormEvents, KeyPressHandlerChangingTheCodeInsertsTheNewCharacter) {
  box.onKeyPress = [](std::int16_t& code) {
    if (code >= 'a' && code <= 'z') code = static_cast<std::int16_t>(code - 32);
  };
  world.form.typeText("ab1");
  EXPECT_EQ(box.text(), "AB1");

  // A double-byte code put in by a handler gives its character.
  box.onKeyPress = [](std::int16_t& code) { code = -32096; };
  world.form.typeText("x");
  EXPECT_EQ(box.text(), "AB1あ");
}

TEST_F(FormEvents, FormKeyPressChangingTheCodeIsWhatTheControlSees) {
  world.form.onKeyPress = [](std::int16_t& code) {
    if (code == 'a') code = 'A';
  };
  world.form.pressKey(key::letter('A'), shift::None, U'a');
  EXPECT_EQ(world.log, (Log{"form.keyDown 65/0", "KCNTCD.keyDown 65/0", "KCNTCD.keyPress 65", "KCNTCD.change A",
                            "form.keyUp 65/0", "KCNTCD.keyUp 65/0"}));
}

TEST_F(FormEvents, KeyUpGoesToTheControlThatHasTheFocusAfterKeyDown) {
  box.onKeyDown = [this](std::int16_t& code, std::int16_t) {
    world.log.push_back("KCNTCD.keyDown " + std::to_string(code));
    other.setFocus();
  };
  world.form.pressKey(key::Enter, shift::None, U'\r');

  // The character of the keystroke belongs to the control that took the key down, as with the platform's
  // message translation; the release is seen where the focus is by then.
  EXPECT_EQ(world.log, (Log{"form.keyDown 13/0", "KCNTCD.keyDown 13", "KCNTCD.lostFocus", "CNTCD.gotFocus",
                            "form.keyPress 13", "KCNTCD.keyPress 13", "form.keyUp 13/0", "CNTCD.keyUp 13/0"}));
  EXPECT_TRUE(other.hasFocus());
}

TEST_F(FormEvents, DisabledFocusedControlGetsNoKeyEvents) {
  box.setEnabled(false);
  world.form.pressKey(key::letter('A'), shift::None, U'a');

  EXPECT_EQ(world.log, (Log{"form.keyDown 65/0", "form.keyPress 97", "form.keyUp 65/0"}));
  EXPECT_EQ(box.text(), "");
}

// What the key-press handler sees for each character and what reaches the text.
struct CharacterCase {
  const char* typed;
  std::int16_t code;
  const char* inserted;
};

class CharacterCodes : public ::testing::Test {
 protected:
  void SetUp() override {
    box.onKeyPress = [this](std::int16_t& code) { seen.push_back(code); };
    world.form.show();
  }

  testing::FormWorld world;
  TextBox& box = world.form.add<TextBox>("ATKCD");
  std::vector<std::int16_t> seen;
};

TEST_F(CharacterCodes, EachCharacterArrivesAsItsCodePageCode) {
  const CharacterCase cases[] = {
      {"a", 97, "a"},
      {"Z", 90, "Z"},
      {"7", 55, "7"},
      {" ", 32, " "},
      {"~", 126, "~"},
      {"ｱ", 177, "ｱ"},  // half-width katakana: one byte
      {"ﾟ", 223, "ﾟ"},
      {"あ", -32096, "あ"},  // 0x82A0 read as a signed 16-bit number
      {"Ａ", -32160, "Ａ"},
      {"漢", -30017, "漢"},
      {"🙂", Form::UnrepresentableCharCode, "🙂"},  // no CP932 code: still goes in when the handler leaves it
  };
  for (const auto& c : cases) {
    for (const bool asKeystroke : {true, false}) {
      SCOPED_TRACE(std::string(c.typed) + (asKeystroke ? " typed" : " committed"));
      box.setText("");
      seen.clear();
      if (asKeystroke) {
        world.form.typeText(c.typed);
      } else {
        world.form.inputText(c.typed);
      }
      EXPECT_EQ(seen, std::vector<std::int16_t>{c.code});
      EXPECT_EQ(box.text(), c.inserted);
    }
  }
}

TEST_F(CharacterCodes, BackspaceDeletesAndEnterAndEscInsertNothing) {
  world.form.typeText("abc");
  seen.clear();

  world.form.pressKey(key::Backspace, shift::None, U'\b');
  EXPECT_EQ(box.text(), "ab");
  world.form.pressKey(key::Enter, shift::None, U'\r');
  EXPECT_EQ(box.text(), "ab");
  world.form.pressKey(key::Esc, shift::None, U'\x1B');
  EXPECT_EQ(box.text(), "ab");

  EXPECT_EQ(seen, (std::vector<std::int16_t>{8, 13, 27}));
}

TEST_F(CharacterCodes, BackspaceRemovedByAHandlerDeletesNothing) {
  world.form.typeText("abc");
  box.onKeyPress = [](std::int16_t& code) {
    if (code == key::Backspace) code = 0;
  };
  world.form.pressKey(key::Backspace, shift::None, U'\b');
  EXPECT_EQ(box.text(), "abc");
}

TEST_F(CharacterCodes, KeysThatAreNotCharactersNeverReachKeyPress) {
  world.form.typeText("ab");
  seen.clear();
  for (const std::int16_t k : {key::Left, key::Right, key::Home, key::End, key::F5, key::Up, key::Down}) {
    world.form.pressKey(k, shift::None);
  }
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(box.text(), "ab");
}

TEST_F(CharacterCodes, CtrlAndAltCombinationsAreNoCharacters) {
  world.form.pressKey(key::letter('B'), shift::Ctrl, U'b');
  world.form.pressKey(key::letter('B'), shift::Alt, U'b');
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(box.text(), "");
}

}  // namespace
}  // namespace platform::ui
