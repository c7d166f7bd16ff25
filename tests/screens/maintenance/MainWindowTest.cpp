// The main window wired to the framework, after the start-up's styling and screen set-up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/FieldNavigation.h"
#include "framework/WindowStyle.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/HeadlessToolkit.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "screens/maintenance/ScreenStates.h"

namespace mnt4820 {
namespace {

using platform::ui::CommandButton;
using platform::ui::Label;
using platform::ui::TextBox;

constexpr platform::ui::Color FieldBack = 0xFFFFFF;
constexpr platform::ui::Color FieldFocus = 0x80FFFF;
constexpr platform::ui::Color LabelBack = 0xC0C0C0;

Settings demoLikeSettings() {
  Settings s;
  s.FormBackColor = "&H00C0C0C0";
  s.Text.BackColor = FieldBack;
  s.TextFocusColor = FieldFocus;
  s.Label.BackColor = LabelBack;
  s.Title.BackColor = 0x808080;
  s.Title.ForeColor = 0xFFFFC0;
  for (std::string* flag : {&s.Text.FontBold, &s.Text.FontItalic, &s.Text.FontStrikethru, &s.Text.FontUnderline,
                            &s.Label.FontBold, &s.Label.FontItalic, &s.Label.FontStrikethru, &s.Label.FontUnderline,
                            &s.Title.FontItalic, &s.Title.FontStrikethru, &s.Title.FontUnderline}) {
    *flag = "False";
  }
  s.Title.FontBold = "True";
  s.Text.FontName = s.Label.FontName = s.Title.FontName = "ＭＳ ゴシック";
  s.Text.FontSize = "12";
  s.Label.FontSize = s.Title.FontSize = "11.25";
  return s;
}

class MainWindow : public ::testing::Test {
 protected:
  // The start-up's part in the window: created and current, styled (which loads and centres it), set up.
  void SetUp() override {
    program.settings = demoLikeSettings();
    ApplyWindowStyle(program.screen, program.settings);
    InitScreen(maintenance);
    ShowHeader(maintenance);
  }

