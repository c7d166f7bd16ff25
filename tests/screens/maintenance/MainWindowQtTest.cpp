// The main window on real Qt widgets: key and mouse events go through the toolkit's key preview into the
// control model, the framework's handlers run, and the widgets show what the model then holds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "config/SettingsReader.h"
#include "framework/FieldNavigation.h"
#include "framework/WindowStyle.h"
#include "platform/qt/QtToolkit.h"
#include "platform/text/CodePage.h"
#include "platform/ui/TextBox.h"
#include "program/Program.h"
#include "screens/maintenance/MaintenanceScreen.h"
#include "tests/platform/qt/ModalAnswer.h"
#include "tests/support/MaintenanceWorld.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using platform::ui::TextBox;

// The demo settings: TextBackColor &H00FFFFFF, TextFocusColor &H0080FFFF (blue-green-red), TextForeColor black.
const QColor FieldBack(255, 255, 255);
const QColor FieldFocus(255, 255, 128);
const QColor FieldText(0, 0, 0);

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// How many pixels of an image have exactly this colour.
int pixelsOf(const QImage& image, const QColor& color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y).rgb() == color.rgb() ? 1 : 0;
  }
  return count;
}

class MainWindowOnQt : public ::testing::Test {
 protected:
  // The start-up's part in the window, on the demo database: the demo settings file as it is deployed (CP932, two
  // folders above the program), the window created and current, styled, then opened as the start-up opens it.
  void SetUp() override {
    const test::TestFolder folder;
    folder.write("EDI.ini", platform::utf8ToCp932(readFile(test::sourceFolder() / "config" / "demo" / "EDI.ini")));
    LoadSettings((folder.path() / "EDI" / "MNT4820").string(), program.settings);
    maintenance.emplace(program);
    ApplyWindowStyle(program.screen, program.settings);
    test::openMainWindow(*maintenance, {"", database->user(), database->password(), database->dsn()});
    QWidget* window = toolkit.windowOf(form());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }

  void TearDown() override {
    maintenance.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // An untrapped error ended the program: Qt runs nested loops again only after the main loop has run.
    if (toolkit.isEnding()) {
      QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
      QCoreApplication::exec();
    }
  }

  platform::ui::Form& form() const { return *maintenance->window.form; }
  const F_MNT4820& window() const { return maintenance->window; }
  QLineEdit* edit(TextBox& field) const { return qobject_cast<QLineEdit*>(toolkit.widgetOf(field)); }
  QColor background(TextBox& field) const { return edit(field)->palette().color(QPalette::Active, QPalette::Base); }

  // Keys go where the keyboard would send them: to the widget that has the Qt focus.
  QWidget* focused() const {
    QWidget* widget = QApplication::focusWidget();
    return widget != nullptr ? widget : toolkit.windowOf(form());
  }
  void typeAscii(const char* text) { QTest::keyClicks(focused(), QString::fromLatin1(text)); }
  // One key event per character, as a keyboard layout or an input method without composition sends it.
  void typeCharacters(const std::string& utf8) {
    for (const char32_t c : QString::fromStdString(utf8).toUcs4()) {
      QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
    }
  }

  // The model's text and the line edit's text of a field, which must always agree.
  void expectText(TextBox& field, const std::string& expected) const {
    EXPECT_EQ(field.text(), expected) << field.name();
    EXPECT_EQ(edit(field)->text().toStdString(), expected) << field.name() << " as shown";
  }

  std::optional<test::TestDatabase> database = test::TestDatabase::create(test::Engine::Sqlite, true);
  platform::qt::QtToolkit toolkit{mnt4820::ProgramTitle};
  platform::ui::Application application{toolkit};
  Program program{application};
  std::optional<MaintenanceScreen> maintenance;
  // No step here shows a message: one that does is an error report, which would otherwise wait forever.
  ModalAnswer unexpectedMessage{[](QMessageBox& box) {
    ADD_FAILURE() << "message box: " << box.text().toStdString();
    box.done(QMessageBox::Ok);
  }};
};

TEST_F(MainWindowOnQt, TheKeyFieldHasTheFocusInTheModelAndInQtPaintedInTheFocusColour) {
  ASSERT_EQ(form().activeControl(), &window().KCNTCD);
  EXPECT_EQ(QApplication::focusWidget(), edit(window().KCNTCD));
  EXPECT_TRUE(edit(window().KCNTCD)->hasFocus());
  EXPECT_EQ(background(window().KCNTCD), FieldFocus);
  EXPECT_EQ(background(window().CNTCD), FieldBack);
  EXPECT_EQ(background(window().ATKCD), FieldBack);
  EXPECT_EQ(edit(window().KCNTCD)->palette().color(QPalette::Active, QPalette::Text), FieldText);
}

