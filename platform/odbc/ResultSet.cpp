#include "platform/odbc/ResultSet.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/odbc/DatabaseError.h"
#include "platform/odbc/Statement.h"
#include "platform/text/AsciiCase.h"

namespace platform::odbc {

namespace {

// Most values fit in one piece; longer ones are read in several. Small, because a driver may fill the whole
// buffer for every value (the SQLite driver pads it with zeros).
constexpr std::size_t chunkSize = 256;

CursorKind toCursorKind(SQLULEN type) {
  switch (type) {
    case SQL_CURSOR_KEYSET_DRIVEN:
      return CursorKind::KeysetDriven;
    case SQL_CURSOR_STATIC:
      return CursorKind::Static;
    case SQL_CURSOR_DYNAMIC:
      return CursorKind::Dynamic;
    default:
      return CursorKind::ForwardOnly;
  }
}

}  // namespace

struct ResultSet::Impl {
  // Kept from row to row so that the text buffers are reused instead of reallocated.
  struct Cell {
    std::string text;
    bool isNull = true;
  };

  explicit Impl(std::shared_ptr<ConnectionState> connection) : statement(std::move(connection)) {}

  void requestReadOnlyCursor(CursorRequest cursor);
  void describeColumns();
  void fetch();
  void readCell(SQLUSMALLINT column, Cell& cell);

  Statement statement;
  CursorKind cursorKind = CursorKind::ForwardOnly;
  std::vector<std::string> names;
  std::vector<Cell> row;
  bool atEnd = true;
  std::array<char, chunkSize> chunk{};
};

// Keyset-driven where the driver offers it, else static, else forward-only. What the
// drivers of this system give (read back after execution):
//   psqlODBC 13 (psqlodbcw.so): keyset-driven and read-only, for single tables and joins;
//   SQLite3 ODBC 0.9998: static, having no keyset cursors; it also reports lock
//     concurrency for every cursor, which changes nothing here as this class only reads.
void ResultSet::Impl::requestReadOnlyCursor(CursorRequest cursor) {
  if (cursor == CursorRequest::ForwardOnly) {
    statement.setAttribute(SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY);
    statement.setAttribute(SQL_ATTR_CONCURRENCY, SQL_CONCUR_READ_ONLY);
    return;
  }
  for (SQLULEN type : {SQLULEN{SQL_CURSOR_KEYSET_DRIVEN}, SQLULEN{SQL_CURSOR_STATIC}}) {
    try {
      // A driver that substitutes a type of its own answers with information 01S02.
      statement.setAttribute(SQL_ATTR_CURSOR_TYPE, type);
      break;
    } catch (const OdbcError&) {
      // Refused outright: try the next weaker kind.
    }
  }
  statement.setAttribute(SQL_ATTR_CONCURRENCY, SQL_CONCUR_READ_ONLY);
}

void ResultSet::Impl::describeColumns() {
  SQLSMALLINT count = 0;
  statement.call("SQLNumResultCols", SQLNumResultCols(statement.handle(), &count));
  if (count <= 0) {
    throw InvalidStateError("the statement returned no result set");
  }
  names.resize(static_cast<std::size_t>(count));
  row.resize(static_cast<std::size_t>(count));
  std::vector<SQLCHAR> name(256);
  for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(count); ++column) {
    SQLSMALLINT length = 0;
    auto describe = [&] {
      return statement.call("SQLDescribeCol",
                            SQLDescribeCol(statement.handle(), column, name.data(), static_cast<SQLSMALLINT>(name.size()),
                                           &length, nullptr, nullptr, nullptr, nullptr));
    };
    describe();
    if (static_cast<std::size_t>(length) >= name.size()) {
      name.resize(static_cast<std::size_t>(length) + 1);
      describe();
    }
    names[column - 1].assign(reinterpret_cast<const char*>(name.data()), static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0)));
  }
}

void ResultSet::Impl::fetch() {
  atEnd = statement.call("SQLFetch", SQLFetch(statement.handle())) == SQL_NO_DATA;
  if (atEnd) {
    return;
  }
  for (std::size_t i = 0; i < row.size(); ++i) {
    readCell(static_cast<SQLUSMALLINT>(i + 1), row[i]);
  }
}

