#pragma once

#include <QProxyStyle>

namespace platform::qt {

// The application's style, except that a password field shows each character as the model's password
// character: QLineEdit takes that character from the style, not from a property of its own.
class PasswordCharStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  PasswordCharStyle();

  void setCharacter(char32_t character) { character_ = character; }

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;

 private:
  char32_t character_ = U'*';
};

}  // namespace platform::qt
