#pragma once

#include <string>

#include "platform/ui/Control.h"

namespace platform::ui {

class Label : public Control {
 public:
  explicit Label(std::string name, int index = NotInArray);

  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);

  std::string defaultValue() const override { return caption_; }
  void setDefaultValue(const std::string& value) override { setCaption(value); }

 protected:
  bool isFocusableKind() const override { return false; }

 private:
  std::string caption_;
};

}  // namespace platform::ui
