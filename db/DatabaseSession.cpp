#include "db/DatabaseSession.h"

#include <stdexcept>

#include "db/QueryOperations.h"
#include "platform/odbc/Environment.h"
#include "platform/text/CodePage.h"

namespace mnt4820 {

DatabaseSession::DatabaseSession() = default;
DatabaseSession::~DatabaseSession() = default;

std::string BuildConnectString(const DbSettings& db) {
  return "DSN=" + platform::trimBlanks(db.DbString) + ";UID=" + platform::trimBlanks(db.UserId) +
         ";PWD=" + platform::trimBlanks(db.Password) + ";";
}

void ConnectDatabase(DatabaseSession& session, const DbSettings& db) {
  session.ConnectString = BuildConnectString(db);
  // unixODBC answers "DSN=;" with whatever data source its files name first: an empty data-source name
  // must fail here rather than open some other database.
  if (platform::trimBlanks(db.DbString).empty()) throw std::invalid_argument("no data source is named");
  session.DbEnvironment = std::make_unique<platform::odbc::Environment>();
  session.DbConnection = std::make_unique<platform::odbc::Connection>(
      platform::odbc::Connection::open(*session.DbEnvironment, session.ConnectString, optionsOf(session)));
}

void CloseDatabase(DatabaseSession& session) {
  if (session.DbConnection) session.DbConnection->close();
  session.DbConnection.reset();
  session.DbEnvironment.reset();
}

}  // namespace mnt4820
