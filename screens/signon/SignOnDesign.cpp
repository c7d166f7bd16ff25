#include "screens/signon/SignOnDesign.h"

#include <utility>

#include "framework/FormDesign.h"

namespace mnt4820 {

namespace {

using platform::ui::Color;
using platform::ui::Font;
using platform::ui::Form;
using platform::ui::Rect;

const Font FieldFont{"ＭＳ ゴシック", 12.0};
const Font HeaderFont{"ＭＳ ゴシック", 9.0};
constexpr Color DesignBack = 0x00C0C0C0;

constexpr int NotInArray = platform::ui::Control::NotInArray;
constexpr int CodeLength = 7;
constexpr int PasswordLength = 10;

std::unique_ptr<Form> createWindow(platform::ui::Application& application, const char* name) {
  std::unique_ptr<Form> form = createDesignedForm(application, name, "オペレータ入力 ", FieldFont, 7995, 3375);
  form->setBackColor(DesignBack);
  return form;
}

platform::ui::Label& label(Form& form, const char* name, int index, const Rect& where, const char* caption,
                           const Font& font) {
  platform::ui::Label& label = addCaptioned<platform::ui::Label>(form, name, index, where, caption, font);
  label.setBackColor(DesignBack);
  return label;
}

platform::ui::Label& title(Form& form, int index, const Rect& where, const char* caption) {
  return label(form, "tit_KOUMOKU", index, where, caption, FieldFont);
}

platform::ui::Label& header(Form& form, const char* name, const Rect& where) {
  return label(form, name, NotInArray, where, "", HeaderFont);
}

platform::ui::TextBox& field(Form& form, const char* name, const Rect& where, int maxLength) {
  auto& box = form.add<platform::ui::TextBox>(name);
  box.setMaxLength(maxLength);
  // Only the operator code is shown as typed.
  if (maxLength == PasswordLength) box.setPasswordChar("*");
  return placeControl(box, where, FieldFont);
}

}  // namespace

OPS22101 createSignOnWindowDesign(platform::ui::Application& application) {
  std::unique_ptr<Form> window = createWindow(application, "OPS22101");
  Form& form = *window;
  auto& code = field(form, "OPCD", {3000, 900, 945, 345}, CodeLength);
  auto& codeTitle = title(form, 0, {720, 900, 2250, 345}, "オペレータコード");
  auto& name = label(form, "lbl_OPNM", NotInArray, {3960, 900, 3885, 345}, "", FieldFont);
  auto& password = field(form, "PSWD", {3000, 1500, 1335, 345}, PasswordLength);
  auto& passwordTitle = title(form, 1, {720, 1500, 2250, 345}, "パスワード");
  return OPS22101{
      .form = std::move(window),
      .OPCD = code,
      .tit_KOUMOKU = {&codeTitle, &passwordTitle},
      .lbl_OPNM = name,
      .PSWD = password,
      .lbl_PGID = header(form, "lbl_PGID", {240, 60, 1665, 285}),
      .lbl_DATE = header(form, "lbl_DATE", {6300, 60, 1605, 255}),
  };
}

OPS22102 createPasswordWindowDesign(platform::ui::Application& application) {
  std::unique_ptr<Form> window = createWindow(application, "OPS22102");
  Form& form = *window;
  auto& code = field(form, "OPCD", {3000, 720, 945, 345}, CodeLength);
  auto& codeTitle = title(form, 0, {720, 720, 2250, 345}, "オペレータコード");
  auto& name = label(form, "lbl_OPNM", NotInArray, {3960, 720, 2565, 345}, "", FieldFont);
  auto& password = field(form, "PSWD", {3000, 1320, 1335, 345}, PasswordLength);
  auto& passwordTitle = title(form, 1, {720, 1320, 2250, 345}, "旧パスワード");
  auto& screenId = header(form, "lbl_PGID", {240, 60, 1665, 285});
  auto& date = header(form, "lbl_DATE", {6300, 60, 1605, 255});
  auto& newPassword = field(form, "NPSWD", {3000, 1980, 1335, 345}, PasswordLength);
  auto& newTitle = title(form, 2, {720, 1980, 2250, 345}, "新パスワード");
  auto& confirmation = field(form, "KAKUNIN", {3000, 2340, 1335, 345}, PasswordLength);
  auto& confirmationTitle = title(form, 3, {720, 2340, 2250, 345}, "確認入力");
  return OPS22102{
      .form = std::move(window),
      .OPCD = code,
      .tit_KOUMOKU = {&codeTitle, &passwordTitle, &newTitle, &confirmationTitle},
      .lbl_OPNM = name,
      .PSWD = password,
      .lbl_PGID = screenId,
      .lbl_DATE = date,
      .NPSWD = newPassword,
      .KAKUNIN = confirmation,
  };
}

}  // namespace mnt4820
