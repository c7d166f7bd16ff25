#include "screens/search/SearchDialog.h"

#include <cstdint>

#include "screens/search/COMMON_SEARCH_MSTDB.h"

namespace mnt4820 {

namespace key = platform::ui::key;

SEARCH_MSTDB createSearchDialog(CodeSearch& search) {
  SEARCH_MSTDB dialog = createSearchDialogDesign(search.ui);
  dialog.SELECT.onClick = [&search] { ChooseSearchRow(search); };
  dialog.STOP.onClick = [&search] { CancelSearch(search, OnCancel::KeepTarget); };
  dialog.GRID.onDoubleClick = [&search] { ChooseSearchRow(search); };
  dialog.GRID.onKeyDown = [&search](std::int16_t& keyCode, std::int16_t) {
    if (keyCode == key::Enter) ChooseSearchRow(search);
    if (keyCode == key::Esc) CancelSearch(search, OnCancel::KeepTarget);
  };
  // Key preview: the window sees Esc first, whichever control has the focus.
  dialog.form->onKeyDown = [&search](std::int16_t& keyCode, std::int16_t) {
    if (keyCode == key::Esc) CancelSearch(search, OnCancel::ClearTarget);
  };
  dialog.form->onUnload = [&data = dialog.RS] { data.setConnectionString(""); };
  return dialog;
}

}  // namespace mnt4820
