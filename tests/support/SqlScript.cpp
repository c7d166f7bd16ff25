#include "tests/support/SqlScript.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/odbc/Transaction.h"

namespace platform::odbc::test {

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool isTransactionControl(const std::string& statement) {
  std::string upper;
  for (char c : statement) {
    upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return upper == "BEGIN" || upper == "BEGIN TRANSACTION" || upper == "COMMIT" || upper == "END";
}

}  // namespace

std::vector<std::string> splitSqlScript(std::string_view script) {
  std::vector<std::string> statements;
  std::string current;
  auto finish = [&] {
    std::string statement = trimmed(current);
    if (!statement.empty()) {
      statements.push_back(std::move(statement));
    }
    current.clear();
  };
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (c == '\'' || c == '"') {
      // A doubled quote inside a literal simply closes and reopens it.
      const std::size_t end = script.find(c, i + 1);
      const std::size_t stop = end == std::string_view::npos ? script.size() : end + 1;
      current.append(script.substr(i, stop - i));
      i = stop - 1;
    } else if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
      const std::size_t end = script.find('\n', i);
      i = end == std::string_view::npos ? script.size() : end;
      current += '\n';
    } else if (c == ';') {
      finish();
    } else {
      current += c;
    }
  }
  finish();
  return statements;
}

void runSqlScript(Connection& connection, std::string_view script) {
  Transaction transaction(connection);
  for (const std::string& statement : splitSqlScript(script)) {
    if (!isTransactionControl(statement)) {
      connection.execute(statement);
    }
  }
  transaction.commit();
}

std::string readTextFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read " + path);
  }
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace platform::odbc::test
