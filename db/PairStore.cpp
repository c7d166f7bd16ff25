#include "db/PairStore.h"

#include <stdexcept>
#include <utility>

#include "db/QueryOperations.h"
#include "platform/odbc/ResultSet.h"
#include "platform/odbc/Transaction.h"

namespace mnt4820 {

namespace {

const std::string ListingSelect =
    "SELECT "
    " FL1915センタ利用企業マスタ.センターコード,"
    " FL1915センタ利用企業マスタ.相手先企業コード,"
    " FL1903EDI制御マスタ.センター名 "
    " FROM FL1915センタ利用企業マスタ,"
    " FL1903EDI制御マスタ "
    " WHERE FL1915センタ利用企業マスタ.センターコード = FL1903EDI制御マスタ.センターコード";
const std::string ListingOrder = " ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード";

SqlValues valuesOf(const PairKey& pair) {
  return {platform::odbc::Parameter(pair.centerCode), platform::odbc::Parameter(pair.partnerCode)};
}

}  // namespace

PairListing::PairListing(platform::odbc::ResultSet rows)
    : rows_(std::make_unique<platform::odbc::ResultSet>(std::move(rows))),
      center_(rows_->columnIndex("センターコード")),
      centerName_(rows_->columnIndex("センター名")),
      partner_(rows_->columnIndex("相手先企業コード")) {}

PairListing::~PairListing() = default;
PairListing::PairListing(PairListing&&) noexcept = default;
PairListing& PairListing::operator=(PairListing&&) noexcept = default;

bool PairListing::atEnd() const { return rows_->atEnd(); }

PairListing::Row PairListing::row() const {
  const auto cell = [this](std::size_t column) { return rows_->view(column).value_or(std::string_view{}); };
  return Row{cell(center_), cell(centerName_), cell(partner_)};
}

void PairListing::moveNext() { rows_->moveNext(); }

void PairListing::close() { rows_->close(); }

PairListing PairStore::listing() {
  // The listing is read once from start to end.
  return PairListing(OpenQuery(session_, ListingSelect + ListingOrder, {}, platform::odbc::CursorRequest::ForwardOnly));
}

PairListing PairStore::centerListing(const std::string& centerCode) {
  return PairListing(OpenQuery(session_,
                               ListingSelect + " AND FL1915センタ利用企業マスタ.センターコード = ?" + ListingOrder,
                               {platform::odbc::Parameter(centerCode)}, platform::odbc::CursorRequest::ForwardOnly));
}

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
