#include "screens/signon/SignOnDesign.h"

#include <span>

#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

namespace {

using platform::ui::Color;
using platform::ui::Font;
using platform::ui::Rect;

const Font FieldFont{"ＭＳ ゴシック", 12.0};
const Font HeaderFont{"ＭＳ ゴシック", 9.0};
constexpr Color DesignBack = 0x00C0C0C0;

// A text box has a MaxLength; a label none. Both windows list their controls in the design tab order.
struct ControlDesign {
  const char* name;
  int index;
  Rect place;
  int maxLength;
  const char* caption;
  const Font& font;
};

constexpr int IsLabel = 0;
constexpr int CodeLength = 7;
constexpr int PasswordLength = 10;

const ControlDesign SignOnControls[] = {
    {"OPCD", -1, {3000, 900, 945, 345}, CodeLength, "", FieldFont},
    {"tit_KOUMOKU", 0, {720, 900, 2250, 345}, IsLabel, "オペレータコード", FieldFont},
    {"lbl_OPNM", -1, {3960, 900, 3885, 345}, IsLabel, "", FieldFont},
    {"PSWD", -1, {3000, 1500, 1335, 345}, PasswordLength, "", FieldFont},
    {"tit_KOUMOKU", 1, {720, 1500, 2250, 345}, IsLabel, "パスワード", FieldFont},
    {"lbl_PGID", -1, {240, 60, 1665, 285}, IsLabel, "", HeaderFont},
    {"lbl_DATE", -1, {6300, 60, 1605, 255}, IsLabel, "", HeaderFont},
};

const ControlDesign PasswordControls[] = {
    {"OPCD", -1, {3000, 720, 945, 345}, CodeLength, "", FieldFont},
    {"tit_KOUMOKU", 0, {720, 720, 2250, 345}, IsLabel, "オペレータコード", FieldFont},
    {"lbl_OPNM", -1, {3960, 720, 2565, 345}, IsLabel, "", FieldFont},
    {"PSWD", -1, {3000, 1320, 1335, 345}, PasswordLength, "", FieldFont},
    {"tit_KOUMOKU", 1, {720, 1320, 2250, 345}, IsLabel, "旧パスワード", FieldFont},
    {"lbl_PGID", -1, {240, 60, 1665, 285}, IsLabel, "", HeaderFont},
    {"lbl_DATE", -1, {6300, 60, 1605, 255}, IsLabel, "", HeaderFont},
    {"NPSWD", -1, {3000, 1980, 1335, 345}, PasswordLength, "", FieldFont},
    {"tit_KOUMOKU", 2, {720, 1980, 2250, 345}, IsLabel, "新パスワード", FieldFont},
    {"KAKUNIN", -1, {3000, 2340, 1335, 345}, PasswordLength, "", FieldFont},
    {"tit_KOUMOKU", 3, {720, 2340, 2250, 345}, IsLabel, "確認入力", FieldFont},
};

std::unique_ptr<platform::ui::Form> createWindow(platform::ui::Application& application, const char* name,
                                                 std::span<const ControlDesign> design) {
  auto form = std::make_unique<platform::ui::Form>(application, name);
  form->setCaption("オペレータ入力 ");
  form->setBackColor(DesignBack);
  form->setFont(FieldFont);
  form->move(0, 0, 7995, 3375);
  form->setKeyPreview(true);
  for (const ControlDesign& d : design) {
    platform::ui::Control* control = nullptr;
    if (d.maxLength == IsLabel) {
      auto& label = form->add<platform::ui::Label>(d.name, d.index);
      label.setCaption(d.caption);
      label.setBackColor(DesignBack);
      control = &label;
    } else {
      auto& box = form->add<platform::ui::TextBox>(d.name, d.index);
      box.setMaxLength(d.maxLength);
      // Only the operator code is shown as typed.
      if (d.maxLength == PasswordLength) box.setPasswordChar("*");
      control = &box;
    }
    control->setGeometry(d.place);
    control->setFont(d.font);
  }
  return form;
}

}  // namespace

std::unique_ptr<platform::ui::Form> createSignOnWindowDesign(platform::ui::Application& application) {
  return createWindow(application, "OPS22101", SignOnControls);
}

std::unique_ptr<platform::ui::Form> createPasswordWindowDesign(platform::ui::Application& application) {
  return createWindow(application, "OPS22102", PasswordControls);
}

}  // namespace mnt4820