// Reads one column as text, in as many pieces as it takes: each truncated piece fills the
// chunk but for its terminating NUL; the driver may not know the total (SQL_NO_TOTAL).
void ResultSet::Impl::readCell(SQLUSMALLINT column, Cell& cell) {
  cell.text.clear();
  cell.isNull = false;
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = statement.call(
        "SQLGetData", SQLGetData(statement.handle(), column, SQL_C_CHAR, chunk.data(), static_cast<SQLLEN>(chunk.size()), &indicator));
    if (rc == SQL_NO_DATA) {
      return;  // the previous piece was the last
    }
    if (indicator == SQL_NULL_DATA) {
      cell.isNull = true;
      return;
    }
    const bool truncated = indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(chunk.size());
    if (!truncated) {
      cell.text.append(chunk.data(), static_cast<std::size_t>(indicator));
      return;
    }
    cell.text.append(chunk.data(), chunk.size() - 1);
    if (indicator != SQL_NO_TOTAL) {
      cell.text.reserve(cell.text.size() + static_cast<std::size_t>(indicator) - (chunk.size() - 1));
    }
  }
}

ResultSet::ResultSet() = default;
ResultSet::ResultSet(ResultSet&&) noexcept = default;
ResultSet& ResultSet::operator=(ResultSet&&) noexcept = default;
ResultSet::~ResultSet() = default;

ResultSet::ResultSet(std::shared_ptr<ConnectionState> connection, const std::string& sql,
                     const std::vector<Parameter>& params, CursorRequest cursor)
    : impl_(std::make_unique<Impl>(std::move(connection))) {
  impl_->requestReadOnlyCursor(cursor);
  impl_->statement.execute(sql, params);
  impl_->cursorKind = toCursorKind(impl_->statement.attribute(SQL_ATTR_CURSOR_TYPE));
  impl_->describeColumns();
  impl_->fetch();
}

const ResultSet::Impl& ResultSet::openImpl() const {
  if (!impl_) {
    throw InvalidStateError("the result set is closed");
  }
  // The handle goes when the connection is closed under the result set.
  if (impl_->statement.handle() == nullptr) {
    throw InvalidStateError("the connection of the result set is closed");
  }
  return *impl_;
}

ResultSet::Impl& ResultSet::openImpl() { return const_cast<Impl&>(std::as_const(*this).openImpl()); }

bool ResultSet::isOpen() const { return impl_ && impl_->statement.handle() != nullptr; }

void ResultSet::close() { impl_.reset(); }

CursorKind ResultSet::cursorKind() const { return openImpl().cursorKind; }

bool ResultSet::atEnd() const { return openImpl().atEnd; }

void ResultSet::moveNext() {
  Impl& impl = openImpl();
  if (impl.atEnd) {
    throw InvalidStateError("moveNext past the last row");
  }
  impl.fetch();
}

std::size_t ResultSet::columnCount() const { return openImpl().names.size(); }

const std::string& ResultSet::columnName(std::size_t position) const {
  const Impl& impl = openImpl();
  if (position >= impl.names.size()) {
    throw ColumnNotFoundError("#" + std::to_string(position));
  }
  return impl.names[position];
}

std::size_t ResultSet::columnIndex(std::string_view columnName) const {
  const Impl& impl = openImpl();
  for (std::size_t i = 0; i < impl.names.size(); ++i) {
    if (platform::equalsIgnoringAsciiCase(impl.names[i], columnName)) {
      return i;
    }
  }
  throw ColumnNotFoundError(std::string(columnName));
}

std::optional<std::string> ResultSet::value(std::string_view columnName) const { return value(columnIndex(columnName)); }

std::optional<std::string> ResultSet::value(std::size_t position) const {
  const std::optional<std::string_view> cell = view(position);
  if (!cell) return std::nullopt;
  return std::string(*cell);
}

std::optional<std::string_view> ResultSet::view(std::size_t position) const {
  const Impl& impl = openImpl();
  if (position >= impl.row.size()) {
    throw ColumnNotFoundError("#" + std::to_string(position));
  }
  if (impl.atEnd) {
    throw InvalidStateError("no current row: the result set is at its end");
  }
  const Impl::Cell& cell = impl.row[position];
  if (cell.isNull) {
    return std::nullopt;
  }
  return cell.text;
}

}  // namespace platform::odbc
