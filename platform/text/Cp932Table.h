#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace platform {

// Both directions of CP932 as glibc's iconv converts them, built once so that byte counts and
// key codes need no iconv call per character. Codes 0x00..0xFF are single bytes; double-byte
// codes are lead byte * 256 + trail byte (lead >= 0x81, so the two ranges never overlap).
class Cp932Table {
 public:
  static const Cp932Table& instance();

  std::optional<std::uint16_t> codeOf(char32_t character) const;
  std::optional<char32_t> characterOf(std::uint16_t code) const;

  static bool isSingleByteCode(std::uint16_t code) { return code <= 0xFF; }

 private:
  Cp932Table();

  static constexpr std::uint16_t NoCode = 0xFFFF;  // 0xFF is no lead byte
  static constexpr char32_t NoCharacter = 0xFFFFFFFF;

  // CP932 holds characters of the Basic Multilingual Plane only.
  std::array<std::uint16_t, 0x10000> codes_;
  std::array<char32_t, 0x10000> characters_;
};

}  // namespace platform
