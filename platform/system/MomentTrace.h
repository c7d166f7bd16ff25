#pragma once

namespace platform {

// Moments of a run that a benchmark times from outside the process. With MNT4820_TRACE set in the environment
// each one writes "mnt4820-moment NAME NANOSECONDS" to stderr, on the monotonic clock that the launching
// process reads too; otherwise it does nothing.
void traceMoment(const char* name);

}  // namespace platform
