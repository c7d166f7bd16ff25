#include "ModalAnswer.h"

#include <QApplication>
#include <utility>

ModalAnswer::ModalAnswer(std::function<void(QMessageBox&)> step) : step_(std::move(step)) {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || !box->isActiveWindow() || ran_) return;
    ran_ = true;
    timer_.stop();
    step_(*box);
  });
  timer_.start();
}

ModalAnswer::~ModalAnswer() { timer_.stop(); }
