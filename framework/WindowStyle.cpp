#include "framework/WindowStyle.h"

#include <exception>
#include <string_view>

#include "platform/text/NumberConversion.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"

namespace mnt4820 {

namespace {

using platform::ui::Control;
using platform::ui::ControlKind;

// One of the three looks of the settings file. The settings keys are the look's name followed by the
// property ("Text" + "FontSize"); the font values are texts converted only here, as the original controls
// converted them on assignment.
struct Look {
  std::string_view name;
  double backColor;
  const std::string& fontBold;
  const std::string& fontItalic;
  const std::string& fontName;
  const std::string& fontSize;
  const std::string& fontStrikethru;
  const std::string& fontUnderline;
  double foreColor;
};

Look textLook(const Settings& s) {
  return {"Text", s.TextBackColor, s.TextFontBold, s.TextFontItalic, s.TextFontName, s.TextFontSize,
          s.TextFontStrikethru, s.TextFontUnderline, s.TextForeColor};
}

Look labelLook(const Settings& s) {
  return {"Label", s.LabelBackColor, s.LabelFontBold, s.LabelFontItalic, s.LabelFontName, s.LabelFontSize,
          s.LabelFontStrikethru, s.LabelFontUnderline, s.LabelForeColor};
}

Look titleLook(const Settings& s) {
  return {"Title", s.TitleBackColor, s.TitleFontBold, s.TitleFontItalic, s.TitleFontName, s.TitleFontSize,
          s.TitleFontStrikethru, s.TitleFontUnderline, s.TitleForeColor};
}

// Runs one property assignment; a conversion or a refusal by the control becomes a WindowStyleError that
// names the settings key and the control.
template <class Assign>
void assign(std::string_view key, std::string_view target, Assign&& assignment) {
  try {
    assignment();
  } catch (const std::exception& e) {
    throw WindowStyleError(std::string(key) + " for " + std::string(target) + ": " + e.what());
  }
}

// The eight properties in the order the original styling set them, so that a failure leaves the same
// properties styled.
void applyLook(Control& control, const Look& look) {
  const auto key = [&look](std::string_view property) { return std::string(look.name) + std::string(property); };
  const std::string& who = control.name();
  assign(key("BackColor"), who, [&] { control.setBackColor(platform::toInteger32(look.backColor)); });
  assign(key("FontBold"), who, [&] { control.setFontBold(platform::parseBoolean(look.fontBold)); });
  assign(key("FontItalic"), who, [&] { control.setFontItalic(platform::parseBoolean(look.fontItalic)); });
  assign(key("FontName"), who, [&] { control.setFontName(look.fontName); });
  assign(key("FontSize"), who, [&] { control.setFontSize(platform::parseNumber(look.fontSize)); });
  assign(key("FontStrikethru"), who, [&] { control.setFontStrikethrough(platform::parseBoolean(look.fontStrikethru)); });
  assign(key("FontUnderline"), who, [&] { control.setFontUnderline(platform::parseBoolean(look.fontUnderline)); });
  assign(key("ForeColor"), who, [&] { control.setForeColor(platform::toInteger32(look.foreColor)); });
}

// The label look chosen by the first four characters of the name, untrimmed: " lbl_X" is not styled.
const Look* lookForLabel(const Control& label, const Look& labels, const Look& titles) {
  const std::string_view name = label.name();
  if (name.starts_with("lbl_") || name.starts_with("OPR_")) return &labels;
  if (name.starts_with("tit_")) return &titles;
  return nullptr;
}

}  // namespace

void ApplyWindowStyle(ScreenState& screen, const Settings& settings) {
  platform::ui::Form& form = screen.form();
  form.load();
  assign("FormBackColor", form.name(),
         [&] { form.setBackColor(platform::toInteger32(platform::parseNumber(settings.FormBackColor))); });

  const Look texts = textLook(settings);
  const Look labels = labelLook(settings);
  const Look titles = titleLook(settings);
  for (Control* control : form.controls()) {
    if (control->kind() == ControlKind::TextBox) {
      applyLook(*control, texts);
    } else if (control->kind() == ControlKind::Label) {
      if (const Look* look = lookForLabel(*control, labels, titles)) applyLook(*control, *look);
    }
  }
}

void CenterWindow(platform::ui::Form& window) {
  const platform::ui::Application& application = window.application();
  const platform::ui::Rect place = window.geometry();
  // Integer division truncates toward zero, which is how the half of an odd difference is dropped.
  const int left = (application.screenWidthTwips() - place.width) / 2;
  const int top = (application.screenHeightTwips() - place.height) / 2;
  window.move(left, top, place.width, place.height);
}

}  // namespace mnt4820
