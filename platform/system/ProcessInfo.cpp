#include "platform/system/ProcessInfo.h"

namespace platform {

std::filesystem::path programFolder() { return std::filesystem::canonical("/proc/self/exe").parent_path(); }

std::string commandLineText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    if (argv[i] != nullptr) text += argv[i];
  }
  return text;
}

}  // namespace platform
