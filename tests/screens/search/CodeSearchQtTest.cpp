// The code search dialog on real Qt widgets, opened from a test window as F5 opens it from the main window.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "db/QueryOperations.h"
#include "platform/qt/QtToolkit.h"
#include "platform/text/CodePage.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "screens/search/COMMON_SEARCH_MSTDB.h"
#include "tests/support/TestDatabase.h"

namespace mnt4820 {
namespace {

TEST(CodeSearchOnQt, KindTwoDownAndEnterWriteTheSecondRowIntoTheFieldAndTheLabel) {
  std::optional<test::TestDatabase> database = test::TestDatabase::create(test::Engine::Sqlite, true);
  ASSERT_TRUE(database);
  DatabaseSession session;
  ConnectDatabase(session, {"WS01", database->user(), database->password(), database->dsn()});
  platform::qt::QtToolkit toolkit{"MNT4820"};
  platform::ui::Application application{toolkit};
  {
    platform::ui::Form caller{application, "F_TEST"};
    auto& field = caller.add<platform::ui::TextBox>("CNTCD");
    field.setGeometry({120, 120, 1600, 360});
    auto& label = caller.add<platform::ui::Label>("lbl_CNTNM");
    label.setGeometry({1800, 120, 5000, 360});
    caller.move(0, 0, 7200, 1200);
    caller.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(toolkit.windowOf(caller)));
    CodeSearch search{application, session};

    std::string expectedCode;
    std::string expectedName;
    const auto drive = [&] {
      ASSERT_TRUE(search.SearchDialog);
      const auto& grid = search.SearchDialog->GRID;
      ASSERT_TRUE(QTest::qWaitForWindowActive(toolkit.windowOf(*search.SearchDialog->form)));
      auto* view = qobject_cast<QTableView*>(toolkit.widgetOf(grid));
      ASSERT_NE(view, nullptr);
      QAbstractItemModelTester tester(view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
      EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "センター名");
      EXPECT_EQ(view->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
      EXPECT_EQ(view->columnWidth(1), 5000 / 15);
      ASSERT_EQ(QApplication::focusWidget(), view);
      QTest::keyClick(view, Qt::Key_Down);
      EXPECT_EQ(view->currentIndex().row(), 1);
      expectedCode = platform::trimBlanks(grid.value(0).value_or(""));
      expectedName = platform::trimBlanks(grid.value(1).value_or(""));
      QTest::keyClick(view, Qt::Key_Return);
    };
    QTimer::singleShot(0, [&] {
      drive();
      // A failed step must not leave the modal dialog waiting for ever.
      if (search.SearchDialog && search.SearchDialog->form->isVisible()) search.SearchDialog->form->requestClose();
    });
    OpenCodeSearch(search, 2, &field, "", "", &label, nullptr, nullptr);

    EXPECT_FALSE(search.SearchDialog);
    EXPECT_FALSE(expectedCode.empty());
    EXPECT_EQ(field.text(), expectedCode);
    EXPECT_EQ(label.caption(), expectedName);
    EXPECT_EQ(qobject_cast<QLineEdit*>(toolkit.widgetOf(field))->text().toStdString(), expectedCode);
    EXPECT_EQ(qobject_cast<QLabel*>(toolkit.widgetOf(label))->text().toStdString(), expectedName);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace mnt4820
