#include "framework/WindowStyle.h"

#include <exception>
#include <string_view>

#include "platform/text/NumberConversion.h"
#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"

namespace mnt4820 {

namespace {

using platform::ui::Control;

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
// properties styled. The font values are texts converted only here, as the original controls converted them
// on assignment; `name` is the look's prefix of the settings keys.
void applyLook(Control& control, const Look& look, std::string_view name) {
  const auto key = [name](std::string_view property) { return std::string(name) + std::string(property); };
  const std::string& who = control.name();
  assign(key("BackColor"), who, [&] { control.setBackColor(platform::toInteger32(look.BackColor)); });
  assign(key("FontBold"), who, [&] { control.setFontBold(platform::parseBoolean(look.FontBold)); });
  assign(key("FontItalic"), who, [&] { control.setFontItalic(platform::parseBoolean(look.FontItalic)); });
  assign(key("FontName"), who, [&] { control.setFontName(look.FontName); });
  assign(key("FontSize"), who, [&] { control.setFontSize(platform::parseNumber(look.FontSize)); });
  assign(key("FontStrikethru"), who,
         [&] { control.setFontStrikethrough(platform::parseBoolean(look.FontStrikethru)); });
  assign(key("FontUnderline"), who, [&] { control.setFontUnderline(platform::parseBoolean(look.FontUnderline)); });
  assign(key("ForeColor"), who, [&] { control.setForeColor(platform::toInteger32(look.ForeColor)); });
}

// The label look chosen by the first four characters of the name, untrimmed: " lbl_X" is not styled.
void styleLabel(platform::ui::Label& label, const Settings& settings) {
  const std::string_view name = label.name();
  if (name.starts_with("lbl_") || name.starts_with("OPR_")) {
    applyLook(label, settings.Label, "Label");
  } else if (name.starts_with("tit_")) {
    applyLook(label, settings.Title, "Title");
  }
}

// Text boxes and labels in one pass, so that a value that does not apply stops the styling in collection order.
struct Styler {
  const Settings& settings;
  void operator()(platform::ui::TextBox& box) const { applyLook(box, settings.Text, "Text"); }
  void operator()(platform::ui::Label& label) const { styleLabel(label, settings); }
};

}  // namespace

void ApplyWindowStyle(ScreenState& screen, const Settings& settings) {
  platform::ui::Form& form = screen.form();
  form.load();
  assign("FormBackColor", form.name(),
         [&] { form.setBackColor(platform::toInteger32(platform::parseNumber(settings.FormBackColor))); });

  form.forEachControlOf<platform::ui::TextBox, platform::ui::Label>(Styler{settings});
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
