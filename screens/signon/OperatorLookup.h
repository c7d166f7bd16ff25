#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "screens/signon/SignOnState.h"

namespace mnt4820 {

// What the sign-on window and the password window share: the operator's lookup and the refusal of a value.

std::string trimmed(const platform::ui::TextBox& field);
// Shows the fixed message and sets StatusStop.
void refuse(SignOnState& signOn, std::int16_t& status, const char* message);

enum class NameShown { AsStored, Trimmed };
// Looks up the trimmed operator code of a window; on success its name label shows the name and the working values
// are replaced, on a refusal nothing changes.
void lookUpOperator(SignOnState& signOn, const platform::ui::TextBox& codeField, platform::ui::Label& nameLabel,
                    NameShown shown, std::int16_t& status);

}  // namespace mnt4820
