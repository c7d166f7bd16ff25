#include "screens/search/SearchDialogDesign.h"

#include "platform/ui/CommandButton.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DataGrid.h"

namespace mnt4820 {

namespace {

const platform::ui::Font Gothic12{"ＭＳ ゴシック", 12.0};

}  // namespace

std::unique_ptr<platform::ui::Form> createSearchDialogDesign(platform::ui::Application& application) {
  auto form = std::make_unique<platform::ui::Form>(application, "SEARCH_MSTDB");
  form->setCaption("コード検索");
  form->setFont(Gothic12);
  form->move(0, 0, 6465, 4620);
  form->setKeyPreview(true);

  auto& grid = form->add<platform::ui::DataGrid>("GRID");
  grid.setGeometry({90, 60, 6240, 3630});
  auto& choose = form->add<platform::ui::CommandButton>("SELECT");
  choose.setGeometry({960, 3780, 1335, 435});
  choose.setCaption("選択");
  auto& stop = form->add<platform::ui::CommandButton>("STOP");
  stop.setGeometry({3900, 3780, 1425, 435});
  stop.setCaption("中止");
  auto& data = form->add<platform::ui::DataControl>("RS");
  data.setGeometry({2280, 4140, 1200, 360});
  for (platform::ui::Control* control : form->controls()) control->setFont(Gothic12);
  return form;
}

}  // namespace mnt4820
