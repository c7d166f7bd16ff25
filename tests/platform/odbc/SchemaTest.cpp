// db/schema.sql, db/demo-data.sql and db/generate-pairs.sh on both engines, with the
// statements the screens run on those tables.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "OdbcTest.h"
#include "tests/support/SqlScript.h"
#include "tests/support/TestFolder.h"
#include "platform/odbc/OdbcError.h"

namespace platform::odbc::test {
namespace {

const std::string listingQuery =
    "SELECT  FL1915センタ利用企業マスタ.センターコード, FL1915センタ利用企業マスタ.相手先企業コード,"
    " FL1903EDI制御マスタ.センター名  FROM FL1915センタ利用企業マスタ, FL1903EDI制御マスタ "
    " WHERE FL1915センタ利用企業マスタ.センターコード = FL1903EDI制御マスタ.センターコード";
const std::string listingOrder = " ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード";

struct ListedPair {
  std::string center;
  std::string partner;
  std::string centerName;
  bool operator==(const ListedPair&) const = default;
};

std::vector<ListedPair> readListing(ResultSet rows) {
  std::vector<ListedPair> listed;
  for (; !rows.atEnd(); rows.moveNext()) {
    listed.push_back({rows.value("センターコード").value_or("<NULL>"), rows.value("相手先企業コード").value_or("<NULL>"),
                      rows.value("センター名").value_or("<NULL>")});
  }
  return listed;
}

// The listing worked out apart from the join: every stored pair whose center exists,
// ordered by center and partner code byte by byte.
std::vector<ListedPair> expectedListing(Connection& connection) {
  std::map<std::string, std::string> centerNames;
  for (ResultSet rows = connection.openResultSet("SELECT センターコード, センター名 FROM FL1903EDI制御マスタ"); !rows.atEnd();
       rows.moveNext()) {
    centerNames[*rows.value(0)] = rows.value(1).value_or("<NULL>");
  }
  std::vector<ListedPair> expected;
  for (ResultSet rows = connection.openResultSet("SELECT センターコード, 相手先企業コード FROM FL1915センタ利用企業マスタ");
       !rows.atEnd(); rows.moveNext()) {
    const auto center = centerNames.find(*rows.value(0));
    if (center != centerNames.end()) {
      expected.push_back({center->first, *rows.value(1), center->second});
    }
  }
  std::sort(expected.begin(), expected.end(), [](const ListedPair& a, const ListedPair& b) {
    return std::pair(a.center, a.partner) < std::pair(b.center, b.partner);
  });
  return expected;
}

std::string countOf(Connection& connection, const std::string& sql, const std::vector<Parameter>& params = {}) {
  return connection.openResultSet(sql, params).value(0).value_or("<NULL>");
}

class SchemaTest : public OdbcTest {
 protected:
  void SetUp() override {
    OdbcTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
      return;
    }
    connection_ = connectIsolated();
    runSqlScript(connection_, readTextFile(mnt4820::test::sourceFolder().string() + "/db/schema.sql"));
    runSqlScript(connection_, readTextFile(mnt4820::test::sourceFolder().string() + "/db/demo-data.sql"));
  }
  Connection connection_;
};

TEST_P(SchemaTest, TheListingShowsTheDemoPairsInOrderWithoutTheOneWhoseCenterIsMissing) {
  const std::vector<ListedPair> listed = readListing(connection_.openResultSet(listingQuery + listingOrder));
  EXPECT_EQ(listed, expectedListing(connection_));
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ"), "30");
  ASSERT_EQ(listed.size(), 29u);
  EXPECT_EQ(listed.front(), (ListedPair{"C001", "A00012345678", "東日本物流センター"}));
  EXPECT_EQ(listed.back(), (ListedPair{"C005", "Z0000000001", "北海道髙橋食品センター"}));
  EXPECT_TRUE(std::none_of(listed.begin(), listed.end(), [](const ListedPair& pair) { return pair.center == "C009"; }));
  EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](const ListedPair& a, const ListedPair& b) {
    return std::pair(a.center, a.partner) < std::pair(b.center, b.partner);
  }));
}

