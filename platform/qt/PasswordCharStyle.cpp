#include "platform/qt/PasswordCharStyle.h"

namespace platform::qt {

// Without a base style the proxy follows the application's style and does not own it.
PasswordCharStyle::PasswordCharStyle() = default;

int PasswordCharStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
  if (hint == SH_LineEdit_PasswordCharacter) return static_cast<int>(character_);
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace platform::qt
