#pragma once

#include <optional>
#include <string>

#include "platform/ui/Control.h"

namespace platform::ui {

class CommandButton : public Control {
 public:
  explicit CommandButton(std::string name, int index = NotInArray);

  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  // The access key of the caption ("追加（&A）" gives 'A'), upper case; none without an ampersand.
  std::optional<char> accessKey() const override;

  std::string defaultValue() const override { return caption_; }
  void setDefaultValue(const std::string& value) override { setCaption(value); }

 protected:
  bool keyAction(std::int16_t keyCode, std::int16_t shiftState) override;
  void keyReleased(std::int16_t keyCode) override;
  bool takesFocusOnClick() const override { return true; }

 private:
  std::string caption_;
};

}  // namespace platform::ui