TEST_P(SchemaTest, TheNarrowedListingAndTheChecksFindWhatTheyShould) {
  const std::vector<ListedPair> narrowed = readListing(connection_.openResultSet(
      listingQuery + " AND FL1915センタ利用企業マスタ.センターコード = ?" + listingOrder, {std::string("C003")}));
  ASSERT_EQ(narrowed.size(), 6u);
  EXPECT_EQ(narrowed.front(), (ListedPair{"C003", "A00034567890", "中部流通センター"}));
  EXPECT_TRUE(connection_.openResultSet(listingQuery + " AND FL1915センタ利用企業マスタ.センターコード = ?" + listingOrder,
                                        {std::string("C009")})
                  .atEnd());

  ResultSet center = connection_.openResultSet("SELECT  センターコード,センター名 FROM FL1903EDI制御マスタ  WHERE センターコード = ?",
                                               {std::string("C004")});
  ASSERT_FALSE(center.atEnd());
  EXPECT_EQ(center.value(1), "九州配送センター");

  // The partner code is looked up over all centers.
  const std::string partnerLookup = "SELECT  相手先企業コード FROM FL1915センタ利用企業マスタ  WHERE 相手先企業コード = ?";
  EXPECT_FALSE(connection_.openResultSet(partnerLookup, {std::string("X90000000001")}).atEnd());
  EXPECT_TRUE(connection_.openResultSet(partnerLookup, {std::string("A99999999999")}).atEnd());
}

TEST_P(SchemaTest, TheCodeSearchQueriesRunOnBothEngines) {
  ResultSet terminals = connection_.openResultSet(
      "SELECT センターコード, センター名, 相手先種別マスタ.区分名称 as 相手先種別, 送受信方式マスタ.区分名称 as 送受信方式,"
      " KRX受信ファイルパス, 実行端末名"
      " FROM ((FL1903EDI制御マスタ"
      " LEFT JOIN 区分マスタ AS 相手先種別マスタ  ON (相手先種別マスタ.区分コード = FL1903EDI制御マスタ.相手先種別 "
      " AND 相手先種別マスタ.区分 = '相手先種別' ))"
      " LEFT JOIN 区分マスタ AS 送受信方式マスタ  ON (送受信方式マスタ.区分コード = FL1903EDI制御マスタ.送受信方式 "
      " AND 送受信方式マスタ.区分 = '送受信方式' ))"
      " WHERE FL1903EDI制御マスタ.実行端末名 = ?  AND 相手先種別マスタ.区分コード = ? ORDER BY センターコード",
      {std::string("EDISV01"), std::string("04")});
  std::vector<std::vector<std::optional<std::string>>> rows;
  for (; !terminals.atEnd(); terminals.moveNext()) {
    rows.push_back({terminals.value("センターコード"), terminals.value("相手先種別"), terminals.value("送受信方式"),
                    terminals.value("KRX受信ファイルパス")});
  }
  EXPECT_EQ(rows, (std::vector<std::vector<std::optional<std::string>>>{
                      {"C001", "物流業者", "全銀TCP/IP手順", "D:\\EDI\\KRX\\C001\\RECV"},
                      {"C002", "物流業者", "全銀TCP/IP手順", "D:\\EDI\\KRX\\C002\\RECV"},
                  }));

  ResultSet formats = connection_.openResultSet("SELECT DISTINCT 情報区分コード,BPID FROM FL1902フォーマット情報マスタ order by 情報区分コード,BPID");
  std::vector<std::string> formatRows;
  for (; !formats.atEnd(); formats.moveNext()) {
    formatRows.push_back(*formats.value("情報区分コード") + "/" + *formats.value("bpid"));
  }
  EXPECT_EQ(formatRows, (std::vector<std::string>{"01/ORDERS-JCA", "02/DESADV-JCA", "03/INVOIC-ZEN", "04/RECADV-JX"}));

  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1916メッセージグループ情報マスタ WHERE 相手先コード = ?",
                    {std::string("A00012345678")}),
            "2");
  ResultSet items = connection_.openResultSet("SELECT 項目No,データ項目名 FROM FL1901項目情報マスタ WHERE 項目No = 3");
  EXPECT_EQ(items.value("項目no"), "3");
  EXPECT_EQ(items.value("データ項目名"), "納品予定日");
}

