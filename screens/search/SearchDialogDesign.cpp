#include "screens/search/SearchDialogDesign.h"

#include <utility>

#include "framework/FormDesign.h"

namespace mnt4820 {

namespace {

const platform::ui::Font Gothic12{"ＭＳ ゴシック", 12.0};

template <class Kind>
Kind& place(Kind& control, const platform::ui::Rect& where) {
  return placeControl(control, where, Gothic12);
}

platform::ui::CommandButton& button(platform::ui::Form& form, const char* name, const platform::ui::Rect& where,
                                    const char* caption) {
  return addCaptioned<platform::ui::CommandButton>(form, name, platform::ui::Control::NotInArray, where, caption,
                                                   Gothic12);
}

}  // namespace

SEARCH_MSTDB createSearchDialogDesign(platform::ui::Application& application) {
  std::unique_ptr<platform::ui::Form> window =
      createDesignedForm(application, "SEARCH_MSTDB", "コード検索", Gothic12, 6465, 4620);
  platform::ui::Form& form = *window;
  return SEARCH_MSTDB{
      .form = std::move(window),
      .GRID = place(form.add<platform::ui::DataGrid>("GRID"), {90, 60, 6240, 3630}),
      .SELECT = button(form, "SELECT", {960, 3780, 1335, 435}, "選択"),
      .STOP = button(form, "STOP", {3900, 3780, 1425, 435}, "中止"),
      .RS = place(form.add<platform::ui::DataControl>("RS"), {2280, 4140, 1200, 360}),
  };
}

}  // namespace mnt4820
