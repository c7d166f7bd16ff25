#pragma once

#include <string>

namespace platform::qt {

// The desktop's clipboard as UTF-8 text.
std::string clipboardText();
void setClipboardText(const std::string& text);

}  // namespace platform::qt
