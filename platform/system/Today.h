#pragma once

#include <string>

namespace platform {

// Today's local date as "yyyy/mm/dd", the form every window header shows.
std::string todayText();

}  // namespace platform
