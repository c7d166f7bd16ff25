#include "screens/maintenance/common.h"

#include <chrono>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "db/QueryOperations.h"
#include "framework/ClearScreen.h"
#include "framework/Conventions.h"
#include "framework/FieldFocus.h"
#include "framework/FieldNavigation.h"
#include "platform/odbc/Transaction.h"
#include "platform/system/Today.h"
#include "platform/text/CodePage.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "screens/maintenance/ListingGrid.h"
#include "screens/maintenance/check_field.h"

namespace mnt4820 {

namespace {

using platform::ui::CellAlignment;
using platform::ui::ListGrid;

constexpr const char* GridTitles[ListingGrid::Cols] = {"", "ｾﾝﾀｰｺｰﾄﾞ", "  ", "相手先企業ｺｰﾄﾞ"};
constexpr int GridColWidths[ListingGrid::Cols] = {0, 1600, 5500, 1820};
constexpr int GridRowHeight = 360;

const std::string ListingSelect =
    "SELECT "
    " FL1915センタ利用企業マスタ.センターコード,"
    " FL1915センタ利用企業マスタ.相手先企業コード,"
    " FL1903EDI制御マスタ.センター名 "
    " FROM FL1915センタ利用企業マスタ,"
    " FL1903EDI制御マスタ "
    " WHERE FL1915センタ利用企業マスタ.センターコード = FL1903EDI制御マスタ.センターコード";
const std::string ListingOrder = " ORDER BY FL1915センタ利用企業マスタ.センターコード,相手先企業コード";

// The pair of the detail fields, as the delete and the insert name it.
std::vector<platform::odbc::Parameter> pairOfFields(const F_MNT4820& window) {
  return {platform::odbc::Parameter(platform::trimBlanks(window.CNTCD.text())),
          platform::odbc::Parameter(platform::trimBlanks(window.ATKCD.text()))};
}

// The answer to "この内容で更新しますか", once the fields have passed their checks.
void answerSaveQuestion(MaintenanceScreen& maintenance, std::int16_t& status) {
  using namespace platform::ui;
  const mb::Answer answer =
      maintenance.program.ui.messageBox("この内容で更新しますか", mb::YesNoCancel | mb::Exclamation, ProgramTitle);
  if (answer == mb::Answer::No) {
    backToKeyArea(maintenance);
    SetRowHighlight(maintenance, RowHighlight::None);
    maintenance.state.EditMode = MaintenanceState::Change;
    status = StatusStop;
  } else if (answer == mb::Answer::Cancel) {
    (maintenance.state.EditMode != MaintenanceState::Change ? maintenance.window.CNTCD : maintenance.window.ATKCD)
        .setFocus();
    status = StatusStop;
  } else {
    SavePair(maintenance, status);
    // A failed save has said so; the listing is reloaded and the key area restored all the same.
    showFullListing(maintenance, status);
    backToKeyArea(maintenance);
  }
  maintenance.program.ui.setMousePointer(MousePointer::Default);
}

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

}  // namespace

void InitScreen(MaintenanceScreen& maintenance) {
  ClearScreen(maintenance.program.screen);
  RegisterFields(maintenance);
  maintenance.program.screen.ScreenArea = Area::Head;
  EnableFieldsForArea(maintenance.program.screen, maintenance.program.screen.ScreenArea);
  maintenance.state.EditMode = MaintenanceState::Change;
  SetCommandState(maintenance, CommandSet::KeyArea);
}

void RegisterFields(MaintenanceScreen& maintenance) {
  struct Field {
    platform::ui::TextBox& field;
    const char* attribute;
  };
  F_MNT4820& window = maintenance.window;
  // In the order the operator visits them; the row becomes the TabIndex.
  const Field Fields[] = {{window.KCNTCD, "2U"}, {window.CNTCD, "2U"}, {window.ATKCD, "2U"}};
  constexpr std::size_t Rows = std::size(Fields);

  std::vector<FieldRow> rows(Rows);
  for (std::size_t k = 0; k < Rows; ++k) {
    rows[k].control = &Fields[k].field;
    rows[k].attribute = Fields[k].attribute;
    rows[k].area = k == 0 ? Area::Head : Area::Body;
  }
  // Every row must hold a control: a window with other text boxes than these three is a design fault.
  FieldTable& table = maintenance.program.screen.fields;
  table.setRows(std::move(rows));
  for (int k = 0; k < table.FieldCount; ++k) table.FieldControls(k).setTabIndex(k);
}

void QueryListing(MaintenanceScreen& maintenance, std::optional<platform::odbc::ResultSet>& resultSet,
                  std::int16_t& status) {
  status = StatusGoOn;
  try {
    maintenance.program.database.SqlText = ListingSelect + ListingOrder;
    // The listing is read once from start to end.
    OpenQuery(maintenance.program.database, resultSet, {}, platform::odbc::CursorRequest::ForwardOnly);
  } catch (const std::exception& error) {
    reportCaughtError("QueryListing", error);
    status = StatusStop;
  }
}

void QueryCenterListing(MaintenanceScreen& maintenance, const std::string& centerCode,
                        std::optional<platform::odbc::ResultSet>& resultSet) {
  maintenance.program.database.SqlText =
      ListingSelect + " AND FL1915センタ利用企業マスタ.センターコード = ?" + ListingOrder;
  OpenQuery(maintenance.program.database, resultSet, {platform::odbc::Parameter(centerCode)},
            platform::odbc::CursorRequest::ForwardOnly);
}

void ValidateBody(MaintenanceScreen& maintenance, std::int16_t& status) {
  status = StatusGoOn;
  for (std::int16_t row = 1; row < maintenance.program.screen.fields.FieldCount; ++row) {
    CheckField(maintenance, row, status);
    if (status != StatusGoOn) {
      platform::ui::TextBox& refused = maintenance.program.screen.fields.FieldControls(row);
      refused.setFocus();
      SelectAllText(refused);
      return;
    }
  }
}

void EnterAddMode(MaintenanceScreen& maintenance) {
  SetRowHighlight(maintenance, RowHighlight::None);
  F_MNT4820& window = maintenance.window;
  for (platform::ui::TextBox* field : {&window.KCNTCD, &window.CNTCD, &window.ATKCD}) field->setText("");
  for (platform::ui::Label* name : {&window.lbl_KCNTNM, &window.lbl_CNTNM}) name->setCaption("");
  SetCommandState(maintenance, CommandSet::DetailArea);
  window.CMD[2].setEnabled(false);
  maintenance.state.EditMode = MaintenanceState::Add;
  window.CNTCD.setEnabled(true);
  window.CNTCD.setFocus();
}

void ConfirmAndSave(MaintenanceScreen& maintenance, std::int16_t& status) {
  ValidateBody(maintenance, status);
  if (status == StatusStop) return;
  answerSaveQuestion(maintenance, status);
}

void LeaveBody(MaintenanceScreen& maintenance, std::int16_t& status) {
  MaintenanceState& state = maintenance.state;
  if (!state.ConfirmOnLeave) {
    state.ConfirmOnLeave = true;
    backToKeyArea(maintenance);
    maintenance.program.ui.setMousePointer(platform::ui::MousePointer::Default);
    return;
  }
  ValidateBody(maintenance, status);
  if (status == StatusStop) return;
  maintenance.program.ui.setMousePointer(platform::ui::MousePointer::Hourglass);
  answerSaveQuestion(maintenance, status);
}

void SavePair(MaintenanceScreen& maintenance, std::int16_t& status) {
  DatabaseSession& db = maintenance.program.database;
  runOrStop(maintenance.program.ui, "SavePair", UpdateFailedMessage, status, [&] {
    platform::odbc::Transaction transaction(liveConnection(db));
    if (maintenance.state.EditMode == MaintenanceState::Change) {
      const std::optional<ListedPair>& opened = maintenance.state.OpenedPair;
      // Only a listed pair can be changed: the change state is never entered without one shown.
      if (!opened) throw std::logic_error("no listed pair to change");
      db.SqlText = "DELETE  FROM FL1915センタ利用企業マスタ WHERE センターコード = ? AND 相手先企業コード = ?";
      // A pair removed meanwhile (or stored differently from what the listing shows) is not replaced: inserting
      // the new one anyway would turn the change into an add and leave the old pair behind.
      const std::int64_t removed = ExecuteSql(
          db, {platform::odbc::Parameter(opened->centerCode), platform::odbc::Parameter(opened->partnerCode)});
      if (removed != 1) throw std::runtime_error("the pair to change is no longer stored as listed");
    }
    db.SqlText = "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES  (?, ?)";
    ExecuteSql(db, pairOfFields(maintenance.window));
    transaction.commit();
  });
}

void DeletePair(MaintenanceScreen& maintenance, std::int16_t& status) {
  using namespace platform::ui;
  MaintenanceState& state = maintenance.state;
  DatabaseSession& db = maintenance.program.database;
  // Every failure inside, the checks' own included, rolls the whole delete back before it is told.
  const bool ranThrough = runOrStop(maintenance.program.ui, "DeletePair", UpdateFailedMessage, status, [&] {
    platform::odbc::Transaction transaction(liveConnection(db));
    state.EditMode = MaintenanceState::Delete;
    ValidateBody(maintenance, status);
    if (status == StatusStop) {
      transaction.rollback();
      state.EditMode = MaintenanceState::Change;
      return;
    }
    if (maintenance.program.ui.messageBox("削除してよろしいですか", mb::OkCancel | mb::Exclamation, ProgramTitle) ==
        mb::Answer::Ok) {
      db.SqlText = "DELETE FROM FL1915センタ利用企業マスタ WHERE センターコード = ? AND 相手先企業コード = ?";
      if (ExecuteSql(db, pairOfFields(maintenance.window)) == 0) {
        // The partner code belongs to another center, or the pair went meanwhile: nothing was deleted.
        transaction.rollback();
        maintenance.program.ui.messageBox(NoSuchDataMessage, mb::OkOnly | mb::Exclamation, ProgramTitle);
        status = StatusStop;
      } else {
        transaction.commit();
        // Reloaded only once the delete is stored: a commit that fails leaves the pair listed, as it still is.
        showFullListing(maintenance, status);
      }
    }
    SetRowHighlight(maintenance, RowHighlight::None);
    backToKeyArea(maintenance);
    state.EditMode = MaintenanceState::Change;
    if (transaction.isActive()) transaction.commit();
  });
  if (!ranThrough) state.EditMode = MaintenanceState::Change;
}

void backToKeyArea(MaintenanceScreen& maintenance) {
  ClearScreen(maintenance.program.screen);
  ShowHeader(maintenance);
  maintenance.program.screen.ScreenArea = Area::Head;
  EnableFieldsForArea(maintenance.program.screen, maintenance.program.screen.ScreenArea);
  SetCommandState(maintenance, CommandSet::KeyArea);
}

void showFullListing(MaintenanceScreen& maintenance, std::int16_t& status) {
  std::optional<platform::odbc::ResultSet> listing;
  QueryListing(maintenance, listing, status);
  if (status == StatusStop) return;
  FillGrid(maintenance, *listing);
  listing->close();
}

bool rowHoldsPair(const ListGrid& grid, int row) {
  return row >= grid.fixedRows() && row < grid.rows() && grid.cols() > ListingGrid::CenterCol &&
         !platform::trimBlanks(grid.textMatrix(row, ListingGrid::CenterCol)).empty();
}

namespace {

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

// Appends the listing's rows to the grid's cells until it ends (true) or `more` says to stop.
template <class More>
bool appendListingRows(MaintenanceState& state, platform::ui::GridStore& cells, platform::odbc::ResultSet& resultSet,
                       More more) {
  // Looked up once: a name search per cell would cost more than the reading.
  const std::size_t center = resultSet.columnIndex("センターコード");
  const std::size_t centerName = resultSet.columnIndex("センター名");
  const std::size_t partner = resultSet.columnIndex("相手先企業コード");
  const auto trimmed = [&resultSet](std::size_t column) {
    return platform::trimBlanksView(resultSet.view(column).value_or(std::string_view{}));
  };
  for (; !resultSet.atEnd(); resultSet.moveNext()) {
    if (!more()) return false;
    const int row = cells.appendRow(GridRowHeight, CellAlignment::LeftCenter);
    cells.setAlignment(row, 0, CellAlignment::General);
    cells.setText(row, ListingGrid::CenterCol, trimmed(center));
    cells.setText(row, ListingGrid::CenterNameCol, trimmed(centerName));
    cells.setText(row, ListingGrid::PartnerCol, trimmed(partner));
    ++state.GridRowCount;
  }
  return true;
}

// The current cell on the last row filled, column 3 (the title row when nothing was found).
void currentCellToLastRow(MaintenanceScreen& maintenance) {
  maintenance.window.GRID.setRow(maintenance.state.GridRowCount);
  maintenance.window.GRID.setCol(ListingGrid::PartnerCol);
}

// Whether a slice of reading may go on: past its first `atLeast` rows, until its time is up. The clock is read
// every 256 rows only.
class SliceBudget {
 public:
  SliceBudget(std::chrono::milliseconds time, int atLeast)
      : until_(std::chrono::steady_clock::now() + time), atLeast_(atLeast) {}
  bool operator()() { return ++rows_ <= atLeast_ || rows_ % 256 != 0 || std::chrono::steady_clock::now() < until_; }

