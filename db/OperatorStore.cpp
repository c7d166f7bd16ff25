#include "db/OperatorStore.h"

#include <stdexcept>

#include "db/QueryOperations.h"
#include "platform/odbc/Transaction.h"
#include "platform/text/NumberConversion.h"

namespace mnt4820 {

std::optional<OperatorRow> OperatorStore::find(const std::string& code) {
  const platform::odbc::ResultSet rows =
      OpenQuery(session_, "SELECT * FROM FL0003担当者マスタ WHERE 担当者コード = ?", {code});
  if (rows.atEnd()) return std::nullopt;
  return OperatorRow{
      rows.value("担当者氏名").value_or(""), platform::leadingNumber16(rows.value("IME起動モード").value_or("")),
      platform::leadingNumber16(rows.value("権限レベル").value_or("")), rows.value("パスワード").value_or("")};
}

void OperatorStore::setPassword(const std::string& code, const std::string& password) {
  platform::odbc::Transaction transaction(liveConnection(session_));
  // The row of the operator just looked up; if it has gone in the meantime nothing was changed.
  if (ExecuteSql(session_, "UPDATE FL0003担当者マスタ SET パスワード = ? WHERE 担当者コード = ?", {password, code}) < 1)
    throw std::runtime_error("no operator row " + code + " was updated");
  transaction.commit();
}

}  // namespace mnt4820
