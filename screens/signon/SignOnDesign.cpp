#include "screens/signon/SignOnDesign.h"

#include <utility>

#include "framework/FormDesign.h"

namespace mnt4820 {

namespace {

using namespace design;

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

// A text field at its place among the fields of the tab order, which come before every label.
platform::ui::TextBox& field(Form& form, const char* name, int tabIndex, const Rect& where, int maxLength) {
  auto& box = form.add<platform::ui::TextBox>(name);
  box.setTabIndex(tabIndex);
  box.setMaxLength(maxLength);
  // Only the operator code is shown as typed.
  if (maxLength == PasswordLength) box.setPasswordChar("*");
  return placeControl(box, where, FieldFont);
}

// The code row at `codeTop` with a name label `nameWidth` wide, the password row at `passwordTop`, and the header.
OperatorEntryDesign createOperatorEntry(platform::ui::Application& application, const char* name, int codeTop,
                                        int nameWidth, int passwordTop, const char* passwordCaption) {
  std::unique_ptr<Form> window = createWindow(application, name);
  Form& form = *window;
  auto& code = field(form, "OPCD", 0, {3000, codeTop, 945, 345}, CodeLength);
  auto& codeTitle = title(form, 0, {720, codeTop, 2250, 345}, "オペレータコード");
  auto& operatorName = label(form, "lbl_OPNM", NotInArray, {3960, codeTop, nameWidth, 345}, "", FieldFont);
  auto& password = field(form, "PSWD", 1, {3000, passwordTop, 1335, 345}, PasswordLength);
  auto& passwordTitle = title(form, 1, {720, passwordTop, 2250, 345}, passwordCaption);
  return OperatorEntryDesign{
      .form = std::move(window),
      .OPCD = code,
      .tit_KOUMOKU = {&codeTitle, &passwordTitle},
      .lbl_OPNM = operatorName,
      .PSWD = password,
      .lbl_PGID = header(form, "lbl_PGID", {240, 60, 1665, 285}),
      .lbl_DATE = header(form, "lbl_DATE", {6300, 60, 1605, 255}),
  };
}

}  // namespace

OPS22101 createSignOnWindowDesign(platform::ui::Application& application) {
  return OPS22101{createOperatorEntry(application, "OPS22101", 900, 3885, 1500, "パスワード")};
}

OPS22102 createPasswordWindowDesign(platform::ui::Application& application) {
  OperatorEntryDesign entry = createOperatorEntry(application, "OPS22102", 720, 2565, 1320, "旧パスワード");
  Form& form = *entry.form;
  auto& newPassword = field(form, "NPSWD", 2, {3000, 1980, 1335, 345}, PasswordLength);
  auto& newTitle = title(form, 2, {720, 1980, 2250, 345}, "新パスワード");
  auto& confirmation = field(form, "KAKUNIN", 3, {3000, 2340, 1335, 345}, PasswordLength);
  auto& confirmationTitle = title(form, 3, {720, 2340, 2250, 345}, "確認入力");
  entry.tit_KOUMOKU = {&entry.tit_KOUMOKU[0], &entry.tit_KOUMOKU[1], &newTitle, &confirmationTitle};
  return OPS22102{std::move(entry), newPassword, confirmation};
}

}  // namespace mnt4820
