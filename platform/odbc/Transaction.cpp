#include "platform/odbc/Transaction.h"

#include "platform/odbc/Connection.h"
#include "platform/odbc/DatabaseError.h"

namespace platform::odbc {

Transaction::Transaction(Connection& connection) : connection_(connection) {
  connection_.beginTransaction();
  active_ = true;
}

Transaction::~Transaction() {
  if (!active_) {
    return;
  }
  try {
    connection_.rollback();
  } catch (...) {
    // A destructor cannot report; the connection rolls back on disconnect at the latest.
  }
}

void Transaction::commit() {
  if (!active_) {
    throw InvalidStateError("the transaction has already ended");
  }
  connection_.commit();
  active_ = false;
}

void Transaction::rollback() {
  if (!active_) {
    throw InvalidStateError("the transaction has already ended");
  }
  active_ = false;
  connection_.rollback();
}

}  // namespace platform::odbc
