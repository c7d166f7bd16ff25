#include "screens/maintenance/common.h"

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
#include "platform/odbc/DatabaseError.h"
#include "platform/odbc/Transaction.h"
#include "platform/system/MomentTrace.h"
#include "platform/system/Today.h"
#include "platform/text/CodePage.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "program/ErrorReport.h"
#include "screens/maintenance/check_field.h"

namespace mnt4820 {

namespace {

platform::ui::Form& mainWindow(Program& program) { return *program.screen.CurrentForm; }

using platform::ui::CellAlignment;
using platform::ui::ListGrid;

// The listing's grid: a hidden column 0, then center code, center name and partner code.
constexpr int GridCols = 4;
constexpr int CenterCol = 1;
constexpr int CenterNameCol = 2;
constexpr int PartnerCol = 3;
constexpr const char* GridTitles[GridCols] = {"", "ｾﾝﾀｰｺｰﾄﾞ", "  ", "相手先企業ｺｰﾄﾞ"};
constexpr int GridColWidths[GridCols] = {0, 1600, 5500, 1820};
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

platform::ui::TextBox& field(Program& program, const char* name) {
  return mainWindow(program).get<platform::ui::TextBox>(name);
}

void showMessage(Program& program, const char* text, int flags) { program.ui.messageBox(text, flags, ProgramTitle); }

constexpr const char* UpdateErrorMessage = "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました";

void backToKeyArea(Program& program) {
  ClearScreen(program.screen);
  ShowHeader(program);
  program.screen.ScreenArea = "HEAD";
  EnableFieldsForArea(program.screen, program.screen.ScreenArea);
  SetCommandState(program, 0);
}

// After every change the grid shows the full listing again; a failed reload leaves it as it was.
void reloadListing(Program& program, std::int16_t& status) {
  std::optional<platform::odbc::ResultSet> listing;
  QueryListing(program, listing, status);
  if (status == StatusStop) return;
  FillGrid(program, *listing);
  listing->close();
}

// The answer to "この内容で更新しますか", once the fields have passed their checks.
void answerSaveQuestion(Program& program, std::int16_t& status) {
  using namespace platform::ui;
  const mb::Answer answer =
      program.ui.messageBox("この内容で更新しますか", mb::YesNoCancel | mb::Exclamation, ProgramTitle);
  if (answer == mb::Answer::No) {
    backToKeyArea(program);
    SetRowHighlight(program, 1);
    program.maintenance.EditMode = MaintenanceState::Change;
    status = StatusStop;
  } else if (answer == mb::Answer::Cancel) {
    field(program, program.maintenance.EditMode != MaintenanceState::Change ? "CNTCD" : "ATKCD").setFocus();
    status = StatusStop;
  } else {
    SavePair(program, status);
    // A failed save has said so; the listing is reloaded and the key area restored all the same.
    reloadListing(program, status);
    backToKeyArea(program);
  }
  program.ui.setMousePointer(MousePointer::Default);
}

}  // namespace

void InitScreen(Program& program) {
  ClearScreen(program.screen);
  RegisterFields(program);
  program.screen.ScreenArea = "HEAD";
  EnableFieldsForArea(program.screen, program.screen.ScreenArea);
  program.maintenance.EditMode = MaintenanceState::Change;
  SetCommandState(program, 0);
}

void RegisterFields(Program& program) {
  struct Field {
    const char* name;
    const char* attribute;
  };
  // In the order the operator visits them; the row becomes the TabIndex.
  constexpr Field Fields[] = {{"KCNTCD", "2U"}, {"CNTCD", "2U"}, {"ATKCD", "2U"}};
  constexpr std::size_t Rows = std::size(Fields);

  std::vector<FieldRow> rows(Rows);
  platform::ui::Form& form = mainWindow(program);
  for (std::size_t k = 0; k < Rows; ++k) {
    rows[k].control = &form.get<platform::ui::TextBox>(Fields[k].name);
    rows[k].attribute = Fields[k].attribute;
    rows[k].area = k == 0 ? "HEAD" : "BODY";
  }
  // Every row must hold a control: a window with other text boxes than these three is a design fault.
  FieldTable& table = program.screen.fields;
  table.setRows(std::move(rows));
  for (int k = 0; k < table.FieldCount; ++k) table.FieldControls(k).setTabIndex(k);
}

void QueryListing(Program& program, std::optional<platform::odbc::ResultSet>& resultSet, std::int16_t& status) {
  status = StatusGoOn;
  try {
    program.database.SqlText = ListingSelect + ListingOrder;
    // The listing is read once from start to end.
    OpenQuery(program.database, resultSet, {}, platform::odbc::CursorRequest::ForwardOnly);
  } catch (const std::exception& error) {
    reportCaughtError("QueryListing", error);
    status = StatusStop;
  }
}

void QueryCenterListing(Program& program, const std::string& centerCode,
                        std::optional<platform::odbc::ResultSet>& resultSet) {
  program.database.SqlText = ListingSelect + " AND FL1915センタ利用企業マスタ.センターコード = ?" + ListingOrder;
  OpenQuery(program.database, resultSet, {platform::odbc::Parameter(centerCode)},
            platform::odbc::CursorRequest::ForwardOnly);
}

void ValidateBody(Program& program, std::int16_t& status) {
  status = StatusGoOn;
  for (std::int16_t row = 1; row < program.screen.fields.FieldCount; ++row) {
    CheckField(program, row, status);
    if (status != StatusGoOn) {
      platform::ui::Control& refused = program.screen.fields.FieldControls(row);
      refused.setFocus();
      SelectAllText(refused);
      return;
    }
  }
}

void EnterAddMode(Program& program) {
  SetRowHighlight(program, 1);
  for (const char* name : {"KCNTCD", "CNTCD", "ATKCD"}) field(program, name).setText("");
  for (const char* name : {"lbl_KCNTNM", "lbl_CNTNM"})
    mainWindow(program).get<platform::ui::Label>(name).setCaption("");
  SetCommandState(program, 1);
  mainWindow(program).get<platform::ui::CommandButton>("CMD", 2).setEnabled(false);
  program.maintenance.EditMode = MaintenanceState::Add;
  field(program, "CNTCD").setEnabled(true);
  field(program, "CNTCD").setFocus();
}

void ConfirmAndSave(Program& program, std::int16_t& status) {
  ValidateBody(program, status);
  if (status == StatusStop) return;
  answerSaveQuestion(program, status);
}

void LeaveBody(Program& program, std::int16_t& status) {
  MaintenanceState& state = program.maintenance;
  if (state.ConfirmOnLeave != VbTrue) {
    state.ConfirmOnLeave = VbTrue;
    backToKeyArea(program);
    program.ui.setMousePointer(platform::ui::MousePointer::Default);
    return;
  }
  ValidateBody(program, status);
  if (status == StatusStop) return;
  program.ui.setMousePointer(platform::ui::MousePointer::Hourglass);
  answerSaveQuestion(program, status);
}

void SavePair(Program& program, std::int16_t& status) {
  DatabaseSession& db = program.database;
  try {
    platform::odbc::Transaction transaction(liveConnection(db));
    if (program.maintenance.EditMode == MaintenanceState::Change) {
      const ListGrid& grid = listingGrid(program);
      // Only a listed pair can be changed: the change state is never entered on a row without one.
      if (!rowHoldsPair(grid, grid.row())) throw std::logic_error("no listed pair to change");
      db.SqlText = "DELETE  FROM FL1915センタ利用企業マスタ WHERE センターコード = ? AND 相手先企業コード = ?";
      // A pair removed meanwhile (or stored differently from what the listing shows) is not replaced: inserting
      // the new one anyway would turn the change into an add and leave the old pair behind.
      const std::int64_t removed = ExecuteSql(db, {platform::odbc::Parameter(grid.textMatrix(grid.row(), CenterCol)),
                                                   platform::odbc::Parameter(grid.textMatrix(grid.row(), PartnerCol))});
      if (removed != 1) throw std::runtime_error("the pair to change is no longer stored as listed");
    }
    db.SqlText = "INSERT INTO FL1915センタ利用企業マスタ (センターコード, 相手先企業コード) VALUES  (?, ?)";
    ExecuteSql(db, {platform::odbc::Parameter(platform::trimBlanks(field(program, "CNTCD").text())),
                    platform::odbc::Parameter(platform::trimBlanks(field(program, "ATKCD").text()))});
    transaction.commit();
  } catch (const std::exception& error) {
    reportCaughtError("SavePair", error);
    status = StatusStop;
    showMessage(program, UpdateErrorMessage, platform::ui::mb::OkOnly);
  }
}

void DeletePair(Program& program, std::int16_t& status) {
  using namespace platform::ui;
  MaintenanceState& state = program.maintenance;
  try {
    platform::odbc::Transaction transaction(liveConnection(program.database));
    state.EditMode = MaintenanceState::Delete;
    ValidateBody(program, status);
    if (status == StatusStop) {
      transaction.rollback();
      state.EditMode = MaintenanceState::Change;
      return;
    }
    if (program.ui.messageBox("削除してよろしいですか", mb::OkCancel | mb::Exclamation, ProgramTitle) ==
        mb::Answer::Ok) {
      DatabaseSession& db = program.database;
      db.SqlText = "DELETE FROM FL1915センタ利用企業マスタ WHERE センターコード = ? AND 相手先企業コード = ?";
      const std::int64_t removed =
          ExecuteSql(db, {platform::odbc::Parameter(platform::trimBlanks(field(program, "CNTCD").text())),
                          platform::odbc::Parameter(platform::trimBlanks(field(program, "ATKCD").text()))});
      if (removed == 0) {
        // The partner code belongs to another center, or the pair went meanwhile: nothing was deleted.
        transaction.rollback();
        showMessage(program, "該当データがありません", mb::OkOnly | mb::Exclamation);
        status = StatusStop;
      } else {
        reloadListing(program, status);
      }
    }
    SetRowHighlight(program, 1);
    backToKeyArea(program);
    state.EditMode = MaintenanceState::Change;
    if (transaction.isActive()) transaction.commit();
  } catch (const platform::odbc::DatabaseError& error) {
    reportCaughtError("DeletePair", error);
    status = StatusStop;
    showMessage(program, UpdateErrorMessage, mb::OkOnly);
    state.EditMode = MaintenanceState::Change;
  }
}

ListGrid& listingGrid(Program& program) { return mainWindow(program).get<ListGrid>("GRID"); }

bool rowHoldsPair(const ListGrid& grid, int row) {
  return row >= grid.fixedRows() && row < grid.rows() && grid.cols() > CenterCol &&
         !platform::trimBlanks(grid.textMatrix(row, CenterCol)).empty();
}

void FillGrid(Program& program, platform::odbc::ResultSet& resultSet) {
  MaintenanceState& state = program.maintenance;
  ListGrid& grid = listingGrid(program);
  state.GridLoaded = VbFalse;
  {
    const ListGrid::Update update(grid);
    // Rows = GridRowCount + 1 as each row comes: the first row found drops the old ones, which then need no
    // emptying.
    if (!resultSet.atEnd()) grid.setRows(1);
    grid.clear();
    grid.setCols(GridCols);
    grid.setRow(0);
    for (int col = CenterCol; col < GridCols; ++col) {
      grid.setCol(col);
      grid.setText(GridTitles[col]);
    }
    for (int col = 0; col < GridCols; ++col) grid.setColWidth(col, GridColWidths[col]);
    state.GridRowCount = 0;
    // Looked up once: a name search per cell would cost more than the reading.
    const std::size_t center = resultSet.columnIndex("センターコード");
    const std::size_t centerName = resultSet.columnIndex("センター名");
    const std::size_t partner = resultSet.columnIndex("相手先企業コード");
    platform::ui::GridStore& cells = grid.cellsForUpdate();
    const auto trimmed = [&resultSet](std::size_t column) {
      return platform::trimBlanksView(resultSet.view(column).value_or(std::string_view{}));
    };
    for (; !resultSet.atEnd(); resultSet.moveNext()) {
      const int row = cells.appendRow(GridRowHeight, CellAlignment::LeftCenter);
      cells.setAlignment(row, 0, CellAlignment::General);
      cells.setText(row, CenterCol, trimmed(center));
      cells.setText(row, CenterNameCol, trimmed(centerName));
      cells.setText(row, PartnerCol, trimmed(partner));
      ++state.GridRowCount;
    }
    // The current cell ends on the last row filled, column 3 (the title row when nothing was found).
    grid.setRow(state.GridRowCount);
    grid.setCol(PartnerCol);
  }
  state.GridLoaded = VbTrue;
  platform::traceMoment("listing-complete");
}

void ShowGridRow(Program& program) {
  platform::ui::Form& form = mainWindow(program);
  const ListGrid& grid = listingGrid(program);
  if (!rowHoldsPair(grid, grid.row())) return;
  form.get<platform::ui::TextBox>("CNTCD").setText(grid.textMatrix(grid.row(), CenterCol));
  form.get<platform::ui::Label>("lbl_CNTNM").setCaption(grid.textMatrix(grid.row(), CenterNameCol));
  form.get<platform::ui::TextBox>("ATKCD").setText(grid.textMatrix(grid.row(), PartnerCol));
  program.maintenance.EditMode = MaintenanceState::Change;
}

void SetRowHighlight(Program& program, std::int16_t mode) {
  ListGrid& grid = listingGrid(program);
  grid.refresh();
  grid.setCol(0);
  grid.setColSel(mode == 0 ? PartnerCol : 0);
}

void ShowHeader(Program& program) {
  platform::ui::Form& form = mainWindow(program);
  form.get<platform::ui::Label>("lbl_PGID").setCaption("SCR48201");
  form.get<platform::ui::Label>("lbl_OPTIT").setCaption("ｵﾍﾟﾚｰﾀｺｰﾄﾞ");
  form.get<platform::ui::Label>("lbl_OP_CD").setCaption(program.operatorState.OperatorCode);
  form.get<platform::ui::Label>("lbl_OP_NM").setCaption(program.operatorState.OperatorName);
  form.get<platform::ui::Label>("lbl_HIDUKE").setCaption(platform::todayText());
}

void SetCommandState(Program& program, std::int16_t mode) {
  if (mode != 0 && mode != 1) return;
  platform::ui::Form& form = mainWindow(program);
  form.get<platform::ui::CommandButton>("CMD", 0).setEnabled(mode == 0);
  form.get<platform::ui::CommandButton>("CMD", 2).setEnabled(mode == 1);
}

}  // namespace mnt4820
