// The keystroke filter of the fields, driven through the control model's key-press path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkWorld.h"
#include "framework/KB_CHK.h"
#include "platform/ui/ListGrid.h"

namespace mnt4820 {
namespace {

using platform::ui::Form;
using platform::ui::TextBox;

class KeystrokeFilter : public ::testing::Test {
 protected:
  void SetUp() override {
    for (TextBox* box : {&field, &other})
      box->onKeyPress = [this](std::int16_t& code) { FilterKeystroke(world.screen, code); };
    world.form.show();
    field.setFocus();
  }

  void useAttribute(const std::string& code) { world.screen.fields.FieldAttributes(0) = code; }

  // The code the filter hands back for a code typed into the field.
  std::int16_t filtered(std::int16_t code) {
    FilterKeystroke(world.screen, code);
    return code;
  }

  test::FrameworkWorld world;
  TextBox& field = world.addField("FIELD");
  TextBox& other = world.addField("OTHER");
};

// One typed character in an empty field, for every attribute code.
const std::vector<std::string> Typed = {"a", "z", "A", "Z", "0", "9", "'",  "\"", ",",  "-",  ".",
                                        "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "한", "😀"};

struct CodeCase {
  const char* code;
  std::vector<std::string> inserted;  // what goes into the field for each of `Typed`, in that order
};

const CodeCase CodeCases[] = {
    //                 a    z    A    Z    0    9    '     "     ,    -    .    /    :    sp   +    ｱ    ﾟ    あ    １
    //                 Ａ    한   😀
    {"1", {"a", "z", "A", "Z", "0", "9", "'",  "\"", ",",  "-",  ".",
           "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "한", "😀"}},
    {"1U", {"a", "z", "A", "Z", "0", "9", "'",  "\"", ",",  "-",  ".",
            "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "한", "😀"}},
    {"2", {"a", "z", "A", "Z", "0", "9", "", "", "", "-", ".", "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "", ""}},
    {"2U",
     {"A", "Z", "A", "Z", "0", "9", "", "", "", "-", ".", "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "", ""}},
    {"2L",
     {"a", "z", "a", "z", "0", "9", "", "", "", "-", ".", "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "", ""}},
    {"2XU",
     {"A", "Z", "A", "Z", "0", "9", "", "", "", "-", ".", "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "", ""}},
    {"3", {"", "", "", "", "0", "9", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}},
    {"4", {"", "", "", "", "0", "9", "", "", "", "-", "", "", "", "", "", "", "", "", "", "", "", ""}},
    {"5", {"", "", "", "", "0", "9", "", "", "", "", ".", "", "", "", "", "", "", "", "", "", "", ""}},
    {"6", {"", "", "", "", "0", "9", "", "", ",", "", "", "", "", "", "", "", "", "", "", "", "", ""}},
    {"7", {"", "", "", "", "0", "9", "", "", "", "-", ".", "", "", "", "", "", "", "", "", "", "", ""}},
    {"8", {"", "", "", "", "0", "9", "", "", ",", "-", "", "", "", "", "", "", "", "", "", "", "", ""}},
    {"9", {"", "", "", "", "0", "9", "", "", ",", "", ".", "", "", "", "", "", "", "", "", "", "", ""}},
    {"A", {"", "", "", "", "0", "9", "", "", ",", "-", ".", "", "", "", "", "", "", "", "", "", "", ""}},
    {"B", {"", "", "", "", "0", "9", "", "", "", "", "", "/", "", "", "", "", "", "", "", "", "", ""}},
    {"C", {"", "", "", "", "0", "9", "", "", "", "", "", "", ":", "", "", "", "", "", "", "", "", ""}},
    {"D", {"", "", "", "", "0", "9", "", "", "", "", "", "/", ":", "", "", "", "", "", "", "", "", ""}},
    // Codes outside the table let every representable character through; a numeric code takes no suffix.
    {"3U",
     {"a", "z", "A", "Z", "0", "9", "'", "\"", ",", "-", ".", "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "", ""}},
    {"E",
     {"a", "z", "A", "Z", "0", "9", "'", "\"", ",", "-", ".", "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "", ""}},
    {"U",
     {"a", "z", "A", "Z", "0", "9", "'", "\"", ",", "-", ".", "/", ":", " ", "+", "ｱ", "ﾟ", "あ", "１", "Ａ", "", ""}},
};

TEST_F(KeystrokeFilter, LetsThroughFoldsOrDropsEachCharacterByTheAttributeCode) {
  for (const CodeCase& c : CodeCases) {
    ASSERT_EQ(c.inserted.size(), Typed.size()) << c.code;
    for (std::size_t i = 0; i < Typed.size(); ++i) {
      SCOPED_TRACE(std::string("code ") + c.code + ", typed " + Typed[i]);
      useAttribute(c.code);
      field.setText("");
      world.form.typeText(Typed[i]);
      EXPECT_EQ(field.text(), c.inserted[i]);
    }
  }
}

TEST_F(KeystrokeFilter, BackspaceAndEnterPassEveryCode) {
  for (const char* code : {"1", "2", "2U", "2L", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "Z"}) {
    SCOPED_TRACE(code);
    useAttribute(code);
    EXPECT_EQ(filtered(platform::ui::key::Backspace), platform::ui::key::Backspace);
    EXPECT_EQ(filtered(platform::ui::key::Enter), platform::ui::key::Enter);
  }
  useAttribute("3");
  field.setText("12");
  field.setSelStart(2);
  world.form.pressKey(platform::ui::key::Backspace, 0, U'\b');
  EXPECT_EQ(field.text(), "1");
}

TEST_F(KeystrokeFilter, WorksOnTheSignedCodes) {
  const std::int16_t hiraganaA = static_cast<std::int16_t>(0x82A0);
  const std::int16_t halfWidthA = 0xB1;
  struct Case {
    const char* code;
    std::int16_t typed;
    std::int16_t expected;
  };
  const Case cases[] = {
      {"2", hiraganaA, hiraganaA},
      {"2U", hiraganaA, hiraganaA},
      {"2L", hiraganaA, hiraganaA},
      {"2U", halfWidthA, halfWidthA},
      {"3", hiraganaA, 0},
      {"D", hiraganaA, 0},
      {"3", halfWidthA, 0},
      {"2U", 'q', 'Q'},
      {"2L", 'Q', 'q'},
      {"2", 'q', 'q'},
      {"2", 'Q', 'Q'},
      {"2U", '`', '`'},
      {"2U", '{', '{'},
      {"2L", '@', '@'},
      {"2L", '[', '['},
      {"1", Form::UnrepresentableCharCode, Form::UnrepresentableCharCode},
      {"2", Form::UnrepresentableCharCode, 0},
      {"2U", Form::UnrepresentableCharCode, 0},
      {"2L", Form::UnrepresentableCharCode, 0},
      {"Z", Form::UnrepresentableCharCode, 0},
      {"4", Form::UnrepresentableCharCode, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + std::to_string(c.typed));
    useAttribute(c.code);
    EXPECT_EQ(filtered(c.typed), c.expected);
  }
}

TEST_F(KeystrokeFilter, CaseFoldingOverAWord) {
  useAttribute("2U");
  world.form.typeText("ab'c\",d");
  EXPECT_EQ(field.text(), "ABCD");
  field.setText("");
  useAttribute("2L");
  world.form.typeText("ABC");
  EXPECT_EQ(field.text(), "abc");
  field.setText("");
  useAttribute("2");
  world.form.typeText("aBc");
  EXPECT_EQ(field.text(), "aBc");
}

TEST_F(KeystrokeFilter, AnEmptyCodeIsStoredAsTwoAtTheFirstCharacter) {
  useAttribute("");
  world.form.typeText("a'");
  EXPECT_EQ(field.text(), "a");
  EXPECT_EQ(world.screen.fields.FieldAttributes(0), "2");
  EXPECT_EQ(world.screen.fields.FieldAttributes(1), "2") << "the other row keeps its own code";
}

TEST_F(KeystrokeFilter, BackspaceAloneLeavesAnEmptyCodeEmpty) {
  useAttribute("");
  EXPECT_EQ(filtered(platform::ui::key::Backspace), platform::ui::key::Backspace);
  EXPECT_EQ(world.screen.fields.FieldAttributes(0), "");
}

TEST_F(KeystrokeFilter, OneMinusAndOnePointRules) {
  struct Case {
    const char* what;
    const char* code;
    const char* text;
    int selStart;
    int selLength;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      {"a second minus is dropped", "4", "12-3", 4, 0, "-", "12-3"},
      {"the first minus goes in, wherever the caret is", "4", "123", 1, 0, "-", "1-23"},
      {"a minus replaces a wholly selected text without one", "4", "123", 0, 3, "-", "-"},
      {"a selected minus still counts", "4", "-12", 0, 3, "-", "-12"},
      {"a point under code 4 is no sign at all", "4", "12", 2, 0, ".", "12"},
      {"a second point is dropped", "5", "1.5", 3, 0, ".", "1.5"},
      {"the first point goes in", "5", "15", 1, 0, ".", "1.5"},
      {"a selected point still counts", "5", "1.5", 1, 1, ".", "1.5"},
      {"code 7: a minus before a number with a point", "7", "1.5", 0, 0, "-", "-1.5"},
      {"code 7: a second minus is dropped", "7", "-1.5", 4, 0, "-", "-1.5"},
      {"code 7: a second point is dropped", "7", "-1.5", 4, 0, ".", "-1.5"},
      {"code 8: the comma is not limited", "8", "1,000", 5, 0, ",", "1,000,"},
      {"code 8: one minus", "8", "-1,000", 6, 0, "-", "-1,000"},
      {"code 9: one point, many commas", "9", "1,000.5", 7, 0, ".", "1,000.5"},
      {"code A: one point", "A", "-1,000.5", 8, 0, ".", "-1,000.5"},
      {"code A: one minus", "A", "-1,000.5", 8, 0, "-", "-1,000.5"},
      {"code A: the first minus", "A", "1,000.5", 0, 0, "-", "-1,000.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    useAttribute(c.code);
    field.setText(c.text);
    field.setSelStart(c.selStart);
    field.setSelLength(c.selLength);
    world.form.typeText(c.typed);
    EXPECT_EQ(field.text(), c.expected);
  }
}

TEST_F(KeystrokeFilter, TheSignRulesCalledDirectly) {
  std::int16_t code = '-';
  field.setText("1-");
  AllowOneMinus(world.screen, code);
  EXPECT_EQ(code, 0);
  code = '-';
  field.setText("1.");
  AllowOneMinus(world.screen, code);
  EXPECT_EQ(code, '-');
  code = '.';
  AllowOnePoint(world.screen, code);
  EXPECT_EQ(code, 0);
  code = '.';
  field.setText("1-");
  AllowOnePoint(world.screen, code);
  EXPECT_EQ(code, '.');
}

TEST_F(KeystrokeFilter, PastedAndInputMethodTextPassesCharacterByCharacter) {
  useAttribute("3");
  world.form.inputText("12a３4-");
  EXPECT_EQ(field.text(), "124");
  field.setText("");
  useAttribute("2U");
  world.form.inputText("ab'c,あ한");
  EXPECT_EQ(field.text(), "ABCあ");
  field.setText("");
  useAttribute("4");
  world.toolkit.setClipboardText("-1-2");
  world.form.pressKey('V', platform::ui::shift::Ctrl);
  EXPECT_EQ(field.text(), "-12");
}

TEST_F(KeystrokeFilter, FiltersByTheRowOfTheFieldThatHasTheFocus) {
  useAttribute("3");
  world.screen.fields.FieldAttributes(1) = "2U";
  other.setFocus();
  world.form.typeText("a1");
  EXPECT_EQ(other.text(), "A1");
  field.setFocus();
  world.form.typeText("a1");
  EXPECT_EQ(field.text(), "1");
}

TEST_F(KeystrokeFilter, AControlOutsideTheTableIsAWiringFault) {
  auto& grid = world.form.add<platform::ui::ListGrid>("GRID");
  grid.setFocus();
  std::int16_t code = 'a';
  EXPECT_THROW(FilterKeystroke(world.screen, code), FieldTableError);
}

}  // namespace
}  // namespace mnt4820
