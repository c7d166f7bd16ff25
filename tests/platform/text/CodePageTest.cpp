#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/CodePage.h"

namespace {

using platform::AnsiByteLength;
using platform::CodePageError;

// glibc's own conversion, called directly, as the reference the precomputed tables must agree with.
class IconvReference {
 public:
  IconvReference(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~IconvReference() { iconv_close(descriptor_); }
  IconvReference(const IconvReference&) = delete;
  IconvReference& operator=(const IconvReference&) = delete;
  bool usable() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

  std::optional<std::string> convert(std::string_view input) const {
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    std::string in(input);
    std::string out(in.size() * 4 + 8, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(descriptor_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
  }

 private:
  iconv_t descriptor_;
};

// A UTF-8 text holding exactly one code point, decoded without the code under test.
char32_t singleCodePoint(const std::string& utf8) {
  const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i])); };
  switch (utf8.size()) {
    case 1: return b(0);
    case 2: return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    case 3: return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    default: return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
  }
}

struct ReversibleCase {
  const char* utf8;
  const char* cp932;
};

TEST(Cp932Conversion, ConvertsBothWaysAsWindowsDoes) {
  const ReversibleCase cases[] = {
      {"A", "A"},
      {"～", "\x81\x60"},  // full-width tilde: SHIFT_JIS would give U+301C here
      {"①", "\x87\x40"},   // NEC special characters
      {"髙", "\xFB\xFC"},  // IBM extension
      {"﨑", "\xFA\xB1"},
      {"ｱ", "\xB1"},
      {"ﾟ", "\xDF"},
      {"あ", "\x82\xA0"},
      {"漢", "\x8A\xBF"},
      {"Ａ", "\x82\x60"},
      {"－", "\x81\x7C"},
      {"￢", "\x81\xCA"},
      {"∥", "\x81\x61"},
      {"￠", "\x81\x91"},
      {"￡", "\x81\x92"},
      {"ｵﾍﾟﾚｰﾀｺｰﾄﾞ", "\xB5\xCD\xDF\xDA\xB0\xC0\xBA\xB0\xC4\xDE"},
      {"動作環境", "\x93\xAE\x8D\xEC\x8A\xC2\x8B\xAB"},
      {"", ""},
  };
  for (const ReversibleCase& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(platform::utf8ToCp932(c.utf8), c.cp932);
    EXPECT_EQ(platform::cp932ToUtf8(c.cp932), c.utf8);
  }
}

TEST(Cp932Conversion, OneWayMappingsFollowTheSystemConversion) {
  EXPECT_EQ(platform::utf8ToCp932("〜"), "\x81\x60");  // U+301C wave dash
  EXPECT_EQ(platform::utf8ToCp932("‖"), "\x81\x61");
  EXPECT_EQ(platform::utf8ToCp932("¥"), "\\");
  EXPECT_EQ(platform::utf8ToCp932("¬"), "\x81\xCA");  // U+00AC; 0x81CA reads back as ￢
  // Codes duplicated between the NEC and IBM rows decode to the same character.
  EXPECT_EQ(platform::cp932ToUtf8("\xEE\xEF"), "ⅰ");
  EXPECT_EQ(platform::cp932ToUtf8("\xFA\x40"), "ⅰ");
  EXPECT_EQ(platform::utf8ToCp932("ⅰ"), "\xFA\x40");
}

TEST(Cp932Conversion, UnrepresentableCharactersBecomeQuestionMarks) {
  struct Case {
    const char* utf8;
    const char* cp932;
    std::size_t ansiLength;
    std::size_t characters;
  };
  const Case cases[] = {
      {"😀", "?", 1, 1},
      {"𠮷", "?", 1, 1},
      {"한", "?", 1, 1},  // in the Basic Multilingual Plane, still not in CP932
      {"€", "?", 1, 1},
      {"a😀あ", "a?\x82\xA0", 4, 3},
      {"𠮷野家", "?\x96\xEC\x89\xC6", 5, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(platform::utf8ToCp932(c.utf8), c.cp932);
    EXPECT_EQ(AnsiByteLength(c.utf8), c.ansiLength);
    EXPECT_EQ(platform::characterCount(c.utf8), c.characters);
    EXPECT_EQ(platform::toUtf8(platform::toUtf32(c.utf8)), c.utf8);
  }
  EXPECT_EQ(platform::cutToAnsiBytes("a😀b", 2), "a😀");
  EXPECT_EQ(platform::cutToAnsiBytes("a😀b", 1), "a");
  for (const char32_t character : {U'😀', U'𠮷', U'한', U'€'}) {
    EXPECT_FALSE(platform::cp932CharCode(character).has_value()) << static_cast<unsigned>(character);
  }
}

TEST(Cp932Conversion, RejectsBytesThatAreNoCp932) {
  const char* const cases[] = {
      "\x82",     // lead byte at the end
      "a\x82 b",  // lead byte followed by a byte that is no trail byte
      "\x80",     // never used
      "\xA0",     "\xFD", "\xFF",
      "\xEF\x40",  // unassigned row
  };
  for (const char* bytes : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(bytes)));
    EXPECT_THROW(platform::cp932ToUtf8(bytes), CodePageError);
  }
}

