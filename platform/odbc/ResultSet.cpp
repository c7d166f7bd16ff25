#include "platform/odbc/ResultSet.h"

#include <algorithm>
#include <array>
#include <optional>
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
    case SQL_CURSOR_KEYSET_DRIVEN: return CursorKind::KeysetDriven;
    case SQL_CURSOR_STATIC: return CursorKind::Static;
    case SQL_CURSOR_DYNAMIC: return CursorKind::Dynamic;
    default: return CursorKind::ForwardOnly;
  }
}

}  // namespace

struct ResultSet::Impl {
  // Kept from row to row so that the text buffers are reused instead of reallocated. `shown` is the value:
  // inside a bound buffer, or `text` for a value read with SQLGetData.
  struct Cell {
    std::string text;
    std::string_view shown;
    bool isNull = true;
  };

  // The rows of a forward-only cursor fetched into bound buffers: one call per block (or per row) instead of
  // one per cell. A value longer than its buffer is read again whole.
  struct Block {
    static constexpr SQLULEN ManyRows = 256;
    SQLULEN rows = 1;
    std::vector<std::size_t> widths;
    std::vector<std::vector<char>> buffers;
    std::vector<std::vector<SQLLEN>> indicators;
    SQLULEN fetched = 0;
    SQLULEN position = 0;
  };

  explicit Impl(std::shared_ptr<ConnectionState> connection) : statement(std::move(connection)) {}

  void requestReadOnlyCursor(CursorRequest cursor);
  void describeColumns();
  SQLUINTEGER getDataExtensions() const;
  void bindBlock(SQLULEN rows);
  void fetch();
  void fetchFromBlock();
  // SQLFetch, which waits for the server when the driver reads the result in parts.
  SQLRETURN fetchNext() {
    return statement.watched("SQLFetch", [this] { return SQLFetch(statement.handle()); });
  }
  void readCell(SQLUSMALLINT column, Cell& cell);
  void readText(SQLUSMALLINT column, Cell& cell);

  Statement statement;
  CursorKind cursorKind = CursorKind::ForwardOnly;
  std::vector<std::string> names;
  std::vector<SQLULEN> columnSizes;
  std::vector<Cell> row;
  std::optional<Block> block;
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
  columnSizes.resize(static_cast<std::size_t>(count));
  row.resize(static_cast<std::size_t>(count));
  std::vector<SQLCHAR> name(256);
  for (SQLUSMALLINT column = 1; column <= static_cast<SQLUSMALLINT>(count); ++column) {
    SQLSMALLINT length = 0;
    auto describe = [&] {
      return statement.call("SQLDescribeCol", SQLDescribeCol(statement.handle(), column, name.data(),
                                                             static_cast<SQLSMALLINT>(name.size()), &length, nullptr,
                                                             &columnSizes[column - 1], nullptr, nullptr));
    };
    describe();
    if (static_cast<std::size_t>(length) >= name.size()) {
      name.resize(static_cast<std::size_t>(length) + 1);
      describe();
    }
    names[column - 1].assign(reinterpret_cast<const char*>(name.data()),
                             static_cast<std::size_t>(std::max<SQLSMALLINT>(length, 0)));
  }
}

// Reading a long value of a bound row again with SQLGetData needs SQL_GD_BOUND, and of a row inside a block
// also SQL_GD_BLOCK: psqlODBC has both and reads blocks; the SQLite driver has only the first and reads one
// bound row per call.
SQLUINTEGER ResultSet::Impl::getDataExtensions() const {
  SQLUINTEGER extensions = 0;
  const SQLRETURN rc =
      SQLGetInfo(statement.connectionHandle(), SQL_GETDATA_EXTENSIONS, &extensions, sizeof extensions, nullptr);
  return SQL_SUCCEEDED(rc) ? extensions : 0;
}

void ResultSet::Impl::bindBlock(SQLULEN rows) {
  // Declared sizes count characters; a UTF-8 character takes up to four bytes.
  constexpr std::size_t unknownWidth = 256;
  constexpr std::size_t widestWidth = 1024;
  Block& b = block.emplace();
  b.rows = rows;
  b.widths.resize(row.size());
  b.buffers.resize(row.size());
  b.indicators.resize(row.size());
  statement.setAttribute(SQL_ATTR_ROW_BIND_TYPE, SQL_BIND_BY_COLUMN);
  statement.setAttribute(SQL_ATTR_ROW_ARRAY_SIZE, rows);
  statement.call("SQLSetStmtAttr", SQLSetStmtAttr(statement.handle(), SQL_ATTR_ROWS_FETCHED_PTR, &b.fetched, 0));
  for (std::size_t i = 0; i < row.size(); ++i) {
    const SQLULEN size = columnSizes[i];
    b.widths[i] = size == 0 || size > widestWidth ? unknownWidth : std::max<std::size_t>(size * 4 + 1, 16);
    b.buffers[i].resize(b.widths[i] * rows);
    b.indicators[i].resize(rows);
    statement.call("SQLBindCol",
                   SQLBindCol(statement.handle(), static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR, b.buffers[i].data(),
                              static_cast<SQLLEN>(b.widths[i]), b.indicators[i].data()));
  }
}

void ResultSet::Impl::fetchFromBlock() {
  Block& b = *block;
  if (b.position + 1 < b.fetched) {
    ++b.position;
  } else {
    atEnd = fetchNext() == SQL_NO_DATA || b.fetched == 0;
    if (atEnd) return;
    b.position = 0;
  }
  for (std::size_t i = 0; i < row.size(); ++i) {
    const SQLLEN indicator = b.indicators[i][b.position];
    Cell& cell = row[i];
    if (indicator == SQL_NULL_DATA) {
      cell.isNull = true;
      cell.shown = {};
    } else if (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(b.widths[i])) {
      if (b.rows > 1) {
        statement.call("SQLSetPos", SQLSetPos(statement.handle(), static_cast<SQLSETPOSIROW>(b.position + 1),
                                              SQL_POSITION, SQL_LOCK_NO_CHANGE));
      }
      readCell(static_cast<SQLUSMALLINT>(i + 1), cell);
    } else {
      cell.isNull = false;
      cell.shown =
          std::string_view(b.buffers[i].data() + b.position * b.widths[i], static_cast<std::size_t>(indicator));
    }
  }
}

void ResultSet::Impl::fetch() {
  if (block) {
    fetchFromBlock();
    return;
  }
  atEnd = fetchNext() == SQL_NO_DATA;
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
  readText(column, cell);
  cell.shown = cell.isNull ? std::string_view{} : std::string_view(cell.text);
}

void ResultSet::Impl::readText(SQLUSMALLINT column, Cell& cell) {
  cell.text.clear();
  cell.isNull = false;
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = statement.call("SQLGetData", SQLGetData(statement.handle(), column, SQL_C_CHAR, chunk.data(),
                                                                 static_cast<SQLLEN>(chunk.size()), &indicator));
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
  if (cursor == CursorRequest::ForwardOnly) {
    const SQLUINTEGER extensions = impl_->getDataExtensions();
    if ((extensions & SQL_GD_BOUND) != 0)
      impl_->bindBlock((extensions & SQL_GD_BLOCK) != 0 ? Impl::Block::ManyRows : 1);
  }
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

std::optional<std::string> ResultSet::value(std::string_view columnName) const {
  return value(columnIndex(columnName));
}

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
  return cell.shown;
}

}  // namespace platform::odbc
