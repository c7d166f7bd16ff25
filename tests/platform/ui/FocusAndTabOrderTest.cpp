// Focus moves, Tab navigation, TabIndex renumbering and finding controls on a form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormTestSupport.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/UiError.h"

namespace platform::ui {
namespace {

using Log = std::vector<std::string>;

std::string describe(const Control& c) {
  return c.isArrayMember() ? c.name() + "(" + std::to_string(c.index()) + ")" : c.name();
}

std::vector<std::string> tabOrderOf(const Form& form) {
  std::vector<std::string> names;
  for (const Control* c : form.tabOrder()) names.push_back(describe(*c));
  return names;
}

// Every control's TabIndex is its place in the tab order: 0 .. n-1, no gaps, no twins.
void expectConsistentTabIndexes(const Form& form) {
  const auto& order = form.tabOrder();
  ASSERT_EQ(order.size(), form.controls().size());
  for (std::size_t i = 0; i < order.size(); ++i)
    EXPECT_EQ(order[i]->tabIndex(), static_cast<int>(i)) << describe(*order[i]);
}

class Focus : public ::testing::Test {
 protected:
  testing::FormWorld world;
  Label& caption = world.form.add<Label>("tit_KOUMOKU", 0);
  TextBox& first = world.form.add<TextBox>("KCNTCD");
  TextBox& second = world.form.add<TextBox>("CNTCD");
  CommandButton& button = world.form.add<CommandButton>("CMD", 0);
  TextBox& third = world.form.add<TextBox>("ATKCD");
};

TEST_F(Focus, LostFocusOfTheOldControlRunsBeforeGotFocusOfTheNew) {
  world.form.show();
  world.logControl(first);
  world.logControl(second);
  second.setFocus();

  EXPECT_EQ(world.log, (Log{"KCNTCD.lostFocus", "CNTCD.gotFocus"}));
  EXPECT_EQ(world.form.activeControl(), &second);
  EXPECT_FALSE(first.hasFocus());
}

TEST_F(Focus, GivingTheFocusToTheControlThatHasItRunsNoEvents) {
  world.form.show();
  world.logControl(first);
  first.setFocus();
  EXPECT_TRUE(world.log.empty());
}

TEST_F(Focus, ControlsThatCannotTakeTheFocusAreAnError) {
  world.form.show();
  second.setEnabled(false);
  third.setVisible(false);

  EXPECT_THROW(second.setFocus(), UiError);
  EXPECT_THROW(third.setFocus(), UiError);
  EXPECT_THROW(caption.setFocus(), UiError);
  EXPECT_EQ(world.form.activeControl(), &first);

  auto& data = world.form.add<DataControl>("Adodc1");
  EXPECT_THROW(data.setFocus(), UiError);
}

TEST_F(Focus, NothingTakesTheFocusOnAHiddenForm) {
  EXPECT_THROW(first.setFocus(), UiError);

  TextBox loose("LOOSE");
  EXPECT_THROW(loose.setFocus(), UiError);
}

TEST_F(Focus, ShowGivesTheFocusToTheFirstFocusableControlInTabOrder) {
  first.setEnabled(false);
  third.setTabIndex(0);
  third.setTabStop(false);
  world.logControl(second);

  world.form.show();

  EXPECT_EQ(world.form.activeControl(), &second);
  EXPECT_EQ(world.log, (Log{"CNTCD.gotFocus"}));
}

TEST_F(Focus, TabAndShiftTabSkipWhatCannotTakeTheFocusAndWrap) {
  auto& hidden = world.form.add<TextBox>("HIDDEN");
  hidden.setVisible(false);
  world.form.show();
  second.setEnabled(false);

  world.form.pressKey(key::Tab, shift::None);
  EXPECT_EQ(world.form.activeControl(), &button);
  world.form.pressKey(key::Tab, shift::None);
  EXPECT_EQ(world.form.activeControl(), &third);
  world.form.pressKey(key::Tab, shift::None);  // over the hidden box, past the end, over the label at the start
  EXPECT_EQ(world.form.activeControl(), &first);

  world.form.pressKey(key::Tab, shift::Shift);  // back over the label, round past the hidden box
  EXPECT_EQ(world.form.activeControl(), &third);
  world.form.pressKey(key::Tab, shift::Shift);
  EXPECT_EQ(world.form.activeControl(), &button);
  world.form.pressKey(key::Tab, shift::Shift);
  EXPECT_EQ(world.form.activeControl(), &first);
}

TEST_F(Focus, TabFollowsTheRenumberedOrderAndSkipsControlsWithoutTabStop) {
  world.form.show();
  third.setTabIndex(2);  // caption, first, third, second, button
  button.setTabStop(false);

  world.form.pressKey(key::Tab, shift::None);
  EXPECT_EQ(world.form.activeControl(), &third);
  world.form.pressKey(key::Tab, shift::None);
  EXPECT_EQ(world.form.activeControl(), &second);
  world.form.pressKey(key::Tab, shift::None);
  EXPECT_EQ(world.form.activeControl(), &first);
}

TEST_F(Focus, TabRunsNoKeyHandlers) {
  world.form.setKeyPreview(true);
  world.logForm();
  world.form.show();
  world.logControl(first);
  world.logControl(second);
  world.form.pressKey(key::Tab, shift::None);
  EXPECT_EQ(world.log, (Log{"KCNTCD.lostFocus", "CNTCD.gotFocus"}));
}

TEST(TabIndex, NewControlsGoToTheEndOfTheTabOrder) {
  testing::FormWorld world;
  world.form.add<TextBox>("A");
  world.form.add<Label>("B");
  world.form.add<TextBox>("C");
  EXPECT_EQ(tabOrderOf(world.form), (std::vector<std::string>{"A", "B", "C"}));
  expectConsistentTabIndexes(world.form);
}

TEST(TabIndex, SettingAnIndexMovesTheControlAndShiftsTheOthers) {
  testing::FormWorld world;
  auto& a = world.form.add<TextBox>("A");
  world.form.add<TextBox>("B");
  world.form.add<TextBox>("C");
  auto& d = world.form.add<TextBox>("D");

  a.setTabIndex(2);
  EXPECT_EQ(tabOrderOf(world.form), (std::vector<std::string>{"B", "C", "A", "D"}));
  expectConsistentTabIndexes(world.form);

  d.setTabIndex(0);
  EXPECT_EQ(tabOrderOf(world.form), (std::vector<std::string>{"D", "B", "C", "A"}));
  expectConsistentTabIndexes(world.form);

  // Beyond the end: the control becomes the last.
  d.setTabIndex(99);
  EXPECT_EQ(tabOrderOf(world.form), (std::vector<std::string>{"B", "C", "A", "D"}));
  EXPECT_EQ(d.tabIndex(), 3);

  EXPECT_THROW(a.setTabIndex(-1), UiError);
  expectConsistentTabIndexes(world.form);
  // The collection keeps the order of creation whatever the tab order.
  EXPECT_EQ(world.form.controls().front(), &a);
}

TEST(TabIndex, MainWindowFieldsComeFirstAndTheGridFollowsThem) {
  testing::FormWorld world;
  Form& form = world.form;
  form.add<ListGrid>("GRID");
  form.add<Label>("SEARCH_KBN");
  form.add<TextBox>("KCNTCD");
  form.add<Label>("tit_KOUMOKU", 0);
  for (int i = 0; i < 4; ++i) form.add<CommandButton>("CMD", i);
  form.add<TextBox>("CNTCD");
  form.add<Label>("tit_KOUMOKU", 7);
  form.add<Label>("tit_KOUMOKU", 8);
  form.add<TextBox>("ATKCD");
  form.add<Label>("lbl_KCNTNM");
  form.add<Label>("lbl_CNTNM");
  ASSERT_EQ(form.get<ListGrid>("GRID").tabIndex(), 0);
  ASSERT_EQ(form.get<TextBox>("ATKCD").tabIndex(), 11);

  form.get<TextBox>("KCNTCD").setTabIndex(0);
  form.get<TextBox>("CNTCD").setTabIndex(1);
  form.get<TextBox>("ATKCD").setTabIndex(2);

  EXPECT_EQ(form.get<TextBox>("KCNTCD").tabIndex(), 0);
  EXPECT_EQ(form.get<TextBox>("CNTCD").tabIndex(), 1);
  EXPECT_EQ(form.get<TextBox>("ATKCD").tabIndex(), 2);
  EXPECT_EQ(form.get<ListGrid>("GRID").tabIndex(), 3);
  EXPECT_EQ(
      tabOrderOf(form),
      (std::vector<std::string>{"KCNTCD", "CNTCD", "ATKCD", "GRID", "SEARCH_KBN", "tit_KOUMOKU(0)", "CMD(0)", "CMD(1)",
                                "CMD(2)", "CMD(3)", "tit_KOUMOKU(7)", "tit_KOUMOKU(8)", "lbl_KCNTNM", "lbl_CNTNM"}));
  expectConsistentTabIndexes(form);
}

TEST(ControlArrays, MembersAreFoundByNameAndIndex) {
  testing::FormWorld world;
  auto& search = world.form.add<CommandButton>("CMD", 0);
  auto& add = world.form.add<CommandButton>("CMD", 1);
  auto& field = world.form.add<TextBox>("KCNTCD");

  EXPECT_EQ(world.form.find("CMD", 1), &add);
  EXPECT_EQ(world.form.find("CMD", 0), &search);
  EXPECT_EQ(world.form.find("CMD", 2), nullptr);
  EXPECT_EQ(world.form.find("KCNTCD"), &field);
  EXPECT_EQ(world.form.find("NONE"), nullptr);
  EXPECT_EQ(&world.form.get<CommandButton>("CMD", 1), &add);
  EXPECT_TRUE(add.isArrayMember());
  EXPECT_FALSE(field.isArrayMember());
  EXPECT_EQ(add.form(), &world.form);
}

TEST(ControlArrays, WrongKindOrMissingControlIsAnError) {
  testing::FormWorld world;
  world.form.add<CommandButton>("CMD", 0);
  world.form.add<TextBox>("KCNTCD");

  EXPECT_THROW(world.form.get<TextBox>("CMD", 0), UiError);
  EXPECT_THROW(world.form.get<Label>("KCNTCD"), UiError);
  EXPECT_THROW(world.form.get<TextBox>("ATKCD"), UiError);
  EXPECT_THROW(world.form.get<CommandButton>("CMD", 5), UiError);
}

TEST(ControlArrays, DuplicateNameAndIndexIsAnError) {
  testing::FormWorld world;
  world.form.add<Label>("tit_KOUMOKU", 7);
  world.form.add<Label>("tit_KOUMOKU", 8);
  world.form.add<TextBox>("KCNTCD");

  EXPECT_THROW(world.form.add<Label>("tit_KOUMOKU", 7), UiError);
  EXPECT_THROW(world.form.add<TextBox>("KCNTCD"), UiError);
  EXPECT_EQ(world.form.controls().size(), 3u);
  expectConsistentTabIndexes(world.form);
}

}  // namespace
}  // namespace platform::ui
