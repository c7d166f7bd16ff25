// The CP932 helpers on arbitrary bytes, read both as CP932 and as UTF-8: conversions round-trip for text CP932
// can hold, byte counts agree with the conversion, and a cut keeps the longest prefix that fits without half a
// double-byte character.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "platform/text/CodePage.h"

namespace {

using mnt4820::fuzz::require;
using platform::CodePageError;

void checkAsCp932(const std::string& bytes) {
  const std::string replaced = platform::cp932ToUtf8(bytes, platform::InvalidBytes::Replace);
  require(platform::isValidUtf8(replaced), "a decoded text is UTF-8");
  std::string strict;
  try {
    strict = platform::cp932ToUtf8(bytes);
  } catch (const CodePageError&) {
    require(replaced.find("\xEF\xBF\xBD") != std::string::npos, "bytes refused strictly show a replacement");
    return;
  }
  require(strict == replaced, "valid bytes decode alike in both modes");
  // Bytes may name one character by two codes (the NEC and IBM rows), so the text is what round-trips.
  const std::string encoded = platform::utf8ToCp932(strict);
  require(platform::cp932ToUtf8(encoded) == strict, "text decoded from CP932 round-trips");
  require(encoded.size() == bytes.size(), "re-encoding keeps the byte count");
  require(platform::AnsiByteLength(strict) == bytes.size(), "the byte length is the CP932 byte count");
}

void checkCut(const std::string& utf8, const std::string& encoded, std::size_t limit) {
  const std::string cut = platform::cutToAnsiBytes(utf8, limit);
  require(utf8.starts_with(cut), "a cut is a prefix");
  const std::string cutEncoded = platform::utf8ToCp932(cut);
  require(cutEncoded.size() <= limit, "a cut never exceeds the limit");
  require(encoded.starts_with(cutEncoded), "a cut never leaves half a double-byte character");
  require(platform::AnsiByteLength(cut) == cutEncoded.size(), "the byte length of a cut is its CP932 byte count");
  if (cut.size() < utf8.size()) {
    // The next character would not have fitted.
    const std::u32string rest = platform::toUtf32(std::string_view(utf8).substr(cut.size()));
    require(cutEncoded.size() + platform::AnsiByteLength(platform::toUtf8(rest.front())) > limit,
            "a cut is the longest prefix that fits");
  }
}

void checkAsUtf8(const std::string& text, std::size_t limit) {
  if (!platform::isValidUtf8(text)) {
    // Every helper that needs UTF-8 refuses the bytes with its own error.
    for (const auto& call : {+[](const std::string& t) { platform::utf8ToCp932(t); },
                             +[](const std::string& t) { platform::AnsiByteLength(t); },
                             +[](const std::string& t) { platform::toUtf32(t); },
                             +[](const std::string& t) { platform::characterCount(t); }}) {
      bool refused = false;
      try {
        call(text);
      } catch (const CodePageError&) {
        refused = true;
      }
      require(refused, "invalid UTF-8 is refused");
    }
    return;
  }
  const std::u32string characters = platform::toUtf32(text);
  require(platform::toUtf8(characters) == text, "UTF-32 round-trips");
  require(platform::characterCount(text) == characters.size(), "the character count");
  const std::string encoded = platform::utf8ToCp932(text);
  require(platform::AnsiByteLength(text) == encoded.size(), "the byte length is the CP932 byte count");
  require(platform::utf8ToCp932(platform::cp932ToUtf8(encoded)) == encoded, "encoded text round-trips");

  // Some characters have a code only one way, as in the Windows conversion (the yen sign is written as the
  // backslash byte): they count as held by CP932 when their code names them again.
  bool representable = true;
  for (const char32_t c : characters) {
    const std::optional<std::int16_t> code = platform::cp932CharCode(c);
    const std::optional<char32_t> named = code ? platform::charFromCp932Code(*code) : std::nullopt;
    if (code) require(named && platform::cp932CharCode(*named) == code, "a key-press code names a character");
    representable = representable && named == c;
  }
  if (representable) require(platform::cp932ToUtf8(encoded) == text, "text CP932 can hold round-trips");

  checkCut(text, encoded, limit);
  checkCut(text, encoded, encoded.size());
  if (!encoded.empty()) checkCut(text, encoded, encoded.size() - 1);
  require(platform::trimBlanks(text).size() <= text.size(), "trimming never grows a text");
}

void checkCharCode(std::int16_t code) {
  const std::optional<char32_t> character = platform::charFromCp932Code(code);
  if (!character) return;
  const std::optional<std::int16_t> back = platform::cp932CharCode(*character);
  require(back.has_value(), "a character of a code has a code");
  require(platform::charFromCp932Code(*back) == character, "the code of a character names it again");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto limit = input.ConsumeIntegralInRange<std::size_t>(0, 64);
  checkCharCode(input.ConsumeIntegral<std::int16_t>());
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  checkAsCp932(bytes);
  checkAsUtf8(bytes, limit);
  return 0;
}
