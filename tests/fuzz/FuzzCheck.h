#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text/CodePage.h"

namespace mnt4820::fuzz {

// A broken property is a crash to libFuzzer, which then keeps the input that broke it.
inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

// Arbitrary bytes as the program's text: kept when they are UTF-8, otherwise read as CP932, so that both the
// typed text of a field and the bytes of a file reach the code as the text they would become.
inline std::string textFrom(std::string_view bytes) {
  if (platform::isValidUtf8(bytes)) return std::string(bytes);
  return platform::cp932ToUtf8(bytes, platform::InvalidBytes::Replace);
}

}  // namespace mnt4820::fuzz
