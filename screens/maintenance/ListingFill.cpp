#include "screens/maintenance/ListingFill.h"

#include <chrono>
#include <string>
#include <utility>

#include "db/PairStore.h"
#include "framework/Conventions.h"
#include "platform/text/CodePage.h"
#include "program/ErrorReport.h"
#include "screens/maintenance/ListingGrid.h"

namespace mnt4820 {

namespace {

using platform::ui::CellAlignment;
using platform::ui::ListGrid;

constexpr const char* GridTitles[ListingGrid::Cols] = {"", "ｾﾝﾀｰｺｰﾄﾞ", "  ", "相手先企業ｺｰﾄﾞ"};
constexpr int GridColWidths[ListingGrid::Cols] = {0, 1600, 5500, 1820};
constexpr int GridRowHeight = 360;

// Sets GridLoaded when the fill that made it ends, by its last row or by an error.
class LoadedWhenDone {
 public:
  explicit LoadedWhenDone(MaintenanceState& state) : state_(state) {}
  ~LoadedWhenDone() { state_.GridLoaded = true; }
  LoadedWhenDone(const LoadedWhenDone&) = delete;
  LoadedWhenDone& operator=(const LoadedWhenDone&) = delete;

 private:
  MaintenanceState& state_;
};

// How often the new rows of an arriving listing are shown: each showing repaints the grid.
constexpr std::chrono::milliseconds ShowRowsEvery{200};

// The grid emptied and titled for a new listing; a listing still arriving is dropped, so that a narrowing or a
// reload replaces it.
void startFill(MaintenanceScreen& maintenance, bool anyRow) {
  maintenance.arriving.stop();
  maintenance.arrivingRows.reset();
  ListGrid& grid = maintenance.window.GRID;
  // Rows = GridRowCount + 1 as each row comes: the first row found drops the old ones, which then need no
  // emptying.
  if (anyRow) grid.setRows(1);
  grid.clear();
  grid.setCols(ListingGrid::Cols);
  grid.setRow(0);
  for (int col = ListingGrid::CenterCol; col < ListingGrid::Cols; ++col) {
    grid.setCol(col);
    grid.setText(GridTitles[col]);
  }
  for (int col = 0; col < ListingGrid::Cols; ++col) grid.setColWidth(col, GridColWidths[col]);
  maintenance.state.GridRowCount = 0;
}

// Appends the listing's rows to the grid's cells until it ends (true) or `more` says to stop. `more` is asked
// before the listing, whose next row may need its next page read.
template <class More>
bool appendListingRows(MaintenanceState& state, platform::ui::GridStore& cells, PairListing& listing, More more) {
  for (;; listing.moveNext()) {
    if (!more()) return false;
    if (listing.atEnd()) return true;
    const PairListing::Row pair = listing.row();
    const int row = cells.appendRow(GridRowHeight, CellAlignment::LeftCenter);
    cells.setAlignment(row, 0, CellAlignment::General);
    cells.setText(row, ListingGrid::CenterCol, platform::trimBlanksView(pair.centerCode));
    cells.setText(row, ListingGrid::CenterNameCol, platform::trimBlanksView(pair.centerName));
    cells.setText(row, ListingGrid::PartnerCol, platform::trimBlanksView(pair.partnerCode));
    ++state.GridRowCount;
  }
}

// The current cell on the last row filled, column 3 (the title row when nothing was found).
void currentCellToLastRow(MaintenanceScreen& maintenance) {
  maintenance.window.GRID.setRow(maintenance.state.GridRowCount);
  maintenance.window.GRID.setCol(ListingGrid::PartnerCol);
}

// Whether a slice of reading may go on: until its time is up, the clock read every 256 rows only.
class SliceBudget {
 public:
  explicit SliceBudget(std::chrono::milliseconds time) : until_(std::chrono::steady_clock::now() + time) {}
  bool operator()() { return ++rows_ % 256 != 0 || std::chrono::steady_clock::now() < until_; }

