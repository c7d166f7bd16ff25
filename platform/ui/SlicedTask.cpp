#include "platform/ui/SlicedTask.h"

#include <utility>

#include "platform/ui/Application.h"

namespace platform::ui {

void SlicedTask::start(std::function<bool()> slice) {
  work_ = std::make_shared<std::function<bool()>>(std::move(slice));
  postNext();
}

void SlicedTask::postNext() {
  app_.post([this, weak = std::weak_ptr(work_)] {
    const std::shared_ptr<std::function<bool()>> work = weak.lock();
    if (!work) return;
    const bool done = (*work)();
    // The slice may have stopped the task, or started other work in its place.
    if (work_ != work) return;
    if (done) {
      work_.reset();
    } else {
      postNext();
    }
  });
}

}  // namespace platform::ui
