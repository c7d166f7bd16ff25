#pragma once

#include <QMessageBox>
#include <QString>
#include <vector>

#include "platform/ui/UiTypes.h"

namespace platform::qt {

// A message box as the original desktop's flags describe it: button set (low digit), icon (16, 48), default
// button (256, 512), Japanese button texts. Esc and the close box answer Cancel, or OK on an OK-only box; on a
// box with neither (Yes/No) they do nothing.
class PlatformMessageBox final : public QMessageBox {
 public:
  PlatformMessageBox(const QString& prompt, int flags, const QString& title, QWidget* parent = nullptr);

  // The answer after exec(); a box that was ended without a button answers as its Esc would, else as its
  // default button.
  ui::mb::Answer answer() const;
  // The buttons in the original desktop's order (OK before Cancel, Yes before No ...).
  const std::vector<QPushButton*>& buttonsInOrder() const { return buttons_; }
  bool escapeAnswers() const { return escape_ != nullptr; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::vector<QPushButton*> buttons_;
  std::vector<ui::mb::Answer> answers_;  // the answer of each button
  QPushButton* escape_ = nullptr;
  QPushButton* default_ = nullptr;
};

}  // namespace platform::qt
