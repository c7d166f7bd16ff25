#include "screens/search/SearchDialogDesign.h"

#include <utility>

namespace mnt4820 {

namespace {

const platform::ui::Font Gothic12{"ＭＳ ゴシック", 12.0};

template <class Kind>
Kind& place(Kind& control, const platform::ui::Rect& where) {
  control.setGeometry(where);
  control.setFont(Gothic12);
  return control;
}

platform::ui::CommandButton& button(platform::ui::Form& form, const char* name, const platform::ui::Rect& where,
                                    const char* caption) {
  auto& button = form.add<platform::ui::CommandButton>(name);
  button.setCaption(caption);
  return place(button, where);
}

}  // namespace

SEARCH_MSTDB createSearchDialogDesign(platform::ui::Application& application) {
  auto window = std::make_unique<platform::ui::Form>(application, "SEARCH_MSTDB");
  window->setCaption("コード検索");
  window->setFont(Gothic12);
  window->move(0, 0, 6465, 4620);
  window->setKeyPreview(true);
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
