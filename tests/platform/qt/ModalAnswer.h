#pragma once

#include <QMessageBox>
#include <QTimer>
#include <functional>

// Answers the next modal dialog from inside its own event loop: polls until a message box is the active modal
// widget and has become the active window, then runs the given step on it (which inspects it and sends keys).
class ModalAnswer {
 public:
  explicit ModalAnswer(std::function<void(QMessageBox&)> step);
  ~ModalAnswer();
  ModalAnswer(const ModalAnswer&) = delete;
  ModalAnswer& operator=(const ModalAnswer&) = delete;

  bool ran() const { return ran_; }

 private:
  QTimer timer_;
  std::function<void(QMessageBox&)> step_;
  bool ran_ = false;
};