  platform::ui::Form& form() const { return *window().form; }
  const F_MNT4820& window() const { return maintenance.window; }

  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  Program program{application};
  MaintenanceScreen maintenance{program};
};

TEST_F(MainWindow, TheFieldTableHoldsTheThreeFieldsInTabOrder) {
  const FieldTable& table = program.screen.fields;
  ASSERT_EQ(table.FieldCount, 3);
  const TextBox* const fields[] = {&window().KCNTCD, &window().CNTCD, &window().ATKCD};
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(&table.FieldControls(row), fields[row]) << row;
    EXPECT_EQ(table.FieldAttributes(row), "2U") << row;
    EXPECT_EQ(table.FieldFormats(row), "") << row;
    EXPECT_EQ(table.FieldAreas(row), row == 0 ? Area::Head : Area::Body) << row;
  }
  EXPECT_EQ(window().KCNTCD.tabIndex(), 0);
  EXPECT_EQ(window().CNTCD.tabIndex(), 1);
  EXPECT_EQ(window().ATKCD.tabIndex(), 2);
  EXPECT_EQ(window().GRID.tabIndex(), 3);
}

TEST_F(MainWindow, StartsInTheKeyArea) {
  EXPECT_EQ(program.screen.ScreenArea, Area::Head);
  EXPECT_TRUE(window().KCNTCD.isEnabled());
  EXPECT_FALSE(window().CNTCD.isEnabled());
  EXPECT_FALSE(window().ATKCD.isEnabled());
  EXPECT_TRUE(window().CMD[0].isEnabled());
  EXPECT_TRUE(window().CMD[1].isEnabled());
  EXPECT_FALSE(window().CMD[2].isEnabled());
  EXPECT_TRUE(window().CMD[3].isEnabled());
}

TEST_F(MainWindow, IsStyledClearedAndCentred) {
  EXPECT_EQ(form().backColor(), 0xC0C0C0);
  for (const TextBox* field : {&window().KCNTCD, &window().CNTCD, &window().ATKCD}) {
    EXPECT_EQ(field->text(), "") << field->name();
    EXPECT_EQ(field->backColor(), FieldBack) << field->name();
  }
  EXPECT_EQ(window().lbl_CNTNM.caption(), "");
  EXPECT_EQ(window().lbl_KCNTNM.caption(), "");
  EXPECT_EQ(window().lbl_PGID.caption(), "SCR48201");
  EXPECT_EQ(window().lbl_PGID.backColor(), LabelBack);
  EXPECT_EQ(window().tit_KOUMOKU[0].caption(), "ｾﾝﾀｰｺｰﾄﾞ");
  // The headless screen is 28800 x 16200 twips.
  EXPECT_EQ(form().geometry(), (platform::ui::Rect{(28800 - 11805) / 2, (16200 - 8145) / 2, 11805, 8145}));
}

TEST_F(MainWindow, TheFirstFieldTakesTheFocusPaintedAndSelected) {
  window().KCNTCD.setText("ab12");
  form().show();
  ASSERT_EQ(form().activeControl(), &window().KCNTCD);
  EXPECT_EQ(window().KCNTCD.backColor(), FieldFocus);
  EXPECT_EQ(window().KCNTCD.selStart(), 0);
  EXPECT_EQ(window().KCNTCD.selLength(), 4);
}

TEST_F(MainWindow, TypingIsFilteredAndFolded) {
  form().show();
  form().typeText("a'b,c\"1");
  EXPECT_EQ(window().KCNTCD.text(), "ABC1");
  form().inputText("x,y");
  EXPECT_EQ(window().KCNTCD.text(), "ABC1XY");
}

TEST_F(MainWindow, AFullFieldIsLeftForTheNextEnabledField) {
  EnableFieldsForArea(program.screen, Area::Body);
  form().show();
  window().CNTCD.setFocus();
  form().typeText("abcdefghijk");
  EXPECT_EQ(form().activeControl(), &window().CNTCD);
  form().typeText("l");
  EXPECT_EQ(window().CNTCD.text(), "ABCDEFGHIJKL");
  ASSERT_EQ(form().activeControl(), &window().ATKCD);
  EXPECT_EQ(window().CNTCD.backColor(), FieldBack);
  EXPECT_EQ(window().ATKCD.backColor(), FieldFocus);
}

TEST_F(MainWindow, AFullFieldWithNoOtherEnabledFieldKeepsTheFocus) {
  form().show();
  form().typeText("abcdefghijkl");
  EXPECT_EQ(form().activeControl(), &window().KCNTCD);
  EXPECT_EQ(window().KCNTCD.text(), "ABCDEFGHIJKL");
}

TEST_F(MainWindow, TheLastFieldIsNotLeftAutomatically) {
  EnableFieldsForArea(program.screen, Area::Body);
  form().show();
  window().ATKCD.setFocus();
  form().typeText("abcdefghijkl");
  EXPECT_EQ(form().activeControl(), &window().ATKCD);
}

TEST_F(MainWindow, TwelveFullWidthCharactersGoInAndTheFieldCheckCutsThemToTwelveBytes) {
  EnableFieldsForArea(program.screen, Area::Body);
  form().show();
  window().CNTCD.setFocus();
  // MaxLength 12 counts characters. An input method commits them at once, so no released key cuts them.
  form().inputText("ＡＢＣＤＥＦＧＨＩＪＫＬ");
  EXPECT_EQ(window().CNTCD.text(), "ＡＢＣＤＥＦＧＨＩＪＫＬ");
  // Enter's field check formats the value first: no format, so it is cut to MaxLength bytes.
  form().pressKey(platform::ui::key::Enter, 0);
  EXPECT_EQ(window().CNTCD.text(), "ＡＢＣＤＥＦ");
}

}  // namespace
}  // namespace mnt4820
