#include "platform/system/MomentTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace platform {

void traceMoment(const char* name) {
  static const bool enabled = std::getenv("MNT4820_TRACE") != nullptr;
  if (!enabled) return;
  const auto now =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch());
  std::fprintf(stderr, "mnt4820-moment %s %lld\n", name, static_cast<long long>(now.count()));
  std::fflush(stderr);
}

}  // namespace platform
