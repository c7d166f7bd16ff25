#pragma once

#include <functional>
#include <memory>

namespace platform::ui {

class Application;

// A long piece of work cut into slices that run one after another on the event loop, so that the input and
// paints waiting in between get their turn. Each slice says whether the work is done; stopping the task (or
// destroying it) drops the slices not yet run, and starting it again replaces the work under way.
class SlicedTask {
 public:
  explicit SlicedTask(Application& app) : app_(app) {}
  ~SlicedTask() { stop(); }
  SlicedTask(const SlicedTask&) = delete;
  SlicedTask& operator=(const SlicedTask&) = delete;

  // `slice` returns true once the work is done; the first slice runs on the event loop, not here.
  void start(std::function<bool()> slice);
  void stop() { work_.reset(); }

 private:
  void postNext();

  Application& app_;
  // Shared with the posted slice only weakly, so that a slice posted before a stop or a new start finds nothing.
  std::shared_ptr<std::function<bool()>> work_;
};

}  // namespace platform::ui
