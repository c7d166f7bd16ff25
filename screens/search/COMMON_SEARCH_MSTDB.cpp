#include "screens/search/COMMON_SEARCH_MSTDB.h"

#include <utility>
#include <vector>

#include "db/SearchStore.h"
#include "framework/WindowStyle.h"
#include "platform/text/CodePage.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DataGrid.h"
#include "program/ErrorReport.h"
#include "program/FixedMessages.h"
#include "program/Program.h"
#include "screens/search/RecordsetSource.h"
#include "screens/search/SearchDialog.h"

namespace mnt4820 {

namespace {

using platform::ui::Control;
using platform::ui::DataGrid;

constexpr const char* SearchCaption = "□□ 検索 □□";
constexpr const char* NoDataMessage = "検索データが有りません";

// Where a column of the chosen row goes.
enum class Receiver { Target, Output1, Output2, Output3 };
struct HandBack {
  Receiver receiver;
  std::size_t column;
};

// What each kind writes back, in this order.
std::vector<HandBack> handBackOf(SearchKind kind) {
  using enum Receiver;
  switch (kind) {
    case SearchKind::MessageGroup: return {{Output1, 0}, {Output2, 1}, {Output3, 2}};
    case SearchKind::TerminalCenter:
    case SearchKind::Center: return {{Target, 0}, {Output1, 1}};
    case SearchKind::FormatBpid: return {{Output2, 1}, {Output1, 0}};
    case SearchKind::DataItem: return {{Output1, 0}, {Output2, 1}};
  }
  return {};
}

Control* receiverOf(const CodeSearch& search, Receiver receiver) {
  switch (receiver) {
    case Receiver::Target: return search.SearchTarget;
    case Receiver::Output1: return search.SearchOutput1;
    case Receiver::Output2: return search.SearchOutput2;
    case Receiver::Output3: return search.SearchOutput3;
  }
  return nullptr;
}

SEARCH_MSTDB& dialogOf(CodeSearch& search) {
  if (!search.SearchDialog) search.SearchDialog = std::make_unique<SEARCH_MSTDB>(createSearchDialog(search));
  return *search.SearchDialog;
}

// The part every builder shares: `open` reads the kind's listing from the store. The old recordset is released
// first, so after an error none is held.
template <class Open>
void openListing(CodeSearch& search, Open open, const decltype(CodeSearch::SearchColumnWidths)& widths) {
  dialogOf(search).form->setCaption(SearchCaption);
  search.SearchRecordset.reset();
  SearchStore store(search.database);
  search.SearchRecordset.emplace(open(store));
  search.SearchColumnWidths = widths;
}

void setWidths(CodeSearch& search, int dialogWidth, int gridWidth) {
  SEARCH_MSTDB& dialog = dialogOf(search);
  const platform::ui::Rect place = dialog.form->geometry();
  dialog.form->move(place.left, place.top, dialogWidth, place.height);
  DataGrid& grid = dialog.GRID;
  platform::ui::Rect gridPlace = grid.geometry();
  gridPlace.width = gridWidth;
  grid.setGeometry(gridPlace);
}

void closeDialog(CodeSearch& search) {
  // Esc in the grid comes after the window's own Esc has already closed the dialog.
  if (search.SearchDialog && search.SearchDialog->form->isVisible()) search.SearchDialog->form->requestClose();
}

}  // namespace

void QueryMessageGroups(CodeSearch& search, const std::string& key1) {
  openListing(search, [&](SearchStore& store) { return store.messageGroups(key1); }, {2000, 2000, 2000});
}

void QueryTerminalCenters(CodeSearch& search, const std::string& key1, const std::string& key2) {
  openListing(search, [&](SearchStore& store) { return store.terminalCenters(key1, key2); },
              {1800, 2000, 1400, 1400, 3000, 2000});
  setWidths(search, 12500, 12000);
}

void QueryCenters(CodeSearch& search) {
  openListing(search, [](SearchStore& store) { return store.centers(); }, {2000, 5000});
  setWidths(search, 7800, 7400);
}

void QueryFormats(CodeSearch& search) {
  const std::string target = search.SearchTarget != nullptr ? search.SearchTarget->defaultValue() : std::string();
  openListing(search, [&](SearchStore& store) { return store.formats(target); }, {2500, 3000});
  setWidths(search, 6200, 5500);
}

void QueryDataItems(CodeSearch& search) {
  openListing(search, [](SearchStore& store) { return store.dataItems(); }, {2000, 3000});
  setWidths(search, 6200, 5050);
}

void OpenCodeSearch(CodeSearch& search, std::int16_t kind, Control* target, const std::string& key1,
                    const std::string& key2, Control* output1, Control* output2, Control* output3) {
  // No query exists for any other kind: such a call changes nothing.
  if (kind < static_cast<std::int16_t>(SearchKind::MessageGroup) ||
      kind > static_cast<std::int16_t>(SearchKind::DataItem)) {
    return;
  }
  search.SearchKind = static_cast<SearchKind>(kind);
  search.SearchTarget = target;
  search.SearchOutput1 = output1;
  search.SearchOutput2 = output2;
  search.SearchOutput3 = output3;
  SEARCH_MSTDB& dialog = dialogOf(search);
  DataGrid& grid = dialog.GRID;
  bool found = false;
  std::int16_t status = StatusGoOn;
  const bool read = runOrStop(search.ui, "code search", SearchFailedMessage, status, [&] {
    switch (search.SearchKind) {
      case SearchKind::MessageGroup: QueryMessageGroups(search, key1); break;
      case SearchKind::TerminalCenter: QueryTerminalCenters(search, key1, key2); break;
      case SearchKind::Center: QueryCenters(search); break;
      case SearchKind::FormatBpid: QueryFormats(search); break;
      case SearchKind::DataItem: QueryDataItems(search); break;
    }
    found = !search.SearchRecordset->atEnd();
    if (!found) return;
    RecordsetSource source(*search.SearchRecordset);
    grid.setDataSource(&source);
  });
  if (!read) return;
  if (!found) {
    showFixedMessage(search.ui, NoDataMessage);
    return;
  }
  for (std::size_t column = 0; column < search.SearchColumnWidths.size(); ++column) {
    if (search.SearchColumnWidths[column] != 0) grid.setColumnWidth(column, search.SearchColumnWidths[column]);
  }
  // The data control holds the connect string, password and all, only while the dialog shows: a search that
  // shows nothing leaves no copy in the hidden dialog it keeps.
  dialog.RS.setConnectionString(search.database.ConnectString);
  CenterWindow(*dialog.form);
  dialog.form->show(platform::ui::ShowMode::Modal);
  search.SearchDialog.reset();
}

void ChooseSearchRow(CodeSearch& search) {
  if (!search.SearchDialog) return;
  const DataGrid& grid = search.SearchDialog->GRID;
  if (grid.row() == DataGrid::NoRow) return;
  // The row comes from the grid's own copy, so handing it back cannot meet a database error; a null value is
  // handed back as the empty text.
  std::vector<std::pair<Control*, std::string>> writes;
  for (const HandBack& h : handBackOf(search.SearchKind)) {
    if (Control* receiver = receiverOf(search, h.receiver)) {
      writes.emplace_back(receiver, platform::trimBlanks(grid.value(h.column).value_or("")));
    }
  }
  for (const auto& [receiver, text] : writes) receiver->setDefaultValue(text);
  closeDialog(search);
  search.SearchRecordset.reset();
}

void CancelSearch(CodeSearch& search, OnCancel clear) {
  if (!search.SearchDialog) return;
  if (clear == OnCancel::ClearTarget && search.SearchTarget != nullptr) search.SearchTarget->setDefaultValue("");
  search.SearchDialog->GRID.setDataSource(nullptr);
  closeDialog(search);
}

}  // namespace mnt4820
