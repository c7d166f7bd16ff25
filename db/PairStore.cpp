#include "db/PairStore.h"

#include <stdexcept>
#include <utility>

#include "db/QueryOperations.h"
#include "platform/odbc/ResultSet.h"
#include "platform/odbc/Transaction.h"

namespace mnt4820 {

namespace {

SqlValues valuesOf(const PairKey& pair) {
  return {platform::odbc::Parameter(pair.centerCode), platform::odbc::Parameter(pair.partnerCode)};
}

}  // namespace

std::optional<std::string> PairStore::centerName(const std::string& centerCode) {
  const platform::odbc::ResultSet center =
      OpenQuery(session_, "SELECT  センターコード,センター名 FROM FL1903EDI制御マスタ  WHERE センターコード = ?",
                {platform::odbc::Parameter(centerCode)});
  if (center.atEnd()) return std::nullopt;
  return std::string(center.view(1).value_or(""));
}

bool PairStore::partnerCodeUsed(const std::string& partnerCode) {
  const platform::odbc::ResultSet partner =
      OpenQuery(session_, "SELECT  相手先企業コード FROM FL1915センタ利用企業マスタ  WHERE 相手先企業コード = ?",
                {platform::odbc::Parameter(partnerCode)});
  return !partner.atEnd();
}

void PairStore::replacePair(const std::optional<PairKey>& replaced, const PairKey& added) {
  platform::odbc::Transaction transaction(liveConnection(session_));
  if (replaced) {
    // A pair removed meanwhile (or stored differently from what the listing shows) is not replaced: inserting
    // the new one anyway would turn the change into an add and leave the old pair behind.
    const std::int64_t removed = ExecuteSql(
        session_, "DELETE  FROM FL1915センタ利用企業マスタ WHERE センターコード = ? AND 相手先企業コード = ?",
        valuesOf(*replaced));
    if (removed != 1) throw std::runtime_error("the pair to change is no longer stored as listed");
  }
  ExecuteSql(session_, "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES  (?, ?)",
             valuesOf(added));
  transaction.commit();
}

std::int64_t PairStore::removePair(StoreTransaction& change, const PairKey& pair) {
  if (!change.isActive()) throw std::logic_error("a pair is removed only inside an open change");
  return ExecuteSql(session_,
                    "DELETE FROM FL1915センタ利用企業マスタ WHERE センターコード = ? AND 相手先企業コード = ?",
                    valuesOf(pair));
}

}  // namespace mnt4820
