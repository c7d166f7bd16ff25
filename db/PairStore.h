#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "db/StoreTransaction.h"

namespace platform::odbc {
class ResultSet;
}

namespace mnt4820 {

struct DatabaseSession;

// A center-user pair of "FL1915センタ利用企業マスタ".
struct PairKey {
  std::string centerCode;
  std::string partnerCode;
};

// A listing of the pairs with their center names, read once from start to end while the grid takes it in.
class PairListing {
 public:
  // The current row's cells as stored (a null is the empty text); valid until the next move.
  struct Row {
    std::string_view centerCode;
    std::string_view centerName;
    std::string_view partnerCode;
  };

  explicit PairListing(platform::odbc::ResultSet rows);
  ~PairListing();
  PairListing(PairListing&&) noexcept;
  PairListing& operator=(PairListing&&) noexcept;

  bool atEnd() const;
  Row row() const;
  void moveNext();
  void close();

 private:
  std::unique_ptr<platform::odbc::ResultSet> rows_;
  // Looked up once: a name search per cell would cost more than the reading.
  std::size_t center_ = 0;
  std::size_t centerName_ = 0;
  std::size_t partner_ = 0;
};

// The pairs of "FL1915センタ利用企業マスタ" with the center names of "FL1903EDI制御マスタ", on the session's
// connection. Reads run once more on a new connection when it turns out lost; changes never run twice. Errors
// pass to the caller.
class PairStore {
 public:
  explicit PairStore(DatabaseSession& session) : session_(session) {}

  // Every pair whose center exists, ordered by center and partner code.
  PairListing listing();
  // The same for one center.
  PairListing centerListing(const std::string& centerCode);
  // The name of a registered center; none when the center is not registered.
  std::optional<std::string> centerName(const std::string& centerCode);
  // Whether any center uses the partner code.
  bool partnerCodeUsed(const std::string& partnerCode);
  // Adds `added`, in place of `replaced` when one is given, in one transaction. A replaced pair that is no longer
  // stored as given is not replaced: the change throws and nothing is stored.
  void replacePair(const std::optional<PairKey>& replaced, const PairKey& added);
  // A transaction for changes that wait on the operator's answer.
  StoreTransaction beginChange() { return StoreTransaction(session_); }
  // Removes the pair inside the open `change`; the number of rows removed (0 when it is not stored).
  std::int64_t removePair(StoreTransaction& change, const PairKey& pair);

 private:
  DatabaseSession& session_;
};

}  // namespace mnt4820
