#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "db/DatabaseSession.h"
#include "db/SearchStore.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "screens/search/SearchDialogDesign.h"

namespace mnt4820 {

// The kinds of code search, by the master table they list.
enum class SearchKind : std::int16_t { MessageGroup = 0, TerminalCenter = 1, Center = 2, FormatBpid = 3, DataItem = 4 };

// The state of the code search: one set for the whole program, overwritten by each search. It also owns the
// dialog `SEARCH_MSTDB`, created on first use and destroyed when it closes.
struct CodeSearch {
  CodeSearch(platform::ui::Application& application, DatabaseSession& session) : ui(application), database(session) {}

  platform::ui::Application& ui;
  DatabaseSession& database;

  ::mnt4820::SearchKind SearchKind = ::mnt4820::SearchKind::MessageGroup;
  // The caller's field and further outputs; null where the caller gave none.
  platform::ui::Control* SearchTarget = nullptr;
  platform::ui::Control* SearchOutput1 = nullptr;
  platform::ui::Control* SearchOutput2 = nullptr;
  platform::ui::Control* SearchOutput3 = nullptr;
  std::optional<SearchRows> SearchRecordset;
  // Grid column widths in twips for columns 0 to 6; 0 leaves the column as the grid made it.
  std::array<std::int16_t, 7> SearchColumnWidths{};
  std::unique_ptr<SEARCH_MSTDB> SearchDialog;
};

// Opens the code search of `kind` (0 to 4; any other value does nothing). The chosen row is written, trimmed,
// into `target` and the outputs the kind names; a control not given is skipped. `key1` filters kinds 0 and 1,
// `key2` kind 1; kind 3 filters by the text of `target`. Key values are compared as they are given. Returns
// when the dialog has closed, or at once after "検索データが有りません" or, when the database fails,
// "検索時にｴﾗｰがありました" (the caller's controls then keep what they held).
void OpenCodeSearch(CodeSearch& search, std::int16_t kind, platform::ui::Control* target, const std::string& key1,
                    const std::string& key2, platform::ui::Control* output1, platform::ui::Control* output2,
                    platform::ui::Control* output3);

// The query builders: each sets the dialog's caption, opens `SearchRecordset` from the search store, fills
// `SearchColumnWidths` and, where the kind has them, the dialog's and grid's widths. Database errors pass to the
// caller.
void QueryMessageGroups(CodeSearch& search, const std::string& key1);
void QueryTerminalCenters(CodeSearch& search, const std::string& key1, const std::string& key2);
void QueryCenters(CodeSearch& search);
void QueryFormats(CodeSearch& search);
void QueryDataItems(CodeSearch& search);

// Writes the grid's current row back into the caller's controls, closes the dialog and the recordset.
void ChooseSearchRow(CodeSearch& search);

// Closes the dialog without a choice (the recordset stays open until the next search): by "中止" or Esc in
// the grid, or by Esc at window level, which also empties the caller's field.
enum class OnCancel { KeepTarget, ClearTarget };
void CancelSearch(CodeSearch& search, OnCancel clear);

}  // namespace mnt4820
