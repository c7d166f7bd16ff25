#pragma once

#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/UiTypes.h"

namespace mnt4820 {

// The steps that every window's design repeats.

// The words a design is written in.
namespace design {
using platform::ui::Color;
using platform::ui::Font;
using platform::ui::Form;
using platform::ui::Rect;
}  // namespace design

// A window as designed: its name, caption, font and size in twips, with key preview; not yet loaded or shown.
std::unique_ptr<platform::ui::Form> createDesignedForm(platform::ui::Application& application, const char* name,
                                                       const char* caption, const platform::ui::Font& font,
                                                       int widthTwips, int heightTwips);

// Where a designed control lies, and its font; the control, for the design's next step.
template <class Kind>
Kind& placeControl(Kind& control, const platform::ui::Rect& where, const platform::ui::Font& font) {
  control.setGeometry(where);
  control.setFont(font);
  return control;
}

// A designed label or command button with its caption.
template <class Kind>
Kind& addCaptioned(platform::ui::Form& form, const char* name, int index, const platform::ui::Rect& where,
                   const char* caption, const platform::ui::Font& font) {
  auto& control = form.add<Kind>(name, index);
  control.setCaption(caption);
  return placeControl(control, where, font);
}

}  // namespace mnt4820
