// Command buttons: access keys from captions, pressing them by keyboard and pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/TextBox.h"

namespace platform::ui {
namespace {

using Log = std::vector<std::string>;

struct AccessKeyCase {
  const char* caption;
  std::optional<char> key;
};

TEST(AccessKey, ComesFromTheCharacterAfterTheAmpersand) {
  const AccessKeyCase cases[] = {
      {"追加（&A）", 'A'}, {"検索(&F)", 'F'},        {"終了（&E）", 'E'},
      {"&delete", 'D'},                             // upper case whatever the caption says
      {"item &2", '2'},    {"a&&b", std::nullopt},  // a literal ampersand
      {"a&&&b", 'B'},      {"no key", std::nullopt}, {"trailing&", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    CommandButton button("CMD", 0);
    button.setCaption(c.caption);
    EXPECT_EQ(button.accessKey(), c.key);
  }
}

class ButtonKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    search.setCaption("検索(&F)");
    add.setCaption("追加（&A）");
    world.form.setKeyPreview(true);
    world.form.show();
    ASSERT_TRUE(field.hasFocus());
    world.logControl(field);
    world.logControl(search);
    world.logControl(add);
  }

  testing::FormWorld world;
  TextBox& field = world.form.add<TextBox>("KCNTCD");
  CommandButton& search = world.form.add<CommandButton>("CMD", 0);
  CommandButton& add = world.form.add<CommandButton>("CMD", 1);
};

TEST_F(ButtonKeys, AltAccessKeyFocusesTheButtonThenClicksIt) {
  world.form.pressKey(key::letter('A'), shift::Alt, U'a');

  EXPECT_EQ(world.log, (Log{"KCNTCD.lostFocus", "CMD(1).gotFocus", "CMD(1).click", "CMD(1).keyUp 65/4"}));
  EXPECT_TRUE(add.hasFocus());
  EXPECT_EQ(field.text(), "");
}

TEST_F(ButtonKeys, AccessKeyWithoutAltTypesTheLetter) {
  world.form.pressKey(key::letter('A'), shift::None, U'a');
  EXPECT_EQ(field.text(), "a");
  EXPECT_TRUE(field.hasFocus());
}

TEST_F(ButtonKeys, DisabledButtonsAccessKeyDoesNothing) {
  add.setEnabled(false);
  world.form.pressKey(key::letter('A'), shift::Alt, U'a');

  EXPECT_FALSE(world.logMentions("click"));
  EXPECT_FALSE(world.logMentions("Focus"));
  EXPECT_TRUE(field.hasFocus());
}

TEST_F(ButtonKeys, FormKeyDownCanSwallowAnAccessKey) {
  world.form.onKeyDown = [](std::int16_t& code, std::int16_t shiftState) {
    if (shiftState == shift::Alt && code == 'F') code = 0;
  };
  world.form.pressKey(key::letter('F'), shift::Alt);
  EXPECT_TRUE(field.hasFocus());
  EXPECT_FALSE(world.logMentions("click"));
}

TEST_F(ButtonKeys, SpaceAndEnterClickTheFocusedButton) {
  add.setFocus();
  world.log.clear();
  world.form.pressKey(key::Space, shift::None, U' ');
  world.form.pressKey(key::Enter, shift::None, U'\r');

  // Space clicks when it comes up, Enter when it goes down.
  EXPECT_EQ(world.log, (Log{"CMD(1).keyDown 32/0", "CMD(1).keyPress 32", "CMD(1).keyUp 32/0", "CMD(1).click",
                            "CMD(1).keyDown 13/0", "CMD(1).click", "CMD(1).keyPress 13", "CMD(1).keyUp 13/0"}));
}

TEST_F(ButtonKeys, AHeldSpaceClicksOnceAndOnlyIfTheButtonStillHasTheFocus) {
  add.setFocus();
  world.log.clear();
  for (int repeat = 0; repeat < 4; ++repeat) world.form.keyDown(key::Space, shift::None, U' ');
  world.form.keyUp(key::Space, shift::None);
  EXPECT_EQ(std::count(world.log.begin(), world.log.end(), "CMD(1).click"), 1);

  world.log.clear();
  world.form.keyDown(key::Space, shift::None, U' ');
  field.setFocus();
  world.form.keyUp(key::Space, shift::None);
  EXPECT_FALSE(world.logMentions("click"));
}

TEST_F(ButtonKeys, OtherKeysOnAButtonDoNotClickIt) {
  add.setFocus();
  world.log.clear();
  world.form.pressKey(key::letter('X'), shift::None, U'x');
  world.form.pressKey(key::Enter, shift::Ctrl);
  EXPECT_FALSE(world.logMentions("click"));
}

TEST_F(ButtonKeys, AClickWhoseFocusMoveIsDoneLeavesTheFocusAlone) {
  // The toolkit's mouse press has moved the focus already; a lost-focus handler took it back to the field.
  world.form.click(search, Form::ClickFocus::AlreadyMoved);
  EXPECT_EQ(world.log, (Log{"CMD(0).click"}));
  EXPECT_TRUE(field.hasFocus());
}

TEST_F(ButtonKeys, PointerClickFocusesTheButtonFirst) {
  world.form.click(search);
  EXPECT_EQ(world.log, (Log{"KCNTCD.lostFocus", "CMD(0).gotFocus", "CMD(0).click"}));
  EXPECT_TRUE(search.hasFocus());

  world.log.clear();
  add.setEnabled(false);
  world.form.click(add);
  EXPECT_TRUE(world.log.empty());
  EXPECT_TRUE(search.hasFocus());
}

}  // namespace
}  // namespace platform::ui
