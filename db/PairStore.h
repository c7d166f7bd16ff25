#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "db/PairListing.h"
#include "db/StoreTransaction.h"

namespace mnt4820 {

struct DatabaseSession;

// A center-user pair of "FL1915センタ利用企業マスタ".
struct PairKey {
  std::string centerCode;
  std::string partnerCode;
};

// The pairs of "FL1915センタ利用企業マスタ" with the center names of "FL1903EDI制御マスタ", on the session's
// connection. Reads run once more on a new connection when it turns out lost; changes never run twice. Errors
// pass to the caller.
class PairStore {
 public:
  explicit PairStore(DatabaseSession& session) : session_(session) {}

  // Every pair whose center exists, ordered by center and partner code, read in pages.
  PairListing listing() { return PairListing(session_, std::nullopt); }
  // The same for one center.
  PairListing centerListing(const std::string& centerCode) { return PairListing(session_, centerCode); }
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
