// The sign-on dialog in real Qt windows, opened by the entry procedure: keys typed into the focused line edit
// reach the sign-on logic, F5 opens the password change beside the modal sign-on window, and the values
// published when the dialog closes are returned.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <optional>

#include "config/SettingsReader.h"
#include "db/QueryOperations.h"
#include "platform/qt/QtToolkit.h"
#include "screens/signon/RunSignOn.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

QLineEdit* focusedEdit() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

TEST(SignOnOnQt, ACodeAndPasswordTypedIntoTheRealWindowSignTheOperatorOn) {
  std::optional<test::TestDatabase> database = test::TestDatabase::create(test::Engine::Sqlite, false);
  ASSERT_TRUE(database);
  database->connect().execute(
      "INSERT INTO FL0003担当者マスタ (担当者コード, 担当者氏名, IME起動モード, 権限レベル, パスワード) "
      "VALUES ('0001', '山田 太郎', 1, 9, 'yamada01')");
  const test::TestFolder folder;
  const std::string demo = platform::odbc::test::readTextFile(test::sourceFolder() / "config" / "demo" / "EDI.ini");
  folder.write("EDI.ini", demo.substr(demo.find("[Setting0]")));
  platform::qt::QtToolkit toolkit{mnt4820::ProgramTitle};
  platform::ui::Application application{toolkit};
  Program program{application};
  LoadSettings((folder.path() / "EDI" / "MNT4820").string(), program.settings);
  DbSettings db;
  db.DbString = database->dsn();
  ConnectDatabase(program.database, db);

  QWidget* signOnWindow = nullptr;
  QPointer<QWidget> passwordWindow;  // the window is destroyed once it has closed
  QString shownPassword;
  bool passwordClosed = false;
  QTimer::singleShot(0, [&] {
    signOnWindow = QApplication::activeModalWidget();
    ASSERT_NE(signOnWindow, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(signOnWindow));
    QTest::keyClicks(focusedEdit(), "0001");
    QTest::keyClick(focusedEdit(), Qt::Key_Return);
    QTest::keyClicks(focusedEdit(), "yamada01");
    shownPassword = focusedEdit()->displayText();
    // The password change opens without blocking and takes the keys until it is closed.
    QTest::keyClick(focusedEdit(), Qt::Key_F5);
    if (QTest::qWaitFor([] { return QApplication::activeWindow() != QApplication::activeModalWidget(); })) {
      passwordWindow = QApplication::activeWindow();
      // Through the window system, as a keyboard sends it: a window blocked by the modal one would drop it.
      QTest::keyClick(passwordWindow->windowHandle(), Qt::Key_Escape);
      passwordClosed = QTest::qWaitFor([&] { return passwordWindow.isNull() || !passwordWindow->isVisible(); });
    }
    // The offscreen platform does not give the activation back by itself.
    signOnWindow->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == signOnWindow; }));
    if (focusedEdit() != nullptr) QTest::keyClick(focusedEdit(), Qt::Key_Return);
    // Whatever went wrong above, the dialog must not stay open.
    if (QApplication::activeModalWidget() == signOnWindow) QTest::keyClick(signOnWindow, Qt::Key_Escape);
  });
  const OperatorState signedOn = RunSignOn(program);

  EXPECT_TRUE(passwordClosed);
  EXPECT_EQ(shownPassword, "********");
  EXPECT_EQ(signedOn.ResultCode, "00");
  EXPECT_EQ(signedOn.OperatorCode, "0001");
  EXPECT_EQ(signedOn.OperatorName, "山田 太郎");
  EXPECT_EQ(signedOn.OperatorImeMode, 1);
  EXPECT_EQ(signedOn.OperatorAuthority, 9);
}

}  // namespace
}  // namespace mnt4820
