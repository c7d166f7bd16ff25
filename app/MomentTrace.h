#pragma once

#include "platform/ui/Application.h"

namespace mnt4820 {

// With MNT4820_TRACE set in the environment, each moment of the run is written to stderr as
// "mnt4820-moment NAME NANOSECONDS", on the monotonic clock that the launching benchmark reads too; otherwise
// no moment is written.
void traceMomentsWhenAsked(platform::ui::Application& application);

}  // namespace mnt4820
