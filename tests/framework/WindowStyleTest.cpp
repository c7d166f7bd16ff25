// Styling a window from the settings, and centring it on the screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "FrameworkWorld.h"
#include "config/SettingsReader.h"
#include "framework/WindowStyle.h"
#include "platform/text/CodePage.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "screens/maintenance/MainWindowDesign.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using platform::ui::Color;
using platform::ui::Control;
using platform::ui::Font;
using platform::ui::Label;
using platform::ui::TextBox;

constexpr Color SystemWindowText = static_cast<Color>(0x80000008u);

// Three looks that differ in every property.
Settings distinctLooks() {
  Settings s;
  s.FormBackColor = "&H00C0C0C0";
  s.Text.BackColor = 0xFFFFFF;
  s.Text.ForeColor = 0x000001;
  s.Text.FontBold = "False";
  s.Text.FontItalic = "True";
  s.Text.FontName = "ＭＳ ゴシック";
  s.Text.FontSize = "12";
  s.Text.FontStrikethru = "0";
  s.Text.FontUnderline = "-1";
  s.Label.BackColor = static_cast<double>(SystemWindowText);
  s.Label.ForeColor = 0x000002;
  s.Label.FontBold = "true";
  s.Label.FontItalic = "FALSE";
  s.Label.FontName = "ＭＳ 明朝";
  s.Label.FontSize = "11.25";
  s.Label.FontStrikethru = "1";
  s.Label.FontUnderline = " False ";
  s.Title.BackColor = 0x808080;
  s.Title.ForeColor = 0xFFFFC0;
  s.Title.FontBold = "True";
  s.Title.FontItalic = "True";
  s.Title.FontName = "IPAGothic";
  s.Title.FontSize = "14";
  s.Title.FontStrikethru = "False";
  s.Title.FontUnderline = "True";
  return s;
}

struct Look {
  Color back;
  Color fore;
  Font font;
  bool operator==(const Look&) const = default;
};

const Look TextLook{0xFFFFFF, 0x000001, {"ＭＳ ゴシック", 12.0, false, true, true, false}};
const Look LabelLook{SystemWindowText, 0x000002, {"ＭＳ 明朝", 11.25, true, false, false, true}};
const Look TitleLook{0x808080, 0xFFFFC0, {"IPAGothic", 14.0, true, true, true, false}};
const Look Design{0x123456, 0x654321, {"Design", 9.0, false, false, false, false}};

Look lookOf(const Control& c) { return {c.backColor(), c.foreColor(), c.font()}; }

void giveDesign(Control& c) {
  c.setBackColor(Design.back);
  c.setForeColor(Design.fore);
  c.setFont(Design.font);
}

class Styling : public ::testing::Test {
 protected:
  void SetUp() override {
    world.settings = distinctLooks();
    for (const Named& n : controls) giveDesign(n.control);
  }

  struct Named {
    Control& control;
    const Look& expected;
  };

  test::FrameworkWorld world;
  platform::ui::Form& form = world.form;
  const Named controls[13] = {
      {form.add<TextBox>("KCNTCD"), TextLook},
      {form.add<Label>("lbl_NAME"), LabelLook},
      {form.add<Label>("OPR_TITLE"), LabelLook},
      {form.add<Label>("tit_KOUMOKU", 0), TitleLook},
      {form.add<Label>("tit_KOUMOKU", 7), TitleLook},
      {form.add<Label>("SEARCH_KBN"), Design},
      {form.add<Label>(" lbl_X"), Design},
      {form.add<Label>("LBL_Y"), Design},
      {form.add<Label>("lbl"), Design},
      {form.add<Label>("Tit_Z"), Design},
      {form.add<TextBox>("any name"), TextLook},
      {form.add<platform::ui::CommandButton>("lbl_CMD"), Design},
      {form.add<platform::ui::ListGrid>("GRID"), Design},
  };
};

TEST_F(Styling, LooksByControlKindAndNamePrefix) {
  ApplyWindowStyle(world.screen, world.settings);
  EXPECT_EQ(form.backColor(), 0xC0C0C0);
  for (const Named& n : controls) EXPECT_EQ(lookOf(n.control), n.expected) << "'" << n.control.name() << "'";
}

TEST_F(Styling, LoadsTheWindowSoThatItsLoadHandlerRuns) {
  int loads = 0;
  form.onLoad = [&loads] { ++loads; };
  ApplyWindowStyle(world.screen, world.settings);
  EXPECT_TRUE(form.isLoaded());
  EXPECT_EQ(loads, 1);
}

TEST_F(Styling, FormBackColorIsConvertedFromItsText) {
  const std::pair<const char*, Color> cases[] = {
      {"&H00C0C0C0", 0xC0C0C0},
      {"12632256", 0xC0C0C0},
      {" 255 ", 0xFF},
      {"&H8000000F", static_cast<Color>(0x8000000Fu)},
  };
  for (const auto& [text, color] : cases) {
    SCOPED_TRACE(text);
    world.settings.FormBackColor = text;
    ApplyWindowStyle(world.screen, world.settings);
    EXPECT_EQ(form.backColor(), color);
  }
}