TEST_P(SchemaTest, TheOperatorMasterIsReadByNameAndItsPasswordUpdated) {
  ResultSet signOn = connection_.openResultSet("SELECT * FROM FL0003担当者マスタ WHERE 担当者コード = ? ", {std::string("0002")});
  ASSERT_FALSE(signOn.atEnd());
  EXPECT_EQ(signOn.value("担当者氏名"), "髙橋 花子");
  EXPECT_EQ(signOn.value("IME起動モード"), "1");
  EXPECT_EQ(signOn.value("権限レベル"), "1");
  EXPECT_EQ(signOn.value("パスワード"), "Hanako2");
  signOn.close();

  EXPECT_EQ(connection_.execute("UPDATE FL0003担当者マスタ SET パスワード = ? WHERE 担当者コード = ?",
                                {std::string("新しい'pw"), std::string("0002")}),
            1);
  EXPECT_EQ(connection_.openResultSet("SELECT パスワード FROM FL0003担当者マスタ WHERE 担当者コード = '0002'").value(0),
            "新しい'pw");
}

TEST_P(SchemaTest, TheKeysRefuseADuplicatePairAndTheSchemaRunsAgain) {
  EXPECT_THROW(connection_.execute("INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES ('C001', 'A00012345678')"),
               OdbcError);
  EXPECT_THROW(connection_.execute("INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES ('C001', '重複')"), OdbcError);
  runSqlScript(connection_, readTextFile(mnt4820::test::sourceFolder().string() + "/db/schema.sql"));
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ"), "0");
  runSqlScript(connection_, readTextFile(mnt4820::test::sourceFolder().string() + "/db/demo-data.sql"));
  runSqlScript(connection_, readTextFile(mnt4820::test::sourceFolder().string() + "/db/demo-data.sql"));
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ"), "30");
}

TEST_P(SchemaTest, GeneratedPairsLoadOverTheDemoDataAndAreListed) {
  char name[] = "/tmp/mnt4820-pairs-XXXXXX";
  const int descriptor = ::mkstemp(name);
  ASSERT_GE(descriptor, 0);
  ::close(descriptor);
  const std::string command = "sh '" + mnt4820::test::sourceFolder().string() + "/db/generate-pairs.sh' 1234 '" + name + "'";
  const int status = std::system(command.c_str());
  const std::string script = readTextFile(name);
  std::remove(name);
  ASSERT_EQ(status, 0) << command;

  runSqlScript(connection_, script);
  runSqlScript(connection_, script);  // replaces its own rows
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ WHERE センターコード LIKE 'G%'"), "1234");
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(*) FROM FL1903EDI制御マスタ WHERE センターコード LIKE 'G%'"), "50");
  EXPECT_EQ(countOf(connection_, "SELECT COUNT(DISTINCT 相手先企業コード) FROM FL1915センタ利用企業マスタ"), "1264");
  const std::vector<ListedPair> listed = readListing(connection_.openResultSet(listingQuery + listingOrder));
  EXPECT_EQ(listed.size(), 29u + 1234u);
  EXPECT_EQ(listed, expectedListing(connection_));
}

MNT4820_INSTANTIATE_FOR_BOTH_DRIVERS(SchemaTest);

TEST(SchemaWithSqliteShell, TheScriptsRunUnchangedInTheSqliteShell) {
  if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "the sqlite3 shell is not installed";
  }
  char name[] = "/tmp/mnt4820-shell-XXXXXX";
  const int descriptor = ::mkstemp(name);
  ASSERT_GE(descriptor, 0);
  ::close(descriptor);
  const std::string file = name;
  const std::string dir = mnt4820::test::sourceFolder().string();
  for (const char* script : {"/db/schema.sql", "/db/demo-data.sql", "/db/schema.sql", "/db/demo-data.sql"}) {
    const std::string command = "sqlite3 -bail '" + file + "' < '" + dir + script + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  Environment environment;
  Connection connection =
      Connection::open(environment, std::string("Driver=") + MNT4820_SQLITE_ODBC_DRIVER + ";Database=" + file + ";");
  EXPECT_EQ(countOf(connection, "SELECT COUNT(*) FROM FL1915センタ利用企業マスタ"), "30");
  EXPECT_EQ(readListing(connection.openResultSet(listingQuery + listingOrder)).size(), 29u);
  connection.close();
  std::remove(file.c_str());
}

}  // namespace
}  // namespace platform::odbc::test
