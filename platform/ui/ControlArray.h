#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/ui/UiError.h"

namespace platform::ui {

// The members of a control array as a window's design hands them out: `CMD[2]` is the member whose Index is 2.
template <class Kind>
class ControlArray {
 public:
  ControlArray(std::initializer_list<Kind*> members) : members_(members) {}

  Kind& operator[](int index) const {
    for (Kind* member : members_) {
      if (member->index() == index) return *member;
    }
    throw UiError("no member " + std::to_string(index) + " in the control array");
  }
  auto begin() const { return members_.begin(); }
  auto end() const { return members_.end(); }

 private:
  std::vector<Kind*> members_;
};

}  // namespace platform::ui
