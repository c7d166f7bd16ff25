#include "db/StoreTransaction.h"

#include "db/QueryOperations.h"
#include "platform/odbc/Transaction.h"

namespace mnt4820 {

StoreTransaction::StoreTransaction(DatabaseSession& session)
    : transaction_(std::make_unique<platform::odbc::Transaction>(liveConnection(session))) {}

StoreTransaction::~StoreTransaction() = default;

void StoreTransaction::commit() { transaction_->commit(); }

void StoreTransaction::rollback() { transaction_->rollback(); }

bool StoreTransaction::isActive() const { return transaction_->isActive(); }

}  // namespace mnt4820
