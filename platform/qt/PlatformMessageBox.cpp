#include "platform/qt/PlatformMessageBox.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <vector>

namespace platform::qt {

namespace {

namespace mb = ui::mb;

struct ButtonKind {
  const char* text;
  mb::Answer answer;
};

constexpr ButtonKind Ok{"OK", mb::Answer::Ok};
constexpr ButtonKind Cancel{"キャンセル", mb::Answer::Cancel};
constexpr ButtonKind Yes{"はい(&Y)", mb::Answer::Yes};
constexpr ButtonKind No{"いいえ(&N)", mb::Answer::No};

std::vector<ButtonKind> buttonSet(int flags) {
  switch (flags & 0xF) {
    case mb::OkCancel: return {Ok, Cancel};
    case mb::YesNoCancel: return {Yes, No, Cancel};
    case mb::YesNo: return {Yes, No};
    default: return {Ok};
  }
}

QMessageBox::Icon iconOf(int flags) {
  switch (flags & 0x70) {
    case mb::Critical: return QMessageBox::Critical;
    case mb::Exclamation: return QMessageBox::Warning;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

PlatformMessageBox::PlatformMessageBox(const QString& prompt, int flags, const QString& title, QWidget* parent)
    : QMessageBox(parent) {
  setWindowTitle(title);
  setText(prompt);
  setTextFormat(Qt::PlainText);
  setIcon(iconOf(flags));
  const auto kinds = buttonSet(flags);
  // One role for all buttons keeps them in the order they are added: by their standard roles Qt would lay
  // them out as the desktop theme likes (Cancel before OK on some).
  for (const ButtonKind& kind : kinds) {
    QPushButton* button = addButton(QString::fromUtf8(kind.text), QMessageBox::ActionRole);
    buttons_.push_back(button);
    answers_.push_back(kind.answer);
    if (kind.answer == mb::Answer::Cancel) escape_ = button;
  }
  if (buttons_.size() == 1) escape_ = buttons_.front();
  // Qt would make No the escape button by its role; the original desktop has none there.
  setEscapeButton(escape_);

  // 256 the second button, 512 the third; a default beyond the set is the first, as the original desktop does.
  const auto place = static_cast<std::size_t>((flags & 0xF00) / mb::DefaultButton2);
  default_ = buttons_[place < buttons_.size() ? place : 0];
  setDefaultButton(default_);
  // Enter presses the button with the focus, which starts on the default one.
  default_->setFocus();
}

mb::Answer PlatformMessageBox::answer() const {
  const QAbstractButton* chosen = clickedButton();
  if (chosen == nullptr) chosen = escape_ != nullptr ? escape_ : default_;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i] == chosen) return answers_[i];
  }
  return mb::Answer::Cancel;
}

void PlatformMessageBox::keyPressEvent(QKeyEvent* event) {
  if (escape_ == nullptr && event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QMessageBox::keyPressEvent(event);
}

void PlatformMessageBox::closeEvent(QCloseEvent* event) {
  if (escape_ == nullptr) {
    event->ignore();
    return;
  }
  QMessageBox::closeEvent(event);
}

}  // namespace platform::qt