// A value that does not apply stops the styling there; what was styled before stays.
TEST_F(Styling, AValueThatDoesNotApplyIsAStylingError) {
  struct Case {
    const char* what;
    std::function<void(Settings&)> spoil;
    const char* key;
    // How far the text box KCNTCD (the first control) got: its back colour, bold and size as styled or designed.
    bool textBoxBackStyled;
    bool textBoxSizeStyled;
  };
  const Case cases[] = {
      {"FormBackColor not a number", [](Settings& s) { s.FormBackColor = "abc"; }, "FormBackColor", false, false},
      {"FormBackColor empty", [](Settings& s) { s.FormBackColor = ""; }, "FormBackColor", false, false},
      {"FormBackColor too large", [](Settings& s) { s.FormBackColor = "99999999999"; }, "FormBackColor", false, false},
      {"a text font size that is no number", [](Settings& s) { s.Text.FontSize = "big"; }, "TextFontSize", true, false},
      {"an empty text font size", [](Settings& s) { s.Text.FontSize = ""; }, "TextFontSize", true, false},
      {"a font size the control refuses", [](Settings& s) { s.Text.FontSize = "0"; }, "TextFontSize", true, false},
      {"a text font bold that is no boolean", [](Settings& s) { s.Text.FontBold = "yes"; }, "TextFontBold", true,
       false},
      {"an empty text font underline", [](Settings& s) { s.Text.FontUnderline = ""; }, "TextFontUnderline", true, true},
      {"a text colour out of range", [](Settings& s) { s.Text.ForeColor = 3e9; }, "TextForeColor", true, true},
      {"an empty label font italic", [](Settings& s) { s.Label.FontItalic = ""; }, "LabelFontItalic", true, true},
      {"a title font strikethrough that is no boolean", [](Settings& s) { s.Title.FontStrikethru = "x"; },
       "TitleFontStrikethru", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const Named& n : controls) giveDesign(n.control);
    form.setBackColor(0x111111);
    Settings s = distinctLooks();
    c.spoil(s);
    try {
      ApplyWindowStyle(world.screen, s);
      ADD_FAILURE() << "no styling error";
    } catch (const WindowStyleError& e) {
      EXPECT_NE(std::string(e.what()).find(c.key), std::string::npos) << e.what();
    }
    Control& box = controls[0].control;
    EXPECT_EQ(box.backColor(), c.textBoxBackStyled ? TextLook.back : Design.back);
    EXPECT_EQ(box.font().size, c.textBoxSizeStyled ? TextLook.font.size : Design.font.size);
    EXPECT_EQ(form.backColor(), std::string(c.key) == "FormBackColor" ? 0x111111 : 0xC0C0C0);
  }
}

TEST_F(Styling, LaterControlsAreNotStyledAfterAnError) {
  world.settings.Title.FontSize = "big";
  EXPECT_THROW(ApplyWindowStyle(world.screen, world.settings), WindowStyleError);
  EXPECT_EQ(lookOf(controls[2].control), LabelLook) << "before the error";
  EXPECT_EQ(lookOf(controls[10].control), Design) << "after it, in collection order";
}

TEST_F(Styling, UnusedLooksNeedNotConvert) {
  // A window without title labels does not read the Title font texts.
  test::FrameworkWorld plain;
  plain.form.add<TextBox>("F0");
  plain.settings = distinctLooks();
  plain.settings.Title.FontSize = "";
  EXPECT_NO_THROW(ApplyWindowStyle(plain.screen, plain.settings));
}

TEST(DemoSettings, StyleTheMainWindowWithoutError) {
  test::TestFolder folder;
  const std::string demo = platform::odbc::test::readTextFile(test::sourceFolder() / "config" / "demo" / "EDI.ini");
  ASSERT_FALSE(demo.empty());
  folder.write("EDI.ini", platform::utf8ToCp932(demo));
  Settings settings;
  LoadSettings((folder.path() / "EDI" / "MNT4820").string(), settings);

  platform::ui::HeadlessToolkit toolkit;
  platform::ui::Application application{toolkit};
  const F_MNT4820 design = createMainWindowDesign(application);
  platform::ui::Form* window = design.form.get();
  ScreenState screen;
  screen.CurrentForm = window;
  ASSERT_NO_THROW(ApplyWindowStyle(screen, settings));

  EXPECT_EQ(window->backColor(), 0xC0C0C0);
  const Control& field = *window->find("KCNTCD");
  EXPECT_EQ(field.backColor(), 0xFFFFFF);
  EXPECT_EQ(field.font(), (Font{"ＭＳ ゴシック", 12.0, false, false, false, false}));
  const Control& title = *window->find("tit_KOUMOKU", 8);
  EXPECT_EQ(title.backColor(), 0x808080);
  EXPECT_EQ(title.foreColor(), 0xFFFFC0);
  EXPECT_EQ(title.font(), (Font{"ＭＳ ゴシック", 11.25, true, false, false, false}));
  EXPECT_EQ(window->find("lbl_PGID")->font().size, 11.25);
  EXPECT_EQ(window->find("SEARCH_KBN")->font(), (Font{"ＭＳ Ｐゴシック", 9.0}));
}

struct CenterCase {
  int screenWidth;
  int screenHeight;
  int width;
  int height;
  int left;
  int top;
};

TEST(CenterWindow, PutsTheWindowInTheMiddleDroppingTheOddHalf) {
  const CenterCase cases[] = {
      {8000, 6000, 6000, 4000, 1000, 1000},    {8000, 6000, 6001, 4000, 999, 1000},
      {8000, 6000, 6001, 4001, 999, 999},      {8000, 6000, 8000, 6000, 0, 0},
      {8000, 6000, 9000, 7000, -500, -500},    {8000, 6000, 8001, 6003, 0, -1},  // truncation toward zero
      {28800, 16200, 11805, 8145, 8497, 4027},
  };
  for (const CenterCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    test::FrameworkWorld world;
    world.toolkit.setScreenSize(c.screenWidth, c.screenHeight);
    world.form.move(123, 456, c.width, c.height);
    CenterWindow(world.form);
    EXPECT_EQ(world.form.geometry(), (platform::ui::Rect{c.left, c.top, c.width, c.height}));
  }
}

}  // namespace
}  // namespace mnt4820
