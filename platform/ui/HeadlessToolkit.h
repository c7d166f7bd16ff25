#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/Toolkit.h"

namespace platform::ui {

// A toolkit without windows, for driving forms from tests: message boxes are answered from a script and
// recorded, a modal form is handed to a scripted function that must close it.
class HeadlessToolkit : public Toolkit {
 public:
  struct ShownMessage {
    std::string prompt;
    int flags = 0;
    std::string title;
  };

  // Queues the answer to the next message box; a message box with no answer queued is a test failure (UiError).
  void answerNext(mb::Answer answer) { answers_.push_back(answer); }
  const std::vector<ShownMessage>& messages() const { return messages_; }
  std::size_t pendingAnswers() const { return answers_.size(); }
  void setScreenSize(int widthTwips, int heightTwips);
  const std::vector<MousePointer>& pointerHistory() const { return pointers_; }
  std::optional<int> exitCode() const { return exitCode_; }
  // Runs while a form is shown modally; it must leave the form hidden.
  std::function<void(Form&)> onModal;
  // The event loop of a test: runs the posted work in order, with the work posted meanwhile, until none is left
  // or the program ends. Returns how many pieces ran.
  std::size_t runPosted();
  std::size_t postedCount() const { return posted_.size(); }

  mb::Answer messageBox(const std::string& prompt, int flags, const std::string& title) override;
  void mousePointerChanged(MousePointer pointer) override { pointers_.push_back(pointer); }
  int screenWidthTwips() const override { return screenWidth_; }
  int screenHeightTwips() const override { return screenHeight_; }
  std::string clipboardText() const override { return clipboard_; }
  void setClipboardText(const std::string& text) override { clipboard_ = text; }
  void showForm(Form&) override {}
  void runModal(Form& form) override;
  void hideForm(Form&) override {}
  void unloadForm(Form&) override {}
  void programEnding(int exitCode) override { exitCode_ = exitCode; }
  void post(Application&, std::function<void()> work) override { posted_.push_back(std::move(work)); }
  // No time: a test runs the posted work itself, and each slice does the least it can.
  std::chrono::milliseconds sliceTime() const override { return std::chrono::milliseconds{0}; }

 private:
  std::deque<mb::Answer> answers_;
  std::deque<std::function<void()>> posted_;
  std::vector<ShownMessage> messages_;
  std::vector<MousePointer> pointers_;
  std::optional<int> exitCode_;
  std::string clipboard_;
  int screenWidth_ = 1920 * 15;
  int screenHeight_ = 1080 * 15;
};

}  // namespace platform::ui
