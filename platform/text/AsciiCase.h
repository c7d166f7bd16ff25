#pragma once

#include <string_view>

namespace platform {

// Compares names as the profile reader, the number conversion and PostgreSQL's folding of unquoted names do:
// ASCII letters without regard to case, everything else exactly. Bytes of multi-byte UTF-8 characters are
// 0x80 and above, so Japanese names compare exactly.
inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  constexpr auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace platform
