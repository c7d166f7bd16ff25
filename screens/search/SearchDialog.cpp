#include "screens/search/SearchDialog.h"

#include <cstdint>

#include "platform/ui/CommandButton.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DataGrid.h"
#include "screens/search/COMMON_SEARCH_MSTDB.h"
#include "screens/search/SearchDialogDesign.h"

namespace mnt4820 {

namespace key = platform::ui::key;

std::unique_ptr<platform::ui::Form> createSearchDialog(CodeSearch& search) {
  std::unique_ptr<platform::ui::Form> form = createSearchDialogDesign(search.ui);
  platform::ui::Form& dialog = *form;
  auto& grid = dialog.get<platform::ui::DataGrid>("GRID");
  auto& data = dialog.get<platform::ui::DataControl>("RS");

  dialog.get<platform::ui::CommandButton>("SELECT").onClick = [&search] { ChooseSearchRow(search); };
  dialog.get<platform::ui::CommandButton>("STOP").onClick = [&search] { CancelSearch(search, OnCancel::KeepTarget); };
  grid.onDoubleClick = [&search] { ChooseSearchRow(search); };
  grid.onKeyDown = [&search](std::int16_t& keyCode, std::int16_t) {
    if (keyCode == key::Enter) ChooseSearchRow(search);
    if (keyCode == key::Esc) CancelSearch(search, OnCancel::KeepTarget);
  };
  // Key preview: the window sees Esc first, whichever control has the focus.
  dialog.onKeyDown = [&search](std::int16_t& keyCode, std::int16_t) {
    if (keyCode == key::Esc) CancelSearch(search, OnCancel::ClearTarget);
  };
  dialog.onUnload = [&data] { data.setConnectionString(""); };
  return form;
}

}  // namespace mnt4820
