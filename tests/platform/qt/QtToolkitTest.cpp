#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ModalAnswer.h"
#include "platform/qt/FontResolver.h"
#include "platform/qt/QtToolkit.h"
#include "platform/ui/Application.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/TextBox.h"

namespace {

using platform::qt::QtToolkit;
using platform::ui::Application;
using platform::ui::CommandButton;
using platform::ui::Control;
using platform::ui::DataControl;
using platform::ui::Form;
using platform::ui::ImeMode;
using platform::ui::Label;
using platform::ui::ListGrid;
using platform::ui::MousePointer;
using platform::ui::TextBox;
namespace key = platform::ui::key;

// After the program has ended, Qt refuses to run event loops until the main loop has run once more; a test that
// ends the program runs it so that the next test has working message boxes and modal forms.
void letEventLoopsRunAgain() {
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

// A window like the maintenance screen: two fields, labels, three buttons with access keys, a grid.
class QtToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<Form>(app, "F_TEST");
    form->setKeyPreview(true);
    form->setCaption("テスト画面");
    form->move(1500, 1500, 11805, 4500);
    form->setBackColor(0x00C0C0C0);
    txt1 = &form->add<TextBox>("TXT1");
    txt1->move(1740, 540, 1590, 360);
    txt1->setFontName("ＭＳ ゴシック");
    txt1->setFontSize(12);
    txt2 = &form->add<TextBox>("TXT2");
    txt2->move(240, 1680, 1605, 360);
    title = &form->add<Label>("tit_KOUMOKU", 0);
    title->move(210, 1020, 1500, 360);
    title->setCaption("ｾﾝﾀｰｺｰﾄﾞ");
    name = &form->add<Label>("lbl_NAME");
    name->move(3360, 600, 5625, 315);
    search = &form->add<CommandButton>("CMD", 0);
    search->move(9360, 480, 1275, 315);
    search->setCaption("検索(&F)");
    add = &form->add<CommandButton>("CMD", 1);
    add->move(9360, 1260, 1275, 315);
    add->setCaption("追加（&A）");
    quit = &form->add<CommandButton>("CMD", 2);
    quit->move(9360, 1620, 1275, 315);
    quit->setCaption("終了（&E）");
    grid = &form->add<ListGrid>("GRID");
    grid->move(180, 2100, 9195, 2000);
    data = &form->add<DataControl>("Adodc1");
    txt1->onGotFocus = [this] { events.push_back("TXT1.GotFocus"); };
    txt1->onLostFocus = [this] { events.push_back("TXT1.LostFocus"); };
    txt2->onGotFocus = [this] { events.push_back("TXT2.GotFocus"); };
    txt2->onLostFocus = [this] { events.push_back("TXT2.LostFocus"); };
  }