 private:
  std::chrono::steady_clock::time_point until_;
  int atLeast_;
  int rows_ = 0;
};

// The grid emptied and filled from the listing while `more` says so, row changes not shown meanwhile, the current
// cell on the last row filled; true when the listing has ended.
template <class More>
bool fillFromListing(MaintenanceScreen& maintenance, platform::odbc::ResultSet& resultSet, More more) {
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
};

// One slice of the arriving listing; true once it is all in the grid.
bool readArrivingSlice(MaintenanceScreen& maintenance, Arrival& arrival) {
  MaintenanceState& state = maintenance.state;
  ListGrid& grid = maintenance.window.GRID;
  const bool atEnd = appendListingRows(state, grid.cellsForAppend(), *maintenance.arrivingRows,
                                       SliceBudget(maintenance.program.ui.sliceTime(), 0));
  if (!atEnd && std::chrono::steady_clock::now() - arrival.shown < ShowRowsEvery) return false;
  grid.showAppendedRows();
  arrival.shown = std::chrono::steady_clock::now();
  if (!atEnd) return false;
  // The current cell ends on the last row, as a complete fill leaves it, unless the operator has moved it or
  // opened a pair meanwhile (the save changes the pair of the current row); the row-change handler ignores the
  // move, as it ignores a fill's.
  if (maintenance.program.screen.ScreenArea == Area::Head && grid.row() == arrival.placedRow &&
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
    // The rest cannot be read (the connection was renewed under it): the listing is read again whole, and a
    // reload that fails leaves what arrived, as any failed reload leaves the grid.
    reportCaughtError("FillGrid", error);
    maintenance.arrivingRows.reset();
    std::int16_t status = StatusGoOn;
    showFullListing(maintenance, status);
    return true;
  }
}

}  // namespace

void FillGrid(MaintenanceScreen& maintenance, platform::odbc::ResultSet& resultSet) {
  fillFromListing(maintenance, resultSet, [] { return true; });
  maintenance.program.ui.moment("listing-complete");
}

void fillGridWhileShown(MaintenanceScreen& maintenance, std::optional<platform::odbc::ResultSet>& listing) {
  // A screenful at least, and as much as one slice reads: a short listing is whole before the window shows.
  const int screenful = maintenance.window.GRID.pageRows() + 1;
  if (fillFromListing(maintenance, *listing, SliceBudget(maintenance.program.ui.sliceTime(), screenful))) {
    maintenance.program.ui.moment("listing-complete");
    listing->close();
    return;
  }
  maintenance.arrivingRows = std::move(listing);
  listing.reset();
  maintenance.arriving.start([&maintenance, arrival = Arrival{.placedRow = maintenance.state.GridRowCount}]() mutable {
    return arrivingSlice(maintenance, arrival);
  });
}

void ShowGridRow(MaintenanceScreen& maintenance) {
  F_MNT4820& window = maintenance.window;
  const ListGrid& grid = window.GRID;
  if (!rowHoldsPair(grid, grid.row())) return;
  window.CNTCD.setText(grid.textMatrix(grid.row(), ListingGrid::CenterCol));
  window.lbl_CNTNM.setCaption(grid.textMatrix(grid.row(), ListingGrid::CenterNameCol));
  window.ATKCD.setText(grid.textMatrix(grid.row(), ListingGrid::PartnerCol));
  maintenance.state.OpenedPair = ListedPair{grid.textMatrix(grid.row(), ListingGrid::CenterCol),
                                            grid.textMatrix(grid.row(), ListingGrid::PartnerCol)};
  maintenance.state.EditMode = MaintenanceState::Change;
}

void SetRowHighlight(MaintenanceScreen& maintenance, RowHighlight highlight) {
  ListGrid& grid = maintenance.window.GRID;
  grid.refresh();
  grid.setCol(0);
  grid.setColSel(highlight == RowHighlight::CurrentRow ? ListingGrid::PartnerCol : 0);
}

void ShowHeader(MaintenanceScreen& maintenance) {
  F_MNT4820& window = maintenance.window;
  const OperatorState& signedOn = maintenance.program.operatorState;
  window.lbl_PGID.setCaption("SCR48201");
  window.lbl_OPTIT.setCaption("ｵﾍﾟﾚｰﾀｺｰﾄﾞ");
  window.lbl_OP_CD.setCaption(signedOn.OperatorCode);
  window.lbl_OP_NM.setCaption(signedOn.OperatorName);
  window.lbl_HIDUKE.setCaption(platform::todayText());
}

void SetCommandState(MaintenanceScreen& maintenance, CommandSet commands) {
  maintenance.window.CMD[0].setEnabled(commands == CommandSet::KeyArea);
  maintenance.window.CMD[2].setEnabled(commands == CommandSet::DetailArea);
}

}  // namespace mnt4820
