#include "app/MomentTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace mnt4820 {

void traceMomentsWhenAsked(platform::ui::Application& application) {
  if (std::getenv("MNT4820_TRACE") == nullptr) return;
  application.setMomentHook([](std::string_view name) {
    const auto now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch());
    std::fprintf(stderr, "mnt4820-moment %.*s %lld\n", static_cast<int>(name.size()), name.data(),
                 static_cast<long long>(now.count()));
    std::fflush(stderr);
  });
}

}  // namespace mnt4820