  void TearDown() override {
    form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void showAndActivate() {
    form->show();
    QWidget* window = toolkit.windowOf(*form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }

  QWidget* widget(const Control& control) const { return toolkit.widgetOf(control); }
  QLineEdit* edit(const TextBox& box) const { return qobject_cast<QLineEdit*>(widget(box)); }
  QWidget* keyTarget() const {
    QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused : toolkit.windowOf(*form);
  }
  // Characters outside ASCII one at a time, as an input method without composition delivers them.
  void typeCharacters(const QString& text) {
    for (const char32_t c : text.toUcs4()) {
      QTest::sendKeyEvent(QTest::Click, keyTarget(), Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
    }
  }

  QtToolkit toolkit{"TOOLKITTEST"};
  Application app{toolkit};
  std::unique_ptr<Form> form;
  TextBox* txt1 = nullptr;
  TextBox* txt2 = nullptr;
  Label* title = nullptr;
  Label* name = nullptr;
  CommandButton* search = nullptr;
  CommandButton* add = nullptr;
  CommandButton* quit = nullptr;
  ListGrid* grid = nullptr;
  DataControl* data = nullptr;
  std::vector<std::string> events;
};

// ---- Windows and widgets ----

TEST_F(QtToolkitTest, ShowCreatesOneWidgetPerControlOfTheRightKind) {
  showAndActivate();
  EXPECT_NE(qobject_cast<QLineEdit*>(widget(*txt1)), nullptr);
  EXPECT_NE(qobject_cast<QLabel*>(widget(*title)), nullptr);
  auto* button = qobject_cast<QPushButton*>(widget(*add));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QString("追加（&A）")) << "the '&' stays so that the access key is underlined";
  ASSERT_NE(widget(*grid), nullptr);
  EXPECT_NE(widget(*grid)->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(widget(*data), nullptr) << "the data control has no face";
  EXPECT_EQ(toolkit.windowOf(*form)->windowTitle(), QString("テスト画面"));
  EXPECT_EQ(qobject_cast<QLabel*>(widget(*title))->text(), QString("ｾﾝﾀｰｺｰﾄﾞ"));
}

TEST_F(QtToolkitTest, TwipsBecomePixelsAtTheScreenResolution) {
  showAndActivate();
  ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchX(), 96.0) << "offscreen screen assumed at 96 dpi";
  EXPECT_EQ(widget(*txt1)->geometry(), QRect(116, 36, 106, 24));
  EXPECT_EQ(widget(*txt2)->geometry(), QRect(16, 112, 107, 24));
  QWidget* window = toolkit.windowOf(*form);
  EXPECT_EQ(window->size(), QSize(787, 300)) << "the form's size is its client area";
  EXPECT_EQ(window->pos(), QPoint(100, 100));
  txt2->move(300, 1500, 3000, 450);
  EXPECT_EQ(widget(*txt2)->geometry(), QRect(20, 100, 200, 30));
  form->move(0, 0, 6000, 3000);
  EXPECT_EQ(window->size(), QSize(400, 200));
  EXPECT_EQ(toolkit.screenWidthTwips(), 800 * 15);
  EXPECT_EQ(toolkit.screenHeightTwips(), QGuiApplication::primaryScreen()->geometry().height() * 15);
}

TEST_F(QtToolkitTest, ColoursAreMirroredIntoThePalette) {
  title->setBackColor(0x00808080);
  title->setForeColor(0x00FFFFC0);
  txt2->setBackColor(0x00FFFF80);
  showAndActivate();
  QWidget* label = widget(*title);
  EXPECT_TRUE(label->autoFillBackground());
  EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::Window), QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(0xC0, 0xFF, 0xFF));
  EXPECT_EQ(widget(*txt2)->palette().color(QPalette::Active, QPalette::Base), QColor(0x80, 0xFF, 0xFF));
  EXPECT_EQ(toolkit.windowOf(*form)->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
  // Default text-box colours are the system's window background and text.
  EXPECT_EQ(widget(*txt1)->palette().color(QPalette::Active, QPalette::Base),
            QApplication::palette().color(QPalette::Active, QPalette::Base));
  // A later change (the focus colour of the framework) is mirrored at once.
  txt1->setBackColor(0x0000FFFF);
  EXPECT_EQ(widget(*txt1)->palette().color(QPalette::Active, QPalette::Base), QColor(0xFF, 0xFF, 0x00));
  txt1->setForeColor(platform::ui::SystemColor::ButtonText);
  EXPECT_EQ(widget(*txt1)->palette().color(QPalette::Active, QPalette::Text),
            QApplication::palette().color(QPalette::Active, QPalette::ButtonText));
}

TEST_F(QtToolkitTest, DisabledTextBoxLooksGreyed) {
  txt2->setForeColor(0x00000000);
  txt2->setEnabled(false);
  showAndActivate();
  QWidget* shown = widget(*txt2);
  EXPECT_FALSE(shown->isEnabled());
  EXPECT_EQ(shown->palette().color(QPalette::Disabled, QPalette::Text),
            QApplication::palette().color(QPalette::Disabled, QPalette::Text));
  EXPECT_NE(shown->palette().color(QPalette::Disabled, QPalette::Text), QColor(0, 0, 0));
  txt2->setEnabled(true);
  EXPECT_TRUE(shown->isEnabled());
}

TEST_F(QtToolkitTest, MissingJapaneseFontFallsBackToAnInstalledOne) {
  showAndActivate();
  const QFont font = widget(*txt1)->font();
  EXPECT_EQ(font.family(), platform::qt::FontResolver::fromFontDatabase().family("ＭＳ ゴシック"));
  EXPECT_TRUE(QFontDatabase::families().contains(font.family()));
  EXPECT_TRUE(QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::Japanese));
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.0);
  txt1->setFontBold(true);
  txt1->setFontUnderline(true);
  EXPECT_TRUE(widget(*txt1)->font().bold());
  EXPECT_TRUE(widget(*txt1)->font().underline());
  EXPECT_FALSE(widget(*txt1)->font().italic());
}

