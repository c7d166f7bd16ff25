#include "platform/text/CodePage.h"

#include "platform/text/Cp932Table.h"

namespace platform {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

bool isScalarValue(char32_t character) {
  return character <= 0x10FFFF && !(character >= 0xD800 && character <= 0xDFFF);
}

// Decodes the code point at pos and moves pos past it; nullopt (pos unchanged) for anything that
// is not well-formed UTF-8: stray continuation bytes, truncation, overlong forms, surrogates.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t character = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    character = lead & 0x1F;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    character = lead & 0x0F;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    character = lead & 0x07;
    smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    character = character << 6 | (next & 0x3F);
  }
  if (character < smallest || !isScalarValue(character)) return std::nullopt;
  pos += length;
  return character;
}

char32_t requireCodePoint(std::string_view text, std::size_t& pos) {
  const std::optional<char32_t> character = nextCodePoint(text, pos);
  if (!character) throw CodePageError("invalid UTF-8 at byte " + std::to_string(pos));
  return *character;
}

void appendUtf8(std::string& out, char32_t character) {
  if (!isScalarValue(character)) throw CodePageError("not a Unicode character: " + std::to_string(character));
  const auto put = [&](unsigned value) { out.push_back(static_cast<char>(value)); };
  if (character < 0x80) {
    put(character);
  } else if (character < 0x800) {
    put(0xC0 | character >> 6);
    put(0x80 | (character & 0x3F));
  } else if (character < 0x10000) {
    put(0xE0 | character >> 12);
    put(0x80 | (character >> 6 & 0x3F));
    put(0x80 | (character & 0x3F));
  } else {
    put(0xF0 | character >> 18);
    put(0x80 | (character >> 12 & 0x3F));
    put(0x80 | (character >> 6 & 0x3F));
    put(0x80 | (character & 0x3F));
  }
}

// Bytes the character takes in CP932; an unrepresentable one becomes the single byte '?'.
std::size_t ansiWidth(const Cp932Table& table, char32_t character) {
  const std::optional<std::uint16_t> code = table.codeOf(character);
  return code && !Cp932Table::isSingleByteCode(*code) ? 2 : 1;
}

}  // namespace

std::string utf8ToCp932(std::string_view utf8) {
  const Cp932Table& table = Cp932Table::instance();
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::optional<std::uint16_t> code = table.codeOf(requireCodePoint(utf8, pos));
    if (!code) {
      out.push_back('?');
    } else if (Cp932Table::isSingleByteCode(*code)) {
      out.push_back(static_cast<char>(*code));
    } else {
      out.push_back(static_cast<char>(*code >> 8));
      out.push_back(static_cast<char>(*code & 0xFF));
    }
  }
  return out;
}

std::string cp932ToUtf8(std::string_view bytes, InvalidBytes invalid) {
  const Cp932Table& table = Cp932Table::instance();
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (std::size_t pos = 0; pos < bytes.size();) {
    const auto first = static_cast<unsigned char>(bytes[pos]);
    if (const std::optional<char32_t> single = table.characterOf(first)) {
      appendUtf8(out, *single);
      ++pos;
      continue;
    }
    // Every byte below 0x80 is a character by itself, so only lead bytes get here.
    if (pos + 1 < bytes.size()) {
      const auto code = static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[pos + 1]));
      if (const std::optional<char32_t> pair = table.characterOf(code)) {
        appendUtf8(out, *pair);
        pos += 2;
        continue;
      }
    }
    if (invalid == InvalidBytes::Throw) throw CodePageError("invalid CP932 byte at offset " + std::to_string(pos));
    appendUtf8(out, ReplacementCharacter);
    // A lead byte and a non-ASCII byte that name no character are replaced as one; an ASCII byte after a lead
    // byte is a character of its own.
    const bool isLead = (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xFC);
    pos += isLead && pos + 1 < bytes.size() && static_cast<unsigned char>(bytes[pos + 1]) >= 0x80 ? 2 : 1;
  }
  return out;
}

bool isValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (!nextCodePoint(text, pos)) return false;
  }
  return true;
}

std::size_t AnsiByteLength(std::string_view utf8) {
  const Cp932Table& table = Cp932Table::instance();
  std::size_t length = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      ++pos;
      ++length;
    } else {
      length += ansiWidth(table, requireCodePoint(utf8, pos));
    }
  }
  return length;
}

std::string cutToAnsiBytes(std::string_view utf8, std::size_t maxBytes) {
  const Cp932Table& table = Cp932Table::instance();
  std::size_t length = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t start = pos;
    length += ansiWidth(table, requireCodePoint(utf8, pos));
    if (length > maxBytes) return std::string(utf8.substr(0, start));
  }
  return std::string(utf8);
}

std::size_t characterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++count) requireCodePoint(utf8, pos);
  return count;
}

std::u32string toUtf32(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) out.push_back(requireCodePoint(utf8, pos));
  return out;
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t character : text) appendUtf8(out, character);
  return out;
}

std::string toUtf8(char32_t character) {
  std::string out;
  appendUtf8(out, character);
  return out;
}

std::optional<std::int16_t> cp932CharCode(char32_t character) {
  const std::optional<std::uint16_t> code = Cp932Table::instance().codeOf(character);
  if (!code) return std::nullopt;
  // C++20 defines the conversion to a narrower signed type as modular: 0x82A0 gives -32096.
  return static_cast<std::int16_t>(*code);
}

std::optional<char32_t> charFromCp932Code(std::int16_t code) {
  const auto unsignedCode = static_cast<std::uint16_t>(code);
  // Positive values above 0xFF are no CP932 code: double-byte codes have the top bit set.
  if (unsignedCode > 0xFF && unsignedCode < 0x8000) return std::nullopt;
  return Cp932Table::instance().characterOf(unsignedCode);
}

std::string_view trimBlanksView(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string trimBlanks(std::string_view text) { return std::string(trimBlanksView(text)); }

}  // namespace platform
