#include "platform/text/Cp932Table.h"

#include <iconv.h>

#include <string>
#include <string_view>

#include "platform/text/CodePage.h"

namespace platform {

namespace {

// One iconv conversion descriptor, used for one complete character at a time.
class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {
    if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
      throw CodePageError(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~IconvConverter() { iconv_close(descriptor_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  // nullopt when iconv rejects the input or leaves part of it unconverted.
  std::optional<std::string> convert(std::string_view input) const {
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    std::string in(input);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char out[16];
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(descriptor_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
      return std::nullopt;
    }
    return std::string(out, static_cast<std::size_t>(outPtr - out));
  }

 private:
  iconv_t descriptor_;
};

}  // namespace

const Cp932Table& Cp932Table::instance() {
  static const Cp932Table table;
  return table;
}

Cp932Table::Cp932Table() {
  codes_.fill(NoCode);
  characters_.fill(NoCharacter);

  // "CP932", not "SHIFT_JIS": only CP932 has the NEC and IBM extensions (①, 髙, 﨑) and maps
  // 0x8160 to ～ (U+FF5E) as Windows does.
  const IconvConverter decoder("UTF-8", "CP932");
  const auto decode = [&](std::uint16_t code, std::string_view bytes) {
    const std::optional<std::string> utf8 = decoder.convert(bytes);
    if (!utf8) return false;
    const std::u32string decoded = toUtf32(*utf8);
    if (decoded.size() != 1) return false;
    characters_[code] = decoded.front();
    return true;
  };
  for (unsigned lead = 0; lead <= 0xFF; ++lead) {
    const char first = static_cast<char>(lead);
    if (decode(static_cast<std::uint16_t>(lead), std::string_view(&first, 1))) continue;
    // Not a character by itself: a lead byte, or no character at all.
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      const char pair[2] = {first, static_cast<char>(trail)};
      decode(static_cast<std::uint16_t>(lead << 8 | trail), std::string_view(pair, 2));
    }
  }

  // Encoding is read from iconv separately because it is not the exact inverse: several codes
  // decode to the same character (NEC and IBM duplicates) and some characters encode one way
  // only (¥ to 0x5C, 〜 U+301C to 0x8160), as in the Windows conversion.
  const IconvConverter encoder("CP932", "UTF-8");
  for (char32_t character = 0; character < 0x10000; ++character) {
    if (character >= 0xD800 && character <= 0xDFFF) continue;
    const std::optional<std::string> bytes = encoder.convert(toUtf8(character));
    if (!bytes) continue;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>((*bytes)[i]); };
    if (bytes->size() == 1) {
      codes_[character] = byte(0);
    } else if (bytes->size() == 2) {
      codes_[character] = static_cast<std::uint16_t>(byte(0) << 8 | byte(1));
    }
  }
}

std::optional<std::uint16_t> Cp932Table::codeOf(char32_t character) const {
  if (character >= codes_.size() || codes_[character] == NoCode) return std::nullopt;
  return codes_[character];
}

std::optional<char32_t> Cp932Table::characterOf(std::uint16_t code) const {
  if (characters_[code] == NoCharacter) return std::nullopt;
  return characters_[code];
}

}  // namespace platform
