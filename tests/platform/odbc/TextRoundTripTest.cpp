// UTF-8 text, bound parameters and NULL through both drivers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OdbcTest.h"

namespace platform::odbc::test {
namespace {

using TextRoundTripTest = OdbcTest;

struct JapaneseSample {
  const char* what;
  const char* text;
};

// Characters that a wrong code page or a wrong width breaks.
const std::vector<JapaneseSample> japaneseSamples = {
    {"wave dash U+FF5E", "～"},          {"circled digit", "①②③"},
    {"variant kanji", "髙橋﨑"},         {"half-width katakana", "ｵﾍﾟﾚｰﾀｺｰﾄﾞ"},
    {"four-byte character", "𠮷野家😀"}, {"mixed", "東日本物流センター ～ 第①倉庫（髙）ｶﾞ𩸽 −‖¢£¬"},
};

TEST_P(TextRoundTripTest, JapaneseIdentifiersAndValuesRoundTripByteForByte) {
  Connection connection = connect();
  const std::string table = uniqueTable("試験表");
  connection.execute("CREATE TABLE " + table +
                     " (項目番号 INTEGER PRIMARY KEY, センター名 VARCHAR(200), 備考 VARCHAR(200))");
  for (std::size_t i = 0; i < japaneseSamples.size(); ++i) {
    // One copy bound, one spliced as a literal: both paths must keep the bytes.
    connection.execute("INSERT INTO " + table + " (項目番号, センター名, 備考) VALUES (" + std::to_string(i) +
                           ", ?, '" + japaneseSamples[i].text + "')",
                       {std::string(japaneseSamples[i].text)});
  }

  ResultSet rows = connection.openResultSet("SELECT 項目番号, センター名, 備考 FROM " + table + " ORDER BY 項目番号");
  ASSERT_EQ(rows.columnCount(), 3u);
  EXPECT_EQ(rows.columnName(1), "センター名");
  EXPECT_EQ(rows.columnName(2), "備考");
  for (const JapaneseSample& sample : japaneseSamples) {
    SCOPED_TRACE(sample.what);
    ASSERT_FALSE(rows.atEnd());
    EXPECT_EQ(rows.value("センター名"), std::string(sample.text));
    EXPECT_EQ(rows.value("備考"), std::string(sample.text));
    rows.moveNext();
  }
  EXPECT_TRUE(rows.atEnd());
}

TEST_P(TextRoundTripTest, JapaneseTextFindsItsRowThroughAParameter) {
  Connection connection = connect();
  const std::string table = uniqueTable("検索表");
  connection.execute("CREATE TABLE " + table + " (コード VARCHAR(20), 名称 VARCHAR(100))");
  connection.execute("INSERT INTO " + table + " VALUES ('1', '髙橋～①')");
  connection.execute("INSERT INTO " + table + " VALUES ('2', '高橋〜1')");

  ResultSet rows =
      connection.openResultSet("SELECT コード FROM " + table + " WHERE 名称 = ?", {std::string("髙橋～①")});
  ASSERT_FALSE(rows.atEnd());
  EXPECT_EQ(rows.value("コード"), "1");
  rows.moveNext();
  EXPECT_TRUE(rows.atEnd());
}

TEST_P(TextRoundTripTest, BoundParametersStayData) {
  Connection connection = connect();
  const std::string table = uniqueTable("params");
  connection.execute("CREATE TABLE " + table + " (id INTEGER, body VARCHAR(100))");
  // Spliced into the statement, the fifth would drop the very table it goes into.
  const std::vector<std::string> hostile = {
      "O'Brien", "''", "a,b,c", "x; y;", "'); DROP TABLE " + table + "; --", "\" OR \"1\"=\"1", "?", "\\' OR 1=1 --",
  };
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    EXPECT_EQ(connection.execute("INSERT INTO " + table + " (id, body) VALUES (?, ?)", {std::to_string(i), hostile[i]}),
              1);
  }
  for (std::size_t i = 0; i < hostile.size(); ++i) {
    SCOPED_TRACE(hostile[i]);
    ResultSet rows = connection.openResultSet("SELECT id, body FROM " + table + " WHERE body = ?", {hostile[i]});
    ASSERT_FALSE(rows.atEnd());
    EXPECT_EQ(rows.value("id"), std::to_string(i));
    EXPECT_EQ(rows.value("body"), hostile[i]);
    rows.moveNext();
    EXPECT_TRUE(rows.atEnd());
  }
  ResultSet count = connection.openResultSet("SELECT COUNT(*) FROM " + table);
  EXPECT_EQ(count.value(0), std::to_string(hostile.size()));
}

TEST_P(TextRoundTripTest, NullAndEmptyTextStayApart) {
  Connection connection = connect();
  const std::string table = uniqueTable("nulls");
  connection.execute("CREATE TABLE " + table + " (id INTEGER, body VARCHAR(20))");
  connection.execute("INSERT INTO " + table + " (id, body) VALUES (1, ?)", {std::nullopt});
  connection.execute("INSERT INTO " + table + " (id, body) VALUES (2, ?)", {std::string()});
  connection.execute("INSERT INTO " + table + " (id, body) VALUES (3, NULL)");
  connection.execute("INSERT INTO " + table + " (id, body) VALUES (4, '')");

  ResultSet rows = connection.openResultSet("SELECT id, body FROM " + table + " ORDER BY id");
  const std::vector<std::optional<std::string>> expected = {std::nullopt, "", std::nullopt, ""};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i + 1);
    ASSERT_FALSE(rows.atEnd());
    EXPECT_EQ(rows.value("body"), expected[i]);
    rows.moveNext();
  }
  ResultSet nulls = connection.openResultSet("SELECT COUNT(*) FROM " + table + " WHERE body IS NULL");
  EXPECT_EQ(nulls.value(0), "2");
}

TEST_P(TextRoundTripTest, LongValuesReadWhole) {
  // Lengths around the layer's 4 KB reading piece, and multi-byte text whose pieces end
  // inside a character.
  std::vector<std::string> values = {std::string(4095, 'a'), std::string(4096, 'b'), std::string(4097, 'c'),
                                     std::string(10000, 'd')};
  std::string japanese = "x";
  for (int i = 0; i < 3000; ++i) {
    japanese += (i % 3 == 0) ? "髙" : (i % 3 == 1) ? "😀" : "ｶ";
  }
  values.push_back(japanese);
  values.push_back("short after long");

  Connection connection = connect();
  const std::string table = uniqueTable("longtext");
  connection.execute("CREATE TABLE " + table + " (id INTEGER, body TEXT)");
  for (std::size_t i = 0; i < values.size(); ++i) {
    connection.execute("INSERT INTO " + table + " (id, body) VALUES (?, ?)", {std::to_string(i), values[i]});
  }
  ResultSet rows = connection.openResultSet("SELECT body, id FROM " + table + " ORDER BY id");
  for (const std::string& value : values) {
    ASSERT_FALSE(rows.atEnd());
    const std::optional<std::string> body = rows.value("body");
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(body->size(), value.size());
    EXPECT_TRUE(*body == value) << "value of " << value.size() << " bytes differs";
    rows.moveNext();
  }
  EXPECT_TRUE(rows.atEnd());
}

MNT4820_INSTANTIATE_FOR_BOTH_ENGINES(TextRoundTripTest);

}  // namespace
}  // namespace platform::odbc::test
