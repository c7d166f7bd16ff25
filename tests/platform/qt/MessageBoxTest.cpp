#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "ModalAnswer.h"
#include "platform/qt/PlatformMessageBox.h"
#include "platform/qt/QtToolkit.h"
#include "platform/ui/UiTypes.h"

namespace {

using platform::qt::PlatformMessageBox;
using platform::qt::QtToolkit;
using platform::ui::mb::Answer;

std::vector<QString> buttonTexts(const PlatformMessageBox& box) {
  std::vector<QString> texts;
  for (const QPushButton* button : box.buttonsInOrder()) texts.push_back(button->text());
  return texts;
}

TEST(PlatformMessageBox, FlagsGiveButtonsIconAndDefault) {
  const struct {
    int flags;
    std::vector<QString> buttons;
    QMessageBox::Icon icon;
    int defaultIndex;
    bool escapeAnswers;
  } cases[] = {
      {0, {"OK"}, QMessageBox::NoIcon, 0, true},
      {1, {"OK", "キャンセル"}, QMessageBox::NoIcon, 0, true},
      {3, {"はい(&Y)", "いいえ(&N)", "キャンセル"}, QMessageBox::NoIcon, 0, true},
      {4, {"はい(&Y)", "いいえ(&N)"}, QMessageBox::NoIcon, 0, false},
      {16, {"OK"}, QMessageBox::Critical, 0, true},
      {20, {"はい(&Y)", "いいえ(&N)"}, QMessageBox::Critical, 0, false},
      {48, {"OK"}, QMessageBox::Warning, 0, true},
      {308, {"はい(&Y)", "いいえ(&N)"}, QMessageBox::Warning, 1, false},
      {307, {"はい(&Y)", "いいえ(&N)", "キャンセル"}, QMessageBox::Warning, 1, true},
      {515, {"はい(&Y)", "いいえ(&N)", "キャンセル"}, QMessageBox::NoIcon, 2, true},
      {512 + 4, {"はい(&Y)", "いいえ(&N)"}, QMessageBox::NoIcon, 0, false},  // no third button: the first
      {256, {"OK"}, QMessageBox::NoIcon, 0, true},
  };
  for (const auto& c : cases) {
    const PlatformMessageBox box("本文", c.flags, "MNT4820");
    EXPECT_EQ(buttonTexts(box), c.buttons) << "flags " << c.flags;
    EXPECT_EQ(box.icon(), c.icon) << "flags " << c.flags;
    EXPECT_EQ(box.defaultButton(), box.buttonsInOrder()[static_cast<std::size_t>(c.defaultIndex)]) << c.flags;
    EXPECT_EQ(box.escapeAnswers(), c.escapeAnswers) << "flags " << c.flags;
    EXPECT_EQ(box.windowTitle(), QString("MNT4820"));
    EXPECT_EQ(box.text(), QString("本文"));
  }
}

TEST(PlatformMessageBox, ButtonsStandInTheOriginalDesktopsOrderOnScreen) {
  for (int flags : {1, 3, 4}) {
    PlatformMessageBox box("本文", flags, "MNT4820");
    box.show();
    QApplication::processEvents();
    int previous = -1;
    for (const QPushButton* button : box.buttonsInOrder()) {
      const int x = button->mapTo(&box, QPoint(0, 0)).x();
      EXPECT_GT(x, previous) << "flags " << flags << ": " << button->text().toStdString();
      previous = x;
    }
    box.hide();
  }
}

struct Exchange {
  int flags;
  std::vector<Qt::Key> keys;
  Answer answer;
  bool firstKeyIgnored;  // the box is still open after the first key
};

// Runs a box through the toolkit with no window shown; a timer presses the keys inside the box's own loop.
// A box the keys failed to close is closed after a while, so that the test fails instead of hanging.
Answer exchange(QtToolkit& toolkit, const Exchange& e, bool& stillOpenAfterFirstKey, bool& forced) {
  ModalAnswer step([&](QMessageBox& box) {
    for (std::size_t i = 0; i < e.keys.size(); ++i) {
      QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &box;
      QTest::keyClick(target, e.keys[i]);
      if (i == 0) stillOpenAfterFirstKey = box.isVisible();
    }
    QTimer::singleShot(2000, &box, [&box, &forced] {
      forced = true;
      box.done(0);
    });
  });
  const Answer answer = toolkit.messageBox("この内容で更新しますか", e.flags, "MNT4820");
  EXPECT_TRUE(step.ran());
  return answer;
}

TEST(PlatformMessageBox, KeysAnswerAsOnTheOriginalDesktop) {
  QtToolkit toolkit{"Test"};
  const Exchange cases[] = {
      {308, {Qt::Key_Escape, Qt::Key_Return}, Answer::No, true},  // Esc does nothing on Yes/No; No is default
      {4, {Qt::Key_Escape, Qt::Key_Return}, Answer::Yes, true},
      {4, {Qt::Key_N}, Answer::No, false},
      {308, {Qt::Key_Y}, Answer::Yes, false},
      {1, {Qt::Key_Escape}, Answer::Cancel, false},
      {3, {Qt::Key_Escape}, Answer::Cancel, false},
      {0, {Qt::Key_Escape}, Answer::Ok, false},
      {1 + 256, {Qt::Key_Return}, Answer::Cancel, false},
      {3 + 512, {Qt::Key_Return}, Answer::Cancel, false},
      {3, {Qt::Key_Tab, Qt::Key_Return}, Answer::No, true},  // Enter presses the button with the focus
  };
  for (const Exchange& c : cases) {
    bool stillOpen = false;
    bool forced = false;
    EXPECT_EQ(exchange(toolkit, c, stillOpen, forced), c.answer) << "flags " << c.flags;
    EXPECT_FALSE(forced) << "flags " << c.flags << ": the keys did not answer the box";
    if (c.firstKeyIgnored) {
      EXPECT_TRUE(stillOpen) << "flags " << c.flags;
    }
  }
}

TEST(PlatformMessageBox, CloseBoxOfAYesNoBoxDoesNothing) {
  QtToolkit toolkit{"Test"};
  bool closedByCloseBox = true;
  ModalAnswer step([&](QMessageBox& box) {
    box.close();
    closedByCloseBox = !box.isVisible();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  EXPECT_EQ(toolkit.messageBox("削除しますか", 52, "MNT4820"), Answer::Yes);
  EXPECT_FALSE(closedByCloseBox);

  ModalAnswer cancel([](QMessageBox& box) { box.close(); });
  EXPECT_EQ(toolkit.messageBox("中止しますか", 1, "MNT4820"), Answer::Cancel) << "where there is Cancel it answers";
}

}  // namespace
