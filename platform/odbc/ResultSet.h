#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/odbc/Parameter.h"

namespace platform::odbc {

class Connection;
class ConnectionState;

// The cursor type the driver actually gave a result set.
enum class CursorKind { ForwardOnly, Static, KeysetDriven, Dynamic };

// What a caller asks for: a scrollable cursor (keyset-driven where the driver has one), or a forward-only one
// for a result that is read once from start to end, which drivers deliver without keeping it all.
enum class CursorRequest { Scrollable, ForwardOnly };

// A read-only result set. It stands on its first row once opened; the current row's
// columns are read as UTF-8 text once per move. Move-only; a default-constructed one is
// closed.
class ResultSet {
 public:
  ResultSet();
  ResultSet(ResultSet&&) noexcept;
  ResultSet& operator=(ResultSet&&) noexcept;
  ResultSet(const ResultSet&) = delete;
  ResultSet& operator=(const ResultSet&) = delete;
  ~ResultSet();

  bool isOpen() const;
  void close();

  CursorKind cursorKind() const;
  // True when no row is current: the result was empty or moveNext went past the last row.
  bool atEnd() const;
  // Throws InvalidStateError when already at the end.
  void moveNext();

  std::size_t columnCount() const;
  const std::string& columnName(std::size_t position) const;
  // Position of the first column of that name, compared without regard to ASCII case
  // (PostgreSQL folds unquoted names to lower case); other letters must match exactly.
  // Throws ColumnNotFoundError.
  std::size_t columnIndex(std::string_view columnName) const;

  // The current row's value; std::nullopt for SQL NULL. Throws InvalidStateError at the end.
  std::optional<std::string> value(std::string_view columnName) const;
  std::optional<std::string> value(std::size_t position) const;
  // The same without a copy: valid until the next move; std::nullopt for SQL NULL.
  std::optional<std::string_view> view(std::size_t position) const;

 private:
  friend class Connection;
  ResultSet(std::shared_ptr<ConnectionState> connection, const std::string& sql, const std::vector<Parameter>& params,
            CursorRequest cursor);

  struct Impl;
  const Impl& openImpl() const;
  Impl& openImpl();
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform::odbc
