#include "screens/maintenance/MainWindowDesign.h"

#include <optional>

#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListGrid.h"
#include "platform/ui/PlainControl.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

namespace {

using platform::ui::Color;
using platform::ui::ControlKind;
using platform::ui::Font;
using platform::ui::Rect;

const Font DefaultFont{"ＭＳ Ｐゴシック", 9.0};
const Font Gothic12{"ＭＳ ゴシック", 12.0};
const Font ItemCaptionFont{"ＭＳ ゴシック", 11.25, true};
constexpr Color ItemCaptionBack = 0x00808080;
constexpr Color ItemCaptionFore = 0x00FFFFC0;

struct ControlDesign {
  ControlKind kind;
  const char* name;
  int index;
  Rect place;
  const char* text;
  Font font;
  std::optional<Color> back = std::nullopt;
  std::optional<Color> fore = std::nullopt;
};

constexpr int CodeFieldLength = 12;
// The listing before its first fill: the title row, one empty row, three columns.
constexpr int ListGridCols = 3;

// In the design tab order; the control collection keeps this order too.
const ControlDesign Design[] = {
    {ControlKind::ListGrid, "GRID", -1, {180, 2040, 9195, 5850}, "", Gothic12},
    {ControlKind::Label, "SEARCH_KBN", -1, {7500, 8160, 975, 375}, "", DefaultFont},
    {ControlKind::TextBox, "KCNTCD", -1, {1740, 540, 1590, 360}, "123456789012", Gothic12},
    {ControlKind::Label,
     "tit_KOUMOKU",
     0,
     {210, 540, 1500, 360},
     "ｾﾝﾀｰｺｰﾄﾞ",
     ItemCaptionFont,
     ItemCaptionBack,
     ItemCaptionFore},
    {ControlKind::CommandButton, "CMD", 0, {9360, 480, 1275, 315}, "検索(&F)", DefaultFont},
    {ControlKind::CommandButton, "CMD", 1, {9360, 1260, 1275, 315}, "追加（&A）", DefaultFont},
    {ControlKind::CommandButton, "CMD", 2, {9360, 1620, 1275, 315}, "削除（&D）", DefaultFont},
    {ControlKind::CommandButton, "CMD", 3, {9360, 7800, 1275, 285}, "終了（&E）", DefaultFont},
    {ControlKind::TextBox, "CNTCD", -1, {240, 1680, 1605, 360}, "123456789012", Gothic12},
    {ControlKind::Label,
     "tit_KOUMOKU",
     7,
     {240, 1320, 7200, 360},
     "センターコード",
     ItemCaptionFont,
     ItemCaptionBack,
     ItemCaptionFore},
    {ControlKind::Label,
     "tit_KOUMOKU",
     8,
     {7440, 1320, 1860, 360},
     "相手先企業ｺｰﾄﾞ",
     ItemCaptionFont,
     ItemCaptionBack,
     ItemCaptionFore},
    {ControlKind::TextBox, "ATKCD", -1, {7440, 1680, 1845, 360}, "123456789012", Gothic12},
    {ControlKind::Label, "lbl_PGID", -1, {60, 30, 1665, 285}, "Label2", DefaultFont},
    {ControlKind::Label, "lbl_OPTIT", -1, {1890, 0, 1545, 255}, "ｵﾍﾟﾚｰﾀｺｰﾄﾞ", DefaultFont},
    {ControlKind::Label, "lbl_OP_CD", -1, {3480, 0, 1125, 255}, "AAAAAAA", DefaultFont},
    {ControlKind::Label, "lbl_OP_NM", -1, {4650, 0, 2055, 255}, "Label2", DefaultFont},
    {ControlKind::Label, "lbl_HIDUKE", -1, {6780, 0, 1665, 255}, "Label2", DefaultFont},
    {ControlKind::Label, "lbl_KCNTNM", -1, {3360, 600, 5625, 315}, "12345678901234567890", DefaultFont},
    {ControlKind::Label,
     "lbl_CNTNM",
     -1,
     {1860, 1740, 5565, 315},
     "1234567890123456789012345678901234567890",
     Gothic12},
};

platform::ui::Control& addControl(platform::ui::Form& form, const ControlDesign& d) {
  switch (d.kind) {
    case ControlKind::TextBox: {
      auto& box = form.add<platform::ui::TextBox>(d.name, d.index);
      box.setText(d.text);
      box.setMaxLength(CodeFieldLength);
      box.setImeMode(platform::ui::ImeMode::Off);
      return box;
    }
    case ControlKind::Label: {
      auto& label = form.add<platform::ui::Label>(d.name, d.index);
      label.setCaption(d.text);
      return label;
    }
    case ControlKind::CommandButton: {
      auto& button = form.add<platform::ui::CommandButton>(d.name, d.index);
      button.setCaption(d.text);
      return button;
    }
    case ControlKind::ListGrid: {
      auto& grid = form.add<platform::ui::ListGrid>(d.name, d.index);
      grid.setCols(ListGridCols);
      return grid;
    }
    default: return form.add<platform::ui::PlainControl>(d.kind, d.name, d.index);
  }
}

}  // namespace

std::unique_ptr<platform::ui::Form> createMainWindowDesign(platform::ui::Application& application) {
  auto form = std::make_unique<platform::ui::Form>(application, "F_MNT4820");
  form->setCaption("センタ利用企業マスタ保守 ");
  form->setBackColor(0x00C0C0C0);
  form->setFont(DefaultFont);
  form->move(0, 0, 11805, 8145);
  form->setKeyPreview(true);
  for (const ControlDesign& d : Design) {
    platform::ui::Control& control = addControl(*form, d);
    control.setGeometry(d.place);
    control.setFont(d.font);
    if (d.back) control.setBackColor(*d.back);
    if (d.fore) control.setForeColor(*d.fore);
  }
  return form;
}

}  // namespace mnt4820
