#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace platform::qt {

// Work posted to the event loop, run one piece an event. It waits while a window just shown is not yet
// painted, so that the operator sees a window before the work behind it goes on.
class PostedWork final : public QObject {
  Q_OBJECT

 public:
  PostedWork();
  ~PostedWork() override;

  void post(std::function<void()> work);
  // A window was shown: the work waits for its first paint (at most a second, for a window that a desktop
  // never exposes).
  void windowShown(QWidget* window);
  // A window shown has been painted (or hidden, or given up on): the work held for it goes on.
  void windowPainted(const QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void schedule();

  std::deque<std::function<void()>> posted_;
  bool scheduled_ = false;
  static constexpr int FirstPaintWait = 1000;  // ms
  std::vector<const QWidget*> unpainted_;
};

}  // namespace platform::qt
