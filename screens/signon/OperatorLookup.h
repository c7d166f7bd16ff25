#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "screens/signon/SignOnState.h"

namespace mnt4820 {

// What the sign-on window and the password window share: the operator's lookup, the refusal of a value, and the
// dialogs' own form of leaving a full field.

std::string trimmed(const platform::ui::TextBox& field);
// Shows the fixed message and sets StatusStop.
void refuse(SignOnState& signOn, std::int16_t& status, const char* message);

enum class NameShown { AsStored, Trimmed };
// Looks up the trimmed operator code of a window; on success its name label shows the name and the working values
// are replaced, on a refusal nothing changes.
void lookUpOperator(SignOnState& signOn, const platform::ui::TextBox& codeField, platform::ui::Label& nameLabel,
                    NameShown shown, std::int16_t& status);

void selectFocusedText(std::span<platform::ui::TextBox* const> fields);

using FieldCheck = void (*)(SignOnState&, int tabIndex, std::int16_t& status);
// The sign-on dialogs' own form of leaving a full field: the focused one of `fields`, when the released key leaves
// it typed full, is checked; a refused one has its text selected again. Returns the accepted field, for the caller
// to leave. Nothing is cut.
platform::ui::TextBox* checkedFullField(SignOnState& signOn, const platform::ui::Form& window,
                                        std::span<platform::ui::TextBox* const> fields, std::int16_t keyCode,
                                        FieldCheck check);

}  // namespace mnt4820
