#include "screens/maintenance/MainWindowDesign.h"

#include <utility>

#include "framework/FormDesign.h"

namespace mnt4820 {

namespace {

using namespace design;

const Font DefaultFont{"ＭＳ Ｐゴシック", 9.0};
const Font Gothic12{"ＭＳ ゴシック", 12.0};
const Font ItemCaptionFont{"ＭＳ ゴシック", 11.25, true};
constexpr Color ItemCaptionBack = 0x00808080;
constexpr Color ItemCaptionFore = 0x00FFFFC0;

constexpr int NotInArray = platform::ui::Control::NotInArray;
constexpr int CodeFieldLength = 12;
// The listing before its first fill: the title row, one empty row, three columns.
constexpr int ListGridCols = 3;

platform::ui::Label& label(Form& form, const char* name, const Rect& where, const char* caption) {
  return addCaptioned<platform::ui::Label>(form, name, NotInArray, where, caption, DefaultFont);
}

platform::ui::Label& itemCaption(Form& form, int index, const Rect& where, const char* caption) {
  platform::ui::Label& title =
      addCaptioned<platform::ui::Label>(form, "tit_KOUMOKU", index, where, caption, ItemCaptionFont);
  title.setBackColor(ItemCaptionBack);
  title.setForeColor(ItemCaptionFore);
  return title;
}

platform::ui::TextBox& codeField(Form& form, const char* name, const Rect& where) {
  auto& box = form.add<platform::ui::TextBox>(name);
  box.setText("123456789012");
  box.setMaxLength(CodeFieldLength);
  box.setImeMode(platform::ui::ImeMode::Off);
  return placeControl(box, where, Gothic12);
}

platform::ui::CommandButton& command(Form& form, int index, const Rect& where, const char* caption) {
  return addCaptioned<platform::ui::CommandButton>(form, "CMD", index, where, caption, DefaultFont);
}

}  // namespace

F_MNT4820 createMainWindowDesign(platform::ui::Application& application) {
  std::unique_ptr<Form> window =
      createDesignedForm(application, "F_MNT4820", "センタ利用企業マスタ保守 ", DefaultFont, 11805, 8145);
  window->setBackColor(0x00C0C0C0);
  Form& form = *window;

  // In the design tab order; the control collection keeps this order too.
  auto& grid = placeControl(form.add<platform::ui::ListGrid>("GRID"), {180, 2040, 9195, 5850}, Gothic12);
  grid.setCols(ListGridCols);
  auto& searchKind = label(form, "SEARCH_KBN", {7500, 8160, 975, 375}, "");
  auto& keyCenter = codeField(form, "KCNTCD", {1740, 540, 1590, 360});
  auto& centerCaption = itemCaption(form, 0, {210, 540, 1500, 360}, "ｾﾝﾀｰｺｰﾄﾞ");
  auto& search = command(form, 0, {9360, 480, 1275, 315}, "検索(&F)");
  auto& add = command(form, 1, {9360, 1260, 1275, 315}, "追加（&A）");
  auto& remove = command(form, 2, {9360, 1620, 1275, 315}, "削除（&D）");
  auto& exit = command(form, 3, {9360, 7800, 1275, 285}, "終了（&E）");
  auto& center = codeField(form, "CNTCD", {240, 1680, 1605, 360});
  auto& centerTitle = itemCaption(form, 7, {240, 1320, 7200, 360}, "センターコード");
  auto& partnerTitle = itemCaption(form, 8, {7440, 1320, 1860, 360}, "相手先企業ｺｰﾄﾞ");
  auto& partner = codeField(form, "ATKCD", {7440, 1680, 1845, 360});
  return F_MNT4820{
      .form = std::move(window),
      .GRID = grid,
      .SEARCH_KBN = searchKind,
      .KCNTCD = keyCenter,
      .tit_KOUMOKU = {&centerCaption, &centerTitle, &partnerTitle},
      .CMD = {&search, &add, &remove, &exit},
      .CNTCD = center,
      .ATKCD = partner,
      .lbl_PGID = label(form, "lbl_PGID", {60, 30, 1665, 285}, "Label2"),
      .lbl_OPTIT = label(form, "lbl_OPTIT", {1890, 0, 1545, 255}, "ｵﾍﾟﾚｰﾀｺｰﾄﾞ"),
      .lbl_OP_CD = label(form, "lbl_OP_CD", {3480, 0, 1125, 255}, "AAAAAAA"),
      .lbl_OP_NM = label(form, "lbl_OP_NM", {4650, 0, 2055, 255}, "Label2"),
      .lbl_HIDUKE = label(form, "lbl_HIDUKE", {6780, 0, 1665, 255}, "Label2"),
      .lbl_KCNTNM = label(form, "lbl_KCNTNM", {3360, 600, 5625, 315}, "12345678901234567890"),
      .lbl_CNTNM = addCaptioned<platform::ui::Label>(form, "lbl_CNTNM", NotInArray, {1860, 1740, 5565, 315},
                                                     "1234567890123456789012345678901234567890", Gothic12),
  };
}

}  // namespace mnt4820
