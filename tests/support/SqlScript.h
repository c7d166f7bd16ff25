#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/odbc/Connection.h"

namespace platform::odbc::test {

// The statements of an SQL script: split at semicolons outside quotes and comments, with
// comments removed and blanks trimmed; empty statements dropped.
std::vector<std::string> splitSqlScript(std::string_view script);

// Runs a script of the db/ folder through the layer, in one transaction of the layer's own:
// the script's BEGIN and COMMIT are left out.
void runSqlScript(Connection& connection, std::string_view script);

std::string readTextFile(const std::string& path);

}  // namespace platform::odbc::test
