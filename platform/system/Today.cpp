#include "platform/system/Today.h"

#include <ctime>

namespace platform {

std::string todayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y/%m/%d", &local);
  return text;
}

}  // namespace platform
