// Counting and clearing the fields of a window.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "FrameworkWorld.h"
#include "framework/ClearScreen.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"

namespace mnt4820 {
namespace {

using platform::ui::Label;
using platform::ui::TextBox;

class Clearing : public ::testing::Test {
 protected:
  Label& label(const std::string& name, const std::string& caption) {
    auto& l = world.form.add<Label>(name);
    l.setCaption(caption);
    return l;
  }
  TextBox& box(const std::string& name, const std::string& text) {
    auto& b = world.form.add<TextBox>(name);
    b.setText(text);
    return b;
  }

  test::FrameworkWorld world;
};

TEST_F(Clearing, CountsAndEmptiesTextBoxesAndEmptiesLblLabels) {
  TextBox& a = box("KCNTCD", "A1");
  TextBox& b = box("CNTCD", "あいう");
  auto& button = world.form.add<platform::ui::CommandButton>("CMD", 0);
  button.setCaption("検索(&F)");
  TextBox& c = box("ATKCD", " ");

  struct LabelCase {
    const char* name;
    bool emptied;
  };
  const LabelCase labels[] = {
      {"lbl_NAME", true}, {" lbl_X", true},      {"lbl_Y ", true},  {"lbl_", true},
      {"lbl", false},     {"LBL_Z", false},      {"Lbl_Z", false},  {"tit_KOUMOKU", false},
      {"OPR_A", false},   {"SEARCH_KBN", false}, {"x lbl_", false},
  };
  for (const LabelCase& l : labels) label(l.name, "caption");

  ClearScreen(world.screen);

  EXPECT_EQ(world.screen.fields.FieldCount, 3);
  EXPECT_EQ(a.text(), "");
  EXPECT_EQ(b.text(), "");
  EXPECT_EQ(c.text(), "");
  EXPECT_EQ(button.caption(), "検索(&F)");
  for (const LabelCase& l : labels) {
    EXPECT_EQ(world.form.get<Label>(l.name).caption(), l.emptied ? "" : "caption") << "'" << l.name << "'";
  }
}

TEST_F(Clearing, RecountsOnEveryCallAndLeavesTheColumnsAlone) {
  box("F0", "x");
  box("F1", "y");
  world.screen.fields.FieldCount = 2;
  world.screen.fields.setRows(
      {{&world.form.get<TextBox>("F0"), "", "2U", Area::Head}, {&world.form.get<TextBox>("F1"), "", "3", Area::Body}});
  world.screen.fields.FieldCount = 7;
  ClearScreen(world.screen);
  EXPECT_EQ(world.screen.fields.FieldCount, 2);
  ClearScreen(world.screen);
  EXPECT_EQ(world.screen.fields.FieldCount, 2);
  EXPECT_EQ(world.screen.fields.FieldAttributes(0), "2U");
  EXPECT_EQ(world.screen.fields.FieldAttributes(1), "3");
}

TEST_F(Clearing, AWindowWithoutFieldsCountsNone) {
  label("lbl_A", "x");
  ClearScreen(world.screen);
  EXPECT_EQ(world.screen.fields.FieldCount, 0);
  EXPECT_EQ(world.form.get<Label>("lbl_A").caption(), "");
}

}  // namespace
}  // namespace mnt4820
