#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mnt4820 {

struct DatabaseSession;
struct OwnConnectionRows;

// A code search's listing, read on a connection of its own that it keeps while it is open.
class SearchRows {
 public:
  explicit SearchRows(OwnConnectionRows rows);
  ~SearchRows();
  SearchRows(SearchRows&&) noexcept;
  SearchRows& operator=(SearchRows&&) noexcept;

  std::vector<std::string> columnNames() const;
  bool atEnd() const;
  // The current row's values, a null as none.
  std::vector<std::optional<std::string>> currentRow() const;
  void moveNext();

 private:
  std::unique_ptr<OwnConnectionRows> rows_;
};

// The five kinds of code search, each the listing of one master table. Each opens a connection of its own from
// the session's connect string; the read runs once more on a new one when it turns out lost. Errors pass to the
// caller. Key values are bound as they are given.
class SearchStore {
 public:
  explicit SearchStore(DatabaseSession& session) : session_(session) {}

  // The message groups, of the partner `partnerCode` when it is not blank.
  SearchRows messageGroups(const std::string& partnerCode);
  // The centers of the terminal with the partner type, their partner type and transfer method named.
  SearchRows terminalCenters(const std::string& partnerType, const std::string& terminal);
  SearchRows centers();
  // The formats' distinct information codes and BPIDs, of one information code when it is not empty.
  SearchRows formats(const std::string& informationCode);
  SearchRows dataItems();

 private:
  DatabaseSession& session_;
};

}  // namespace mnt4820