TEST(Utf8, RecognisesWellFormedText) {
  struct Case {
    std::string_view text;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"abc", true},
      {"あ漢ｱ", true},
      {"😀", true},
      {std::string_view("a\0b", 3), true},
      {"\x80", false},              // continuation byte without a lead
      {"\xC3", false},              // truncated
      {"\xE3\x81", false},          // truncated
      {"\xC0\xAF", false},          // overlong '/'
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xF8\x88\x80\x80\x80", false},
      {"\xE3\x81\x41", false},  // bad continuation
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    EXPECT_EQ(platform::isValidUtf8(c.text), c.valid);
    if (!c.valid) {
      EXPECT_THROW(platform::utf8ToCp932(c.text), CodePageError);
      EXPECT_THROW(AnsiByteLength(c.text), CodePageError);
      EXPECT_THROW(platform::cutToAnsiBytes(c.text, 100), CodePageError);
      EXPECT_THROW(platform::characterCount(c.text), CodePageError);
      EXPECT_THROW(platform::toUtf32(c.text), CodePageError);
    }
  }
}

TEST(Utf8, ConvertsToAndFromCodePoints) {
  EXPECT_EQ(platform::characterCount("a あ😀"), 4u);
  EXPECT_EQ(platform::characterCount(""), 0u);
  EXPECT_EQ(platform::toUtf32("a あ😀"), U"a あ😀");
  EXPECT_EQ(platform::toUtf8(U"a あ😀"), "a あ😀");
  EXPECT_EQ(platform::toUtf8(U'A'), "A");
  EXPECT_EQ(platform::toUtf8(U'é'), "\xC3\xA9");
  EXPECT_EQ(platform::toUtf8(U'あ'), "\xE3\x81\x82");
  EXPECT_EQ(platform::toUtf8(U'😀'), "\xF0\x9F\x98\x80");
  EXPECT_THROW(platform::toUtf8(static_cast<char32_t>(0xD800)), CodePageError);
  EXPECT_THROW(platform::toUtf8(static_cast<char32_t>(0x110000)), CodePageError);
  EXPECT_THROW(platform::toUtf8(std::u32string_view(U"a\x110000")), CodePageError);
}

TEST(AnsiLength, CountsCp932Bytes) {
  struct Case {
    const char* utf8;
    std::size_t bytes;
  };
  const Case cases[] = {
      {"", 0}, {"abc", 3}, {"あ", 2}, {"ｱ", 1}, {"ｵﾍﾟﾚｰﾀｺｰﾄﾞ", 10}, {"ab漢字", 6}, {"①髙﨑～", 8}, {"　", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(AnsiByteLength(c.utf8), c.bytes) << c.utf8;
}

TEST(AnsiLength, CutsNeverInsideADoubleByteCharacter) {
  struct Case {
    const char* utf8;
    std::size_t maxBytes;
    const char* expected;
  };
  const Case cases[] = {
      {"aあb", 0, ""},    {"aあb", 1, "a"},    {"aあb", 2, "a"},  // あ would take bytes 2 and 3: dropped whole
      {"aあb", 3, "aあ"}, {"aあb", 4, "aあb"}, {"あい", 3, "あ"}, {"ｱｲｳ", 2, "ｱｲ"}, {"abc", 10, "abc"}, {"", 5, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.utf8) + " / " + std::to_string(c.maxBytes));
    const std::string cut = platform::cutToAnsiBytes(c.utf8, c.maxBytes);
    EXPECT_EQ(cut, c.expected);
    EXPECT_LE(AnsiByteLength(cut), c.maxBytes);
  }
}

TEST(KeyCodes, GivesTheCodesWindowsDelivered) {
  struct Case {
    char32_t character;
    std::int16_t code;
  };
  const Case cases[] = {
      {U'a', 97},      {U'\r', 13}, {U'ｱ', 177}, {U'ﾟ', 223}, {U'あ', -32096},  // 0x82A0
      {U'Ａ', -32160},                                                          // 0x8260
      {U'漢', -30017},                                                          // 0x8ABF
      {U'～', -32416},                                                          // 0x8160
      {U'髙', -1028},                                                           // 0xFBFC
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<unsigned>(c.character));
    EXPECT_EQ(platform::cp932CharCode(c.character), c.code);
    EXPECT_EQ(platform::charFromCp932Code(c.code), c.character);
  }
  EXPECT_FALSE(platform::cp932CharCode(U'😀').has_value());
  EXPECT_FALSE(platform::cp932CharCode(U'𠮷').has_value());
  for (const int code : {0x82, 0xA0, 0x100, 0x7FFF, -1, -4288 /* 0xEF40 */}) {
    EXPECT_FALSE(platform::charFromCp932Code(static_cast<std::int16_t>(code)).has_value()) << code;
  }
}

