#pragma once

namespace platform::odbc {

class Connection;

// Begins a transaction and rolls it back when it goes out of scope without commit(), so no
// error path can leave the connection inside a transaction.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void commit();
  void rollback();
  bool isActive() const { return active_; }

 private:
  Connection& connection_;
  bool active_ = false;
};

}  // namespace platform::odbc
