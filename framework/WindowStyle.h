#pragma once

#include <stdexcept>
#include <string>

#include "config/Settings.h"
#include "framework/ScreenState.h"
#include "platform/ui/Form.h"

namespace mnt4820 {

// A settings value that cannot be applied to a window or control: not a number or boolean, a font size the
// control refuses. The start-up turns it into its "item setting error" and ends the program.
class WindowStyleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Styles `CurrentForm` and its controls from the settings: the window's background, then in collection
// order every text box with the Text look, every label named "lbl_…" or "OPR_…" with the Label look and
// "tit_…" with the Title look. This is the first access to the window, so it is loaded here and its load
// handler runs. Stops at the first value that does not apply (WindowStyleError); what was styled stays.
void ApplyWindowStyle(ScreenState& screen, const Settings& settings);

// Puts the window in the middle of the screen, half of each difference dropped toward zero; a window larger
// than the screen gets a negative position.
void CenterWindow(platform::ui::Form& window);

}  // namespace mnt4820
