#pragma once

#include <string>

#include "platform/ui/Control.h"

namespace platform::ui {

// The data control of a window: it holds a connection string and nothing else (no face, no focus, no rows). The
// string may carry a password: whoever sets it empties it as soon as it is not needed.
class DataControl : public Control {
 public:
  explicit DataControl(std::string name, int index = NotInArray);

  const std::string& connectionString() const { return connectionString_; }
  void setConnectionString(const std::string& connectionString) { connectionString_ = connectionString; }

 protected:
  bool isFocusableKind() const override { return false; }

 private:
  std::string connectionString_;
};

}  // namespace platform::ui