TEST_F(QtToolkitTest, TextBoxPropertiesAreMirrored) {
  showAndActivate();
  QLineEdit* shown = edit(*txt1);
  txt1->setText("ABCDEF");
  EXPECT_EQ(shown->text(), QString("ABCDEF"));
  txt1->setSelStart(1);
  txt1->setSelLength(3);
  EXPECT_EQ(shown->selectionStart(), 1);
  EXPECT_EQ(shown->selectedText(), QString("BCD"));
  txt1->setLocked(true);
  EXPECT_TRUE(shown->isReadOnly());
  txt1->setLocked(false);
  EXPECT_FALSE(shown->isReadOnly());
  // What an input method asks before it composes; the widget attribute alone does not stop it.
  const auto imeEnabled = [](const QLineEdit* line) { return line->inputMethodQuery(Qt::ImEnabled).toBool(); };
  EXPECT_TRUE(imeEnabled(shown));
  txt1->setImeMode(ImeMode::Off);
  EXPECT_FALSE(imeEnabled(shown));
  txt1->setImeMode(ImeMode::On);
  EXPECT_TRUE(imeEnabled(shown));
  txt1->setLocked(true);
  EXPECT_FALSE(imeEnabled(shown));
  txt1->setImeMode(ImeMode::Disable);
  txt1->setLocked(false);
  EXPECT_FALSE(imeEnabled(shown)) << "read-only changes must not turn the IME back on";
  EXPECT_FALSE(shown->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(imeEnabled(edit(*txt2)));
  txt2->setPasswordChar("*");
  EXPECT_EQ(edit(*txt2)->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(imeEnabled(edit(*txt2)));
  txt1->setMaxLength(4);
  txt1->setText("ＡＢＣＤＥＦ");
  EXPECT_EQ(shown->text(), QString("ＡＢＣＤＥＦ")) << "MaxLength limits only typing, and the line edit not at all";
  txt2->setVisible(false);
  EXPECT_FALSE(widget(*txt2)->isVisible());
  name->setCaption("センター名");
  EXPECT_EQ(qobject_cast<QLabel*>(widget(*name))->text(), QString("センター名"));
  form->setCaption("別の題");
  EXPECT_EQ(toolkit.windowOf(*form)->windowTitle(), QString("別の題"));
}

TEST_F(QtToolkitTest, CharacterPositionsCountCodePointsNotUtf16Units) {
  showAndActivate();
  txt1->setText("a𠮷b");
  txt1->setSelStart(2);
  txt1->setSelLength(1);
  QLineEdit* shown = edit(*txt1);
  EXPECT_EQ(shown->selectionStart(), 3);
  EXPECT_EQ(shown->selectedText(), QString("b"));
  // And back: the user selects the surrogate pair with the mouse (here: the widget's own selection call).
  shown->setSelection(1, 2);
  EXPECT_EQ(txt1->selStart(), 1);
  EXPECT_EQ(txt1->selLength(), 1);
  EXPECT_EQ(txt1->selText(), "𠮷");
}

TEST_F(QtToolkitTest, SelectionDirectionFollowsTheModelCaret) {
  showAndActivate();
  txt1->setText("abcdef");
  txt1->moveCaret(4, false);
  txt1->moveCaret(1, true);  // selected leftwards: the caret sits at the start
  QLineEdit* shown = edit(*txt1);
  EXPECT_EQ(shown->selectedText(), QString("bcd"));
  EXPECT_EQ(shown->cursorPosition(), 1);
}

// ---- Keys ----

TEST_F(QtToolkitTest, TypedAsciiAndFullWidthCharactersReachTheModel) {
  showAndActivate();
  ASSERT_EQ(form->activeControl(), txt1);
  ASSERT_EQ(QApplication::focusWidget(), widget(*txt1));
  std::vector<std::int16_t> codes;
  txt1->onKeyPress = [&](std::int16_t& code) { codes.push_back(code); };
  QTest::keyClicks(keyTarget(), "ab1");
  typeCharacters("Ａ漢");
  EXPECT_EQ(txt1->text(), "ab1Ａ漢");
  EXPECT_EQ(edit(*txt1)->text(), QString("ab1Ａ漢"));
  EXPECT_EQ(edit(*txt1)->cursorPosition(), 5);
  EXPECT_EQ(txt1->selStart(), 5);
  ASSERT_EQ(codes.size(), 5U);
  EXPECT_EQ(codes[0], 'a');
  EXPECT_EQ(codes[3], static_cast<std::int16_t>(0x8260)) << "a full-width character arrives as its CP932 code";
  QTest::keyClick(keyTarget(), Qt::Key_Backspace);
  EXPECT_EQ(txt1->text(), "ab1Ａ");
  QTest::keyClick(keyTarget(), Qt::Key_Home);
  QTest::keyClick(keyTarget(), Qt::Key_Delete);
  EXPECT_EQ(txt1->text(), "b1Ａ");
  EXPECT_EQ(edit(*txt1)->text(), QString("b1Ａ"));
  EXPECT_EQ(edit(*txt1)->cursorPosition(), 0);
}

TEST_F(QtToolkitTest, KeyEventsArriveInTheDesktopsOrderWithCodesAndShiftState) {
  showAndActivate();
  form->onKeyDown = [&](std::int16_t& code, std::int16_t shift) {
    events.push_back("Form.KeyDown " + std::to_string(code) + "/" + std::to_string(shift));
  };
  txt1->onKeyDown = [&](std::int16_t& code, std::int16_t shift) {
    events.push_back("TXT1.KeyDown " + std::to_string(code) + "/" + std::to_string(shift));
  };
  form->onKeyPress = [&](std::int16_t& code) { events.push_back("Form.KeyPress " + std::to_string(code)); };
  form->onKeyUp = [&](std::int16_t& code, std::int16_t shift) {
    events.push_back("Form.KeyUp " + std::to_string(code) + "/" + std::to_string(shift));
  };
  txt1->onKeyUp = [&](std::int16_t& code, std::int16_t shift) {
    events.push_back("TXT1.KeyUp " + std::to_string(code) + "/" + std::to_string(shift));
  };
  events.clear();
  QTest::keyClick(keyTarget(), Qt::Key_F5, Qt::ShiftModifier);
  QTest::keyClick(keyTarget(), Qt::Key_Return);
  const std::vector<std::string> expected{
      "Form.KeyDown 16/1", "TXT1.KeyDown 16/1", "Form.KeyDown 116/1", "TXT1.KeyDown 116/1", "Form.KeyUp 116/1",
      "TXT1.KeyUp 116/1",  "Form.KeyUp 16/0",   "TXT1.KeyUp 16/0",    "Form.KeyDown 13/0",  "TXT1.KeyDown 13/0",
      "Form.KeyPress 13",  "Form.KeyUp 13/0",   "TXT1.KeyUp 13/0"};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(txt1->text(), "") << "Enter inserts nothing";
}

TEST_F(QtToolkitTest, FormKeyDownThatClearsTheCodeStopsTheControlsHandler) {
  showAndActivate();
  form->onKeyDown = [](std::int16_t& code, std::int16_t) {
    if (code == key::F2) code = 0;
  };
  std::vector<std::int16_t> seen;
  txt1->onKeyDown = [&](std::int16_t& code, std::int16_t) { seen.push_back(code); };
  QTest::keyClick(keyTarget(), Qt::Key_F2);
  EXPECT_TRUE(seen.empty());
  QTest::keyClick(keyTarget(), Qt::Key_F3);
  EXPECT_EQ(seen, std::vector<std::int16_t>{114});
}

TEST_F(QtToolkitTest, KeyPressThatClearsTheCodeInsertsNothing) {
  showAndActivate();
  form->onKeyPress = [](std::int16_t& code) {
    if (code == 'x') code = 0;
  };
  QTest::keyClicks(keyTarget(), "axb");
  EXPECT_EQ(txt1->text(), "ab");
  EXPECT_EQ(edit(*txt1)->text(), QString("ab"));
}

TEST_F(QtToolkitTest, EnterHandlerMovesTheFocusAndTheWidgetFocusFollows) {
  showAndActivate();
  txt1->onKeyDown = [this](std::int16_t& code, std::int16_t) {
    if (code == key::Enter) txt2->setFocus();
  };
  events.clear();
  QTest::keyClick(keyTarget(), Qt::Key_Return);
  EXPECT_EQ(form->activeControl(), txt2);
  EXPECT_EQ(QApplication::focusWidget(), widget(*txt2));
  EXPECT_EQ(events, (std::vector<std::string>{"TXT1.LostFocus", "TXT2.GotFocus"}));
  QTest::keyClicks(keyTarget(), "9");
  EXPECT_EQ(txt2->text(), "9");
  EXPECT_EQ(txt1->text(), "");
}

TEST_F(QtToolkitTest, TabGoesToTheModelWhichMovesTheFocus) {
  showAndActivate();
  QTest::keyClick(keyTarget(), Qt::Key_Tab);
  EXPECT_EQ(form->activeControl(), txt2);
  EXPECT_EQ(QApplication::focusWidget(), widget(*txt2));
  QTest::keyClick(keyTarget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(form->activeControl(), txt1);
  EXPECT_EQ(QApplication::focusWidget(), widget(*txt1));
}

TEST_F(QtToolkitTest, AltAccessKeyClicksItsButtonOnce) {
  showAndActivate();
  int clicks = 0;
  add->onClick = [&] { ++clicks; };
  std::vector<std::string> formKeys;
  bool swallowAltF = true;
  form->onKeyDown = [&](std::int16_t& code, std::int16_t shift) {
    formKeys.push_back(std::to_string(code) + "/" + std::to_string(shift));
    if (swallowAltF && code == 'F' && shift == platform::ui::shift::Alt) code = 0;
  };
  events.clear();
  QTest::keyClick(keyTarget(), Qt::Key_A, Qt::AltModifier);
  QTest::qWait(300);  // a mnemonic run by Qt would click from a timer
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(formKeys, (std::vector<std::string>{"18/4", "65/4"})) << "the window sees Alt+A before the button acts";
  EXPECT_EQ(form->activeControl(), add);
  EXPECT_EQ(QApplication::focusWidget(), widget(*add));
  EXPECT_EQ(events, std::vector<std::string>{"TXT1.LostFocus"});
  EXPECT_EQ(txt1->text(), "") << "Alt+A types nothing";
  // A key-down handler that takes the key away keeps the access key from clicking.
  int searches = 0;
  search->onClick = [&] { ++searches; };
  QTest::keyClick(keyTarget(), Qt::Key_F, Qt::AltModifier);
  QTest::qWait(300);
  EXPECT_EQ(searches, 0);
  swallowAltF = false;
  QTest::keyClick(keyTarget(), Qt::Key_F, Qt::AltModifier);
  QTest::qWait(300);
  EXPECT_EQ(searches, 1);
}

TEST_F(QtToolkitTest, PasteOfFilteredTextInsertsOnlyAllowedCharacters) {
  showAndActivate();
  txt1->onKeyPress = [](std::int16_t& code) {
    if (code == ',') code = 0;
  };
  toolkit.setClipboardText("12,3,4");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("12,3,4"));
  QTest::keyClick(keyTarget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(txt1->text(), "1234");
  QGuiApplication::clipboard()->setText("5,6");
  QTest::keyClick(keyTarget(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(txt1->text(), "123456");
  EXPECT_EQ(edit(*txt1)->text(), QString("123456"));
  // Copying goes to the real clipboard.
  txt1->setSelStart(0);
  txt1->setSelLength(2);
  QTest::keyClick(keyTarget(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("12"));
  EXPECT_FALSE(edit(*txt1)->contextMenuPolicy() == Qt::DefaultContextMenu);
  EXPECT_FALSE(edit(*txt1)->acceptDrops());
}

TEST_F(QtToolkitTest, InputMethodCommitPassesTheFilterAndThePreeditStaysOutOfTheModel) {
  showAndActivate();
  txt1->onKeyPress = [](std::int16_t& code) {
    if (code == ',') code = 0;
  };
  QLineEdit* shown = edit(*txt1);
  QInputMethodEvent composing("かな", {});
  QApplication::sendEvent(shown, &composing);
  EXPECT_EQ(txt1->text(), "");
  QInputMethodEvent commit;
  commit.setCommitString("仮,名");
  QApplication::sendEvent(shown, &commit);
  EXPECT_EQ(txt1->text(), "仮名");
  EXPECT_EQ(shown->text(), QString("仮名"));
  EXPECT_EQ(txt1->selStart(), 2);
}

TEST_F(QtToolkitTest, CompositionOverASelectionKeepsTheModelsTextUntilCommitted) {
  showAndActivate();
  txt1->setText("abcd");
  txt1->setSelStart(1);
  txt1->setSelLength(2);
  QLineEdit* shown = edit(*txt1);
  QInputMethodEvent composing("か", {});
  QApplication::sendEvent(shown, &composing);
  EXPECT_EQ(txt1->text(), "abcd");
  EXPECT_EQ(txt1->selLength(), 2);
  QInputMethodEvent cancelled;
  QApplication::sendEvent(shown, &cancelled);
  EXPECT_EQ(shown->text(), QString("abcd")) << "a cancelled composition shows the model's text again";
  EXPECT_EQ(shown->selectedText(), QString("bc"));
  QInputMethodEvent commit;
  commit.setCommitString("カ");
  QApplication::sendEvent(shown, &commit);
  EXPECT_EQ(txt1->text(), "aカd");
  EXPECT_EQ(shown->text(), QString("aカd"));
}

// ---- Pointer input and focus ----

TEST_F(QtToolkitTest, ClickInAFieldGivesTheModelTheFocusAndTheCaret) {
  txt2->setText("abcd");
  txt2->onGotFocus = [this] {
    events.push_back("TXT2.GotFocus");
    txt2->setSelStart(0);
    txt2->setSelLength(txt2->length());
  };
  showAndActivate();
  events.clear();
  QLineEdit* shown = edit(*txt2);
  QTest::mouseClick(shown, Qt::LeftButton, {}, QPoint(shown->width() - 4, shown->height() / 2));
  EXPECT_EQ(form->activeControl(), txt2);
  EXPECT_EQ(QApplication::focusWidget(), shown);
  EXPECT_EQ(events, (std::vector<std::string>{"TXT1.LostFocus", "TXT2.GotFocus"}));
  // As on the original desktop, the click places the caret after the got-focus handler selected all.
  EXPECT_EQ(txt2->selStart(), 4);
  EXPECT_EQ(txt2->selLength(), 0);
  int doubleClicks = 0;
  txt2->onDoubleClick = [&] { ++doubleClicks; };
  QTest::mouseDClick(shown, Qt::LeftButton, {}, QPoint(4, shown->height() / 2));
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(txt2->selLength(), 4) << "the word the double click selected is copied into the model";
}

TEST_F(QtToolkitTest, AButtonClickGoesToTheModel) {
  showAndActivate();
  int clicks = 0;
  search->onClick = [&] { ++clicks; };
  QTest::mouseClick(widget(*search), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->activeControl(), search);
}

TEST_F(QtToolkitTest, DisablingTheFocusedFieldDoesNotLetQtMoveTheFocus) {
  showAndActivate();
  events.clear();
  std::vector<QWidget*> focused;
  const auto watch =
      QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget*, QWidget* now) { focused.push_back(now); });
  txt1->setEnabled(false);
  QObject::disconnect(watch);
  EXPECT_EQ(std::count(focused.begin(), focused.end(), widget(*txt2)), 0)
      << "Qt did not tab into the next field, not even for a moment";
  EXPECT_NE(QApplication::focusWidget(), widget(*txt2));
  EXPECT_EQ(form->activeControl(), txt1);
  EXPECT_TRUE(events.empty()) << "no focus events the original desktop would not raise";
  txt1->setEnabled(true);
  EXPECT_EQ(QApplication::focusWidget(), widget(*txt1));
}

// ---- Closing, modal forms, the end of the program ----

TEST_F(QtToolkitTest, CloseBoxAsksQueryUnloadWhichMayCancel) {
  showAndActivate();
  bool refuse = true;
  int unloads = 0;
  form->onQueryUnload = [&](bool& cancel) { cancel = refuse; };
  form->onUnload = [&] { ++unloads; };
  QWidget* window = toolkit.windowOf(*form);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(unloads, 0);
  refuse = false;
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form->isLoaded());
  EXPECT_EQ(unloads, 1);
  EXPECT_EQ(toolkit.windowOf(*form), nullptr);
  // Shown again, the form gets a new window built from the model.
  showAndActivate();
  EXPECT_EQ(qobject_cast<QPushButton*>(widget(*add))->text(), QString("追加（&A）"));
}

TEST_F(QtToolkitTest, ModalFormRunsUntilItIsHidden) {
  Form dialog(app, "SEARCH");
  dialog.setKeyPreview(true);
  dialog.move(3000, 3000, 4500, 3000);
  auto& code = dialog.add<TextBox>("CODE");
  code.move(120, 120, 1500, 360);
  bool wasModal = false;
  dialog.onKeyDown = [&](std::int16_t& keyCode, std::int16_t) {
    if (keyCode != key::Esc) return;
    wasModal = toolkit.windowOf(dialog)->isModal();
    dialog.hide();
  };
  bool returned = false;
  txt1->onKeyDown = [&](std::int16_t& keyCode, std::int16_t) {
    if (keyCode != key::F5) return;
    dialog.show(platform::ui::ShowMode::Modal);
    returned = true;
  };
  showAndActivate();
  QTimer::singleShot(50, [&] {
    QTest::keyClicks(QApplication::focusWidget(), "42");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  });
  QTest::keyClick(keyTarget(), Qt::Key_F5);
  EXPECT_TRUE(returned);
  EXPECT_TRUE(wasModal);
  EXPECT_EQ(code.text(), "42") << "keys went to the dialog's field";
  EXPECT_EQ(txt1->text(), "");
  EXPECT_FALSE(toolkit.windowOf(dialog)->isVisible());
}

TEST_F(QtToolkitTest, ProgramEndingInsideAModalLoopStopsTheCodeThatOpenedIt) {
  Form dialog(app, "SEARCH");
  dialog.setKeyPreview(true);
  dialog.move(3000, 3000, 4500, 3000);
  dialog.add<TextBox>("CODE").move(120, 120, 1500, 360);
  dialog.onKeyDown = [&](std::int16_t& keyCode, std::int16_t) {
    if (keyCode == key::Esc) app.endProgram(3);
  };
  bool returned = false;
  txt1->onKeyDown = [&](std::int16_t& keyCode, std::int16_t) {
    if (keyCode != key::F5) return;
    dialog.show(platform::ui::ShowMode::Modal);
    returned = true;
  };
  showAndActivate();
  QTimer::singleShot(50, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
  QTest::keyClick(keyTarget(), Qt::Key_F5);
  EXPECT_FALSE(returned);
  EXPECT_TRUE(toolkit.isEnding());
  EXPECT_EQ(toolkit.exitCode(), 3);
  EXPECT_FALSE(toolkit.windowOf(*form)->isVisible());
  EXPECT_FALSE(toolkit.windowOf(dialog)->isVisible());
  // Nothing reaches the model any more.
  EXPECT_FALSE(toolkit.guard(*form, [] { FAIL() << "model code ran after the end"; }));
  EXPECT_THROW(toolkit.messageBox("まだ", 0, "MNT4820"), platform::ui::ProgramEnded);
  letEventLoopsRunAgain();
}

TEST_F(QtToolkitTest, UntrappedErrorIsReportedAndEndsTheProgramWithStatusOne) {
  showAndActivate();
  txt1->onKeyDown = [](std::int16_t& keyCode, std::int16_t) {
    if (keyCode == 120) throw std::runtime_error("型が一致しません。");
  };
  QString shownTitle;
  QString shownText;
  QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
  ModalAnswer answer([&](QMessageBox& box) {
    shownTitle = box.windowTitle();
    shownText = box.text();
    shownIcon = box.icon();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  QTest::keyClick(keyTarget(), Qt::Key_F9);
  ASSERT_TRUE(answer.ran());
  EXPECT_EQ(shownTitle, QString("TOOLKITTEST"));
  EXPECT_TRUE(shownText.startsWith("実行時エラー"));
  EXPECT_TRUE(shownText.contains("型が一致しません。"));
  EXPECT_EQ(shownIcon, QMessageBox::Critical);
  EXPECT_TRUE(app.hasEnded());
  EXPECT_EQ(toolkit.exitCode(), 1);
  EXPECT_FALSE(toolkit.windowOf(*form)->isVisible());
  letEventLoopsRunAgain();
}

// ---- Program-wide services ----

TEST_F(QtToolkitTest, MousePointerKeepsAtMostOneOverride) {
  app.setMousePointer(MousePointer::Hourglass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  app.setMousePointer(MousePointer::Arrow);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
  app.setMousePointer(MousePointer::Hourglass);
  app.setMousePointer(MousePointer::Hourglass);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  app.setMousePointer(MousePointer::Default);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "one restore empties the stack";
  app.setMousePointer(MousePointer::Default);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtToolkitTest, DestroyedFormTakesItsWindowAlong) {
  showAndActivate();
  const QPointer<QWidget> window = toolkit.windowOf(*form);
  form.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

}  // namespace
