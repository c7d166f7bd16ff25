#include "platform/ui/HeadlessToolkit.h"

#include "platform/ui/Form.h"
#include "platform/ui/UiError.h"

namespace platform::ui {

mb::Answer HeadlessToolkit::messageBox(const std::string& prompt, int flags, const std::string& title) {
  messages_.push_back({prompt, flags, title});
  if (answers_.empty()) throw UiError("unexpected message box: " + prompt);
  const mb::Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void HeadlessToolkit::setScreenSize(int widthTwips, int heightTwips) {
  screenWidth_ = widthTwips;
  screenHeight_ = heightTwips;
}

std::size_t HeadlessToolkit::runPosted() {
  std::size_t ran = 0;
  while (!posted_.empty() && !exitCode_) {
    const std::function<void()> work = std::move(posted_.front());
    posted_.pop_front();
    work();
    ++ran;
  }
  return ran;
}

void HeadlessToolkit::runModal(Form& form) {
  if (!onModal) throw UiError("a form was shown modally with no script to run it: " + form.name());
  onModal(form);
  if (form.isVisible()) throw UiError("the modal script left the form open: " + form.name());
}

}  // namespace platform::ui
