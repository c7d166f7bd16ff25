#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mnt4820 {

struct DatabaseSession;

// How many pairs each statement of a listing reads: a first page that fills the first screen at once, then
// larger ones, so that the first rows never wait for the whole table.
struct ListingPages {
  int first = 256;
  int next = 4096;
};

// The pairs of "FL1915センタ利用企業マスタ" whose center exists in "FL1903EDI制御マスタ", with the center's name,
// in the order of center and partner code: all of them, or those of one center. The listing is read in pages by
// key: each page is one short statement, read whole and closed before its rows are handed on, which starts after
// the last pair of the page before. No statement stays open between pages, so a transaction begun or ended on
// the session's connection meanwhile cannot cut the listing short; a pair that another workstation adds or
// removes meanwhile shows in either state, and every other pair shows once. Errors pass to the caller.
class PairListing {
 public:
  // The current row's cells as stored (a null is the empty text); valid until the next move.
  struct Row {
    std::string_view centerCode;
    std::string_view centerName;
    std::string_view partnerCode;
  };

  // Reads the first page.
  PairListing(DatabaseSession& session, std::optional<std::string> centerCode, ListingPages pages = {});

  // Whether the listing has ended; reads the next page when the current one is used up.
  bool atEnd();
  // Whether moving on from here runs a statement: the current page is used up and another may follow.
  bool pageUsedUp() const { return current_ == rowsInPage() && !lastPage_; }
  // Throws std::logic_error past the current page's rows (atEnd() tells first).
  Row row() const;
  void moveNext();
  // Lets the listing go before its end: moving on past the rows already read then throws std::logic_error, so
  // that a listing given up never passes for a complete one.
  void close();

 private:
  void readPage();
  std::size_t rowsInPage() const { return cellEnds_.size() / CellsPerRow; }
  std::string_view cell(std::size_t row, std::size_t column) const;

  static constexpr std::size_t CellsPerRow = 3;

  DatabaseSession* session_;
  std::optional<std::string> centerCode_;
  ListingPages pages_;
  // The page's cells back to back, and where each ends: one buffer for the page instead of a string per cell.
  std::string cells_;
  std::vector<std::uint32_t> cellEnds_;
  std::size_t current_ = 0;
  // The page read last held fewer pairs than it asked for: nothing follows it.
  bool lastPage_ = false;
  bool closed_ = false;
};

}  // namespace mnt4820
