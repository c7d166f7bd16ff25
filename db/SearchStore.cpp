#include "db/SearchStore.h"

#include <utility>

#include "db/QueryOperations.h"
#include "platform/text/CodePage.h"

namespace mnt4820 {

SearchRows::SearchRows(OwnConnectionRows rows) : rows_(std::make_unique<OwnConnectionRows>(std::move(rows))) {}

SearchRows::~SearchRows() = default;
SearchRows::SearchRows(SearchRows&&) noexcept = default;
SearchRows& SearchRows::operator=(SearchRows&&) noexcept = default;

std::vector<std::string> SearchRows::columnNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < rows_->rows.columnCount(); ++i) names.push_back(rows_->rows.columnName(i));
  return names;
}

bool SearchRows::atEnd() const { return rows_->rows.atEnd(); }

std::vector<std::optional<std::string>> SearchRows::currentRow() const {
  std::vector<std::optional<std::string>> row;
  row.reserve(rows_->rows.columnCount());
  for (std::size_t i = 0; i < rows_->rows.columnCount(); ++i) row.push_back(rows_->rows.value(i));
  return row;
}

void SearchRows::moveNext() { rows_->rows.moveNext(); }

SearchRows SearchStore::messageGroups(const std::string& partnerCode) {
  std::string sql = "SELECT 相手先コード as 受注者コード,自社コード as 発注者コード,情報区分";
  sql += " FROM FL1916メッセージグループ情報マスタ";
  SqlValues values;
  if (!platform::trimBlanks(partnerCode).empty()) {
    sql += " where 相手先コード = ?";
    values.push_back(partnerCode);
  }
  return SearchRows(OpenSearchQuery(session_, sql, values));
}

SearchRows SearchStore::terminalCenters(const std::string& partnerType, const std::string& terminal) {
  std::string sql = "SELECT センターコード,";
  sql += " センター名,";
  sql += " 相手先種別マスタ.区分名称 as 相手先種別,";
  sql += " 送受信方式マスタ.区分名称 as 送受信方式,";
  sql += " KRX受信ファイルパス,";
  sql += " 実行端末名";
  sql += " FROM ((FL1903EDI制御マスタ";
  sql += " LEFT JOIN 区分マスタ AS 相手先種別マスタ ";
  sql += " ON (相手先種別マスタ.区分コード = FL1903EDI制御マスタ.相手先種別 ";
  sql += " AND 相手先種別マスタ.区分 = ? ))";
  sql += " LEFT JOIN 区分マスタ AS 送受信方式マスタ ";
  sql += " ON (送受信方式マスタ.区分コード = FL1903EDI制御マスタ.送受信方式 ";
  sql += " AND 送受信方式マスタ.区分 = ? ))";
  sql += " WHERE FL1903EDI制御マスタ.実行端末名 = ? ";
  sql += " AND 相手先種別マスタ.区分コード = ? ";
  return SearchRows(OpenSearchQuery(session_, sql, {"相手先種別", "送受信方式", terminal, partnerType}));
}

SearchRows SearchStore::centers() {
  std::string sql = "SELECT センターコード,センター名";
  sql += " FROM FL1903EDI制御マスタ";
  return SearchRows(OpenSearchQuery(session_, sql));
}

SearchRows SearchStore::formats(const std::string& informationCode) {
  std::string sql = "SELECT DISTINCT 情報区分コード,BPID";
  sql += " FROM FL1902フォーマット情報マスタ";
  SqlValues values;
  if (!informationCode.empty()) {
    sql += " WHERE 情報区分コード=?";
    values.push_back(informationCode);
  }
  sql += " order by 情報区分コード,BPID";
  return SearchRows(OpenSearchQuery(session_, sql, values));
}

SearchRows SearchStore::dataItems() {
  std::string sql = "SELECT 項目No,データ項目名";
  sql += " FROM FL1901項目情報マスタ";
  return SearchRows(OpenSearchQuery(session_, sql));
}

}  // namespace mnt4820
