#pragma once

#include <memory>

namespace platform::odbc {
class Transaction;
}

namespace mnt4820 {

struct DatabaseSession;

// A transaction on the session's connection that a screen holds while the operator answers a question; the
// store's changes handed it run inside it. Rolled back when it ends still open.
class StoreTransaction {
 public:
  // Begins on the session's connection, opened again first when it was lost (see liveConnection).
  explicit StoreTransaction(DatabaseSession& session);
  ~StoreTransaction();
  StoreTransaction(const StoreTransaction&) = delete;
  StoreTransaction& operator=(const StoreTransaction&) = delete;

  void commit();
  void rollback();
  bool isActive() const;

 private:
  std::unique_ptr<platform::odbc::Transaction> transaction_;
};

}  // namespace mnt4820