TEST(KeyCodes, RoundTripOverTheWholeCp932Repertoire) {
  const IconvReference decoder("UTF-8", "CP932");
  const IconvReference encoder("CP932", "UTF-8");
  ASSERT_TRUE(decoder.usable() && encoder.usable());
  int doubleByteCharacters = 0;
  const auto check = [&](unsigned code, const std::string& bytes) {
    const std::optional<std::string> utf8 = decoder.convert(bytes);
    if (!utf8 || utf8->empty()) return false;
    const char32_t character = singleCodePoint(*utf8);
    const auto signedCode = static_cast<std::int16_t>(code);
    EXPECT_EQ(platform::charFromCp932Code(signedCode), character) << std::hex << code;
    // Duplicated codes encode to one of them, the one the system conversion picks.
    const std::optional<std::int16_t> encoded = platform::cp932CharCode(character);
    EXPECT_TRUE(encoded.has_value()) << std::hex << code;
    if (encoded) {
      EXPECT_EQ(platform::charFromCp932Code(*encoded), character) << std::hex << code;
      const auto unsignedEncoded = static_cast<std::uint16_t>(*encoded);
      std::string expectedBytes = unsignedEncoded <= 0xFF ? std::string(1, static_cast<char>(unsignedEncoded))
                                                          : std::string{static_cast<char>(unsignedEncoded >> 8),
                                                                        static_cast<char>(unsignedEncoded & 0xFF)};
      EXPECT_EQ(encoder.convert(*utf8), expectedBytes) << std::hex << code;
    }
    EXPECT_EQ(platform::cp932ToUtf8(bytes), *utf8);
    return true;
  };
  for (unsigned lead = 0; lead <= 0xFF; ++lead) {
    if (check(lead, std::string(1, static_cast<char>(lead)))) continue;
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      if (check(lead << 8 | trail, std::string{static_cast<char>(lead), static_cast<char>(trail)})) {
        ++doubleByteCharacters;
      }
    }
  }
  // JIS X 0208 with the NEC and IBM extensions and the user-defined area.
  EXPECT_GT(doubleByteCharacters, 9000);
}

TEST(AnsiLength, AgreesWithTheConversionForEveryCharacter) {
  const IconvReference encoder("CP932", "UTF-8");
  ASSERT_TRUE(encoder.usable());
  for (char32_t character = 1; character < 0x10000; ++character) {
    if (character >= 0xD800 && character <= 0xDFFF) continue;
    const std::string utf8 = platform::toUtf8(character);
    const std::string expected = encoder.convert(utf8).value_or("?");
    const std::string converted = platform::utf8ToCp932(utf8);
    ASSERT_EQ(converted, expected) << std::hex << static_cast<unsigned>(character);
    ASSERT_EQ(AnsiByteLength(utf8), converted.size()) << std::hex << static_cast<unsigned>(character);
  }
}

TEST(TrimBlanks, RemovesOnlyTheSpaceCharacter) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"", ""},
      {"   ", ""},
      {"  ab  ", "ab"},
      {"a b", "a b"},
      {" a b ", "a b"},
      {"\tab\t", "\tab\t"},
      {"　ab　", "　ab　"},  // full-width spaces stay
      {" 　ab　 ", "　ab　"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::trimBlanks(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
