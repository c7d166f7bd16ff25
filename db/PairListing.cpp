#include "db/PairListing.h"

#include <stdexcept>
#include <utility>

#include "db/QueryOperations.h"
#include "platform/odbc/ResultSet.h"

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
const std::string OfCenter = " AND FL1915センタ利用企業マスタ.センターコード = ?";
// The key is the table's primary key, so that the pages neither overlap nor leave a gap; the comparison and the
// order are the engine's own for the same two columns.
const std::string AfterKey =
    " AND (FL1915センタ利用企業マスタ.センターコード, FL1915センタ利用企業マスタ.相手先企業コード) > (?, ?)";
const std::string ListingOrder = " ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード";

enum Cell : std::size_t { CenterCell, CenterNameCell, PartnerCell };

}  // namespace

PairListing::PairListing(DatabaseSession& session, std::optional<std::string> centerCode, ListingPages pages)
    : session_(&session), centerCode_(std::move(centerCode)), pages_(pages) {
  if (pages_.first < 1 || pages_.next < 1) throw std::invalid_argument("a listing page holds at least one pair");
  readPage();
}

bool PairListing::atEnd() {
  if (pageUsedUp()) readPage();
  return current_ == rowsInPage();
}

PairListing::Row PairListing::row() const {
  if (current_ >= rowsInPage()) throw std::logic_error("the listing has no current row");
  return Row{cell(current_, CenterCell), cell(current_, CenterNameCell), cell(current_, PartnerCell)};
}

void PairListing::moveNext() {
  if (current_ >= rowsInPage()) throw std::logic_error("the listing has no current row");
  ++current_;
}

void PairListing::close() { closed_ = true; }

std::string_view PairListing::cell(std::size_t row, std::size_t column) const {
  const std::size_t index = row * CellsPerRow + column;
  const std::uint32_t begin = index == 0 ? 0 : cellEnds_[index - 1];
  return std::string_view(cells_).substr(begin, cellEnds_[index] - begin);
}

void PairListing::readPage() {
  if (closed_) throw std::logic_error("the listing was closed before its end");
  std::string sql = ListingSelect;
  SqlValues values;
  if (centerCode_) {
    sql += OfCenter;
    values.emplace_back(*centerCode_);
  }
  const bool firstPage = rowsInPage() == 0;
  if (!firstPage) {
    sql += AfterKey;
    values.emplace_back(std::string(cell(rowsInPage() - 1, CenterCell)));
    values.emplace_back(std::string(cell(rowsInPage() - 1, PartnerCell)));
  }
  const int limit = firstPage ? pages_.first : pages_.next;
  sql += ListingOrder + " LIMIT " + std::to_string(limit);

  // Read into buffers of their own, so that a page that fails leaves the listing where it was.
  std::string cells;
  std::vector<std::uint32_t> cellEnds;
  cells.reserve(cells_.capacity());
  cellEnds.reserve(CellsPerRow * static_cast<std::size_t>(limit));
  platform::odbc::ResultSet rows = OpenQuery(*session_, sql, values, platform::odbc::CursorRequest::ForwardOnly);
  const std::size_t columns[CellsPerRow] = {rows.columnIndex("センターコード"), rows.columnIndex("センター名"),
                                            rows.columnIndex("相手先企業コード")};
  for (; !rows.atEnd(); rows.moveNext()) {
    for (const std::size_t column : columns) {
      cells.append(rows.view(column).value_or(std::string_view{}));
      cellEnds.push_back(static_cast<std::uint32_t>(cells.size()));
    }
  }
  rows.close();
  cells_ = std::move(cells);
  cellEnds_ = std::move(cellEnds);
  current_ = 0;
  lastPage_ = rowsInPage() < static_cast<std::size_t>(limit);
}

}  // namespace mnt4820