 private:
  std::chrono::steady_clock::time_point until_;
  int rows_ = 0;
};

// The grid emptied and filled from the listing while `more` says so, row changes not shown meanwhile, the current
// cell on the last row filled; true when the listing has ended.
template <class More>
bool fillFromListing(MaintenanceScreen& maintenance, PairListing& resultSet, More more) {
  MaintenanceState& state = maintenance.state;
  ListGrid& grid = maintenance.window.GRID;
  state.GridLoaded = false;
  // However the fill ends, row changes are shown again afterwards.
  const LoadedWhenDone loaded(state);
  const ListGrid::Update update(grid);
  startFill(maintenance, !resultSet.atEnd());
  const bool atEnd = appendListingRows(state, grid.cellsForUpdate(), resultSet, more);
  currentCellToLastRow(maintenance);
  return atEnd;
}

// Where an arriving listing stands between its slices.
struct Arrival {
  // When the grid's views last heard of the new rows.
  std::chrono::steady_clock::time_point shown = std::chrono::steady_clock::now();
  // The row the first part of the fill left the current cell on.
  int placedRow = 0;
  // The screen's area at the first slice, once the operation that filled the grid has ended.
  std::optional<Area> area = std::nullopt;
};

// One slice of the arriving listing; true once it is all in the grid.
bool readArrivingSlice(MaintenanceScreen& maintenance, Arrival& arrival) {
  MaintenanceState& state = maintenance.state;
  ListGrid& grid = maintenance.window.GRID;
  if (!arrival.area) arrival.area = maintenance.program.screen.ScreenArea;
  const bool atEnd = appendListingRows(state, grid.cellsForAppend(), *maintenance.arrivingRows,
                                       SliceBudget(maintenance.program.ui.sliceTime()));
  if (!atEnd && std::chrono::steady_clock::now() - arrival.shown < ShowRowsEvery) return false;
  grid.showAppendedRows();
  arrival.shown = std::chrono::steady_clock::now();
  if (!atEnd) return false;
  // The current cell ends on the last row, as a complete fill leaves it, unless the operator has moved it or
  // opened or left a pair meanwhile, which would then no longer be the highlighted row; the row-change handler
  // ignores the move, as it ignores a fill's.
  if (maintenance.program.screen.ScreenArea == arrival.area && grid.row() == arrival.placedRow &&
      grid.col() == ListingGrid::PartnerCol) {
    state.GridLoaded = false;
    const LoadedWhenDone loaded(state);
    currentCellToLastRow(maintenance);
  }
  maintenance.program.ui.moment("listing-complete");
  maintenance.arrivingRows.reset();
  return true;
}

bool arrivingSlice(MaintenanceScreen& maintenance, Arrival& arrival) {
  try {
    return readArrivingSlice(maintenance, arrival);
  } catch (const std::exception& error) {
    // A page that cannot be read, even on a new connection: the listing is read again from its start, and a
    // reload that fails leaves what arrived, as any failed reload leaves the grid.
    reportCaughtError("FillGrid", error);
    maintenance.arrivingRows.reset();
    std::int16_t status = StatusGoOn;
    showFullListing(maintenance, status);
    return true;
  }
}

}  // namespace

void QueryListing(MaintenanceScreen& maintenance, std::optional<PairListing>& resultSet, std::int16_t& status) {
  status = StatusGoOn;
  try {
    resultSet.emplace(PairStore(maintenance.program.database).listing());
  } catch (const std::exception& error) {
    reportCaughtError("QueryListing", error);
    status = StatusStop;
  }
}

void QueryCenterListing(MaintenanceScreen& maintenance, const std::string& centerCode,
                        std::optional<PairListing>& resultSet) {
  resultSet.emplace(PairStore(maintenance.program.database).centerListing(centerCode));
}

void showFullListing(MaintenanceScreen& maintenance, std::int16_t& status) {
  std::optional<PairListing> listing;
  QueryListing(maintenance, listing, status);
  if (status == StatusStop) return;
  FillGrid(maintenance, listing);
}

bool rowHoldsPair(const ListGrid& grid, int row) {
  return row >= grid.fixedRows() && row < grid.rows() && grid.cols() > ListingGrid::CenterCol &&
         !platform::trimBlanks(grid.textMatrix(row, ListingGrid::CenterCol)).empty();
}

void FillGrid(MaintenanceScreen& maintenance, std::optional<PairListing>& listing) {
  // A screenful at least, and the rest of the page already read: a short listing is whole at once, and the first
  // rows never wait for a statement.
  const int screenful = maintenance.window.GRID.pageRows() + 1;
  const bool whole = fillFromListing(maintenance, *listing, [&listing, screenful, rows = 0]() mutable {
    return ++rows <= screenful || !listing->pageUsedUp();
  });
  maintenance.program.ui.moment("listing-first-rows");
  if (whole) {
    maintenance.program.ui.moment("listing-complete");
    listing.reset();
    return;
  }
  maintenance.arrivingRows = std::move(listing);
  listing.reset();
  maintenance.arriving.start([&maintenance, arrival = Arrival{.placedRow = maintenance.state.GridRowCount}]() mutable {
    return arrivingSlice(maintenance, arrival);
  });
}

}  // namespace mnt4820