TEST_F(MainWindowOnQt, TypedKeysPassTheCodeFieldFilter) {
  typeAscii("c0,1'x");
  expectText(window().KCNTCD, "C01X");
  EXPECT_EQ(edit(window().KCNTCD)->cursorPosition(), 4);
  // Double-byte characters pass a "2U" field unchanged.
  typeCharacters("ａＡ");
  expectText(window().KCNTCD, "C01XａＡ");
  // A character with no CP932 code could never be stored: refused, and nothing else changes.
  typeCharacters("🙂");
  expectText(window().KCNTCD, "C01XａＡ");
  EXPECT_EQ(edit(window().KCNTCD)->cursorPosition(), 6);
}

TEST_F(MainWindowOnQt, PastedAndCommittedTextPassesTheFilterCharacterByCharacter) {
  QGuiApplication::clipboard()->setText("ab,c");
  QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
  expectText(window().KCNTCD, "ABC");
  QInputMethodEvent commit;
  commit.setCommitString("d,e");
  QApplication::sendEvent(edit(window().KCNTCD), &commit);
  expectText(window().KCNTCD, "ABCDE");
  EXPECT_EQ(edit(window().KCNTCD)->cursorPosition(), 5);
}

TEST_F(MainWindowOnQt, TypingBeyondTwelveBytesIsCutWhenTheKeyIsReleased) {
  // MaxLength counts characters: the seventh full-width character goes in, and its release cuts the field
  // back to twelve CP932 bytes, caret at the end, on the screen as in the model.
  typeCharacters("ＡＢＣＤＥＦＧ");
  expectText(window().KCNTCD, "ＡＢＣＤＥＦ");
  EXPECT_EQ(edit(window().KCNTCD)->cursorPosition(), 6);
}

TEST_F(MainWindowOnQt, AFullCenterCodeLeavesForThePartnerCodeInTheModelAndInQt) {
  window().ATKCD.setText("P001");
  program.screen.ScreenArea = Area::Body;
  EnableFieldsForArea(program.screen, program.screen.ScreenArea);
  QLineEdit* center = edit(window().CNTCD);
  QTest::mouseClick(center, Qt::LeftButton, {}, center->rect().center());
  ASSERT_EQ(form().activeControl(), &window().CNTCD);
  ASSERT_EQ(QApplication::focusWidget(), center);
  EXPECT_EQ(background(window().CNTCD), FieldFocus);
  EXPECT_EQ(background(window().KCNTCD), FieldBack);

  typeAscii("abcdefghijk");
  expectText(window().CNTCD, "ABCDEFGHIJK");
  EXPECT_EQ(form().activeControl(), &window().CNTCD) << "eleven characters are not full";
  typeAscii("l");
  expectText(window().CNTCD, "ABCDEFGHIJKL");
  ASSERT_EQ(form().activeControl(), &window().ATKCD);
  EXPECT_EQ(QApplication::focusWidget(), edit(window().ATKCD));
  EXPECT_EQ(background(window().CNTCD), FieldBack);
  EXPECT_EQ(background(window().ATKCD), FieldFocus);
  // Entered with its text wholly selected, in the model and on the screen.
  EXPECT_EQ(window().ATKCD.selStart(), 0);
  EXPECT_EQ(window().ATKCD.selLength(), 4);
  EXPECT_EQ(edit(window().ATKCD)->selectedText(), QString("P001"));
  // The next key replaces the selection.
  typeAscii("q");
  expectText(window().ATKCD, "Q");
}

TEST_F(MainWindowOnQt, FieldsOutsideTheActiveAreaAreDisabledAndGreyed) {
  window().CNTCD.setText("■■■■");
  EnableFieldsForArea(program.screen, Area::Body);
  QLineEdit* center = edit(window().CNTCD);
  ASSERT_TRUE(center->isEnabled());
  const QImage enabled = center->grab().toImage();
  EXPECT_GT(pixelsOf(enabled, FieldText), 0) << "enabled text drawn in TextForeColor";

  EnableFieldsForArea(program.screen, Area::Head);
  EXPECT_FALSE(center->isEnabled());
  EXPECT_FALSE(edit(window().ATKCD)->isEnabled());
  EXPECT_TRUE(edit(window().KCNTCD)->isEnabled());
  const QColor greyed = center->palette().color(QPalette::Disabled, QPalette::Text);
  EXPECT_EQ(greyed, QApplication::palette().color(QPalette::Disabled, QPalette::Text));
  EXPECT_NE(greyed, FieldText);
  EXPECT_EQ(center->palette().color(QPalette::Disabled, QPalette::Base), FieldBack);
  const QImage disabled = center->grab().toImage();
  EXPECT_GT(pixelsOf(disabled, greyed), 0) << "disabled text drawn in the greyed colour";
  EXPECT_EQ(pixelsOf(disabled, FieldText), 0) << "no text left in TextForeColor";
  // Typing reaches only the field that has the focus, which is still the key field.
  typeAscii("z");
  expectText(window().CNTCD, "■■■■");
  expectText(window().KCNTCD, "Z");
}

}  // namespace
}  // namespace mnt4820
