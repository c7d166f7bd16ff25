#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

#include "platform/profile/ProfileFile.h"

namespace {

using platform::ProfileError;
using platform::ProfileFile;

// Converted with glibc directly, so that the file's bytes do not depend on the code under test.
std::string toCp932(std::string_view utf8) {
  const iconv_t descriptor = iconv_open("CP932", "UTF-8");
  if (descriptor == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 in iconv");
  std::string in(utf8);
  std::string out(in.size() * 2 + 4, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t result = iconv(descriptor, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(descriptor);
  if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("text not representable in CP932");
  out.resize(out.size() - outLeft);
  return out;
}

std::string withLineEnd(std::string_view text, std::string_view lineEnd) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') {
      out += lineEnd;
    } else {
      out += c;
    }
  }
  return out;
}

class ProfileFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "profile-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::filesystem::path write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::filesystem::path folder_;
};

constexpr std::string_view SuiteSettings =
    "; 共通設定\n"
    "[動作環境]\n"
    "MACHINENAME=端末01\n"
    "USERID = edi \n"
    "PASSWD='p@ss word'\n"
    "DBSTRING=\"EDI DB\"\n"
    "\n"
    "[Setting0]\n"
    "LabelBackColor=&H8000000F\n"
    "TextFontName=ＭＳ ゴシック\n"
    "TitleFontName=髙﨑～①ｱｲｳ\n"
    "[デバッグ]\n"
    "MODE=1\n";

enum class Encoding { Cp932Lf, Cp932CrLf, Cp932Cr, Utf8Lf, Utf8CrLf, Utf8Cr, Utf8BomLf, Utf8BomCrLf };

std::string encodingName(const testing::TestParamInfo<Encoding>& info) {
  const char* const names[] = {"Cp932Lf",  "Cp932CrLf", "Cp932Cr",   "Utf8Lf",
                               "Utf8CrLf", "Utf8Cr",    "Utf8BomLf", "Utf8BomCrLf"};
  return names[static_cast<int>(info.param)];
}

class ProfileFileEncodingTest : public ProfileFileTest, public testing::WithParamInterface<Encoding> {
 protected:
  std::string bytes() const {
    switch (GetParam()) {
      case Encoding::Cp932Lf: return toCp932(SuiteSettings);
      case Encoding::Cp932CrLf: return withLineEnd(toCp932(SuiteSettings), "\r\n");
      case Encoding::Cp932Cr: return withLineEnd(toCp932(SuiteSettings), "\r");
      case Encoding::Utf8Lf: return std::string(SuiteSettings);
      case Encoding::Utf8CrLf: return withLineEnd(SuiteSettings, "\r\n");
      case Encoding::Utf8Cr: return withLineEnd(SuiteSettings, "\r");
      case Encoding::Utf8BomLf: return "\xEF\xBB\xBF" + std::string(SuiteSettings);
      case Encoding::Utf8BomCrLf: return "\xEF\xBB\xBF" + withLineEnd(SuiteSettings, "\r\n");
    }
    return {};
  }
};

TEST_P(ProfileFileEncodingTest, ReadsTheSameValues) {
  const ProfileFile file = ProfileFile::load(write("EDI.ini", bytes()));
  ASSERT_TRUE(file.exists());
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"動作環境", "MACHINENAME", "端末01"},
      {"動作環境", "USERID", "edi"},
      {"動作環境", "PASSWD", "p@ss word"},
      {"動作環境", "DBSTRING", "EDI DB"},
      {"Setting0", "LabelBackColor", "&H8000000F"},
      {"Setting0", "TextFontName", "ＭＳ ゴシック"},
      {"Setting0", "TitleFontName", "髙﨑～①ｱｲｳ"},
      {"デバッグ", "MODE", "1"},
      {"setting0", "labelbackcolor", "&H8000000F"},
      {"SETTING0", "TEXTFONTNAME", "ＭＳ ゴシック"},
      {"動作環境", "machinename", "端末01"},
      {"Setting0", "MODE", ""},
      {"ENV3310", "MINIMAIZE", ""},
      {"動作", "USERID", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(file.value(c.section, c.key, 256), c.value);
  }
}

INSTANTIATE_TEST_SUITE_P(AllEncodings, ProfileFileEncodingTest,
                         testing::Values(Encoding::Cp932Lf, Encoding::Cp932CrLf, Encoding::Cp932Cr, Encoding::Utf8Lf,
                                         Encoding::Utf8CrLf, Encoding::Utf8Cr, Encoding::Utf8BomLf,
                                         Encoding::Utf8BomCrLf),
                         encodingName);

TEST(ProfileFileSyntax, FollowsTheProfileReaderRules) {
  const ProfileFile file = ProfileFile::fromBytes(
      "before=outside any section\n"
      "  [ Section ]  \n"
      "plain=value\n"
      "\t spaced \t=\t value with blanks \t\n"
      "double=\"quoted\"\n"
      "single='quoted'\n"
      "mixed=\"quoted'\n"
      "lone=\"\n"
      "emptyQuotes=''\n"
      "inner=\"a\"b\"\n"
      "halfQuoted=\"a\" b\n"
      "comment=a ; not a comment\n"
      ";hidden=1\n"
      "   ;alsoHidden=1\n"
      "noEquals\n"
      "empty=\n"
      "equals=a=b\n"
      "twice=first\n"
      "TWICE=second\n"
      "[Open\n"
      "afterOpen=still in section\n"
      "[テスト]\n"
      "ｷｰ=katakana\n"
      "[section]\n"
      "plain=from the second section of the same name\n"
      "onlyInSecond=x\n");
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"", "before", ""},
      {"Section", "before", ""},
      {"Section", "plain", "value"},
      {"Section", "spaced", "value with blanks"},
      {"Section", "double", "quoted"},
      {"Section", "single", "quoted"},
      {"Section", "mixed", "\"quoted'"},
      {"Section", "lone", "\""},
      {"Section", "emptyQuotes", ""},
      {"Section", "inner", "a\"b"},
      {"Section", "halfQuoted", "\"a\" b"},
      {"Section", "comment", "a ; not a comment"},
      {"Section", "hidden", ""},
      {"Section", "alsoHidden", ""},
      {"Section", ";hidden", ""},
      {"Section", "noEquals", ""},
      {"Section", "empty", ""},
      {"Section", "equals", "a=b"},
      {"Section", "twice", "first"},
      {"テスト", "ｷｰ", "katakana"},
      {"Section", "onlyInSecond", ""},
      {"Section", "afterOpen", "still in section"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(file.value(c.section, c.key, 256), c.value);
  }
}

TEST(ProfileFileSyntax, MatchesJapaneseNamesExactly) {
  const ProfileFile file = ProfileFile::fromBytes("[デバッグ]\nMODE=1\n[Ａｂｃ]\nkey=2\n");
  EXPECT_EQ(file.value("デバッグ", "mode", 256), "1");
  EXPECT_EQ(file.value("デバック", "MODE", 256), "");
  EXPECT_EQ(file.value("Ａｂｃ", "KEY", 256), "2");
  EXPECT_EQ(file.value("ＡＢＣ", "key", 256), "");  // full-width letters have no case folding
}

TEST(ProfileFileBuffer, CutsToTheBufferSize) {
  const std::string ascii(300, 'a');
  const std::string straddling = std::string(254, 'a') + [] {
    std::string kana;
    for (int i = 0; i < 46; ++i) kana += "あ";
    return kana;
  }();
  const std::string fitting = std::string(253, 'b') + "あ" + std::string(46, 'c');
  const ProfileFile file = ProfileFile::fromBytes(
      toCp932("[Setting0]\nascii=" + ascii + "\nstraddling=" + straddling + "\nfitting=" + fitting + "\n"));

  EXPECT_EQ(file.value("Setting0", "ascii", 256), std::string(255, 'a'));
  // Byte 255 would be the first half of あ: the character is left out whole.
  EXPECT_EQ(file.value("Setting0", "straddling", 256), std::string(254, 'a'));
  EXPECT_EQ(file.value("Setting0", "fitting", 256), std::string(253, 'b') + "あ");
  EXPECT_EQ(file.value("Setting0", "ascii", 64), std::string(63, 'a'));
  EXPECT_EQ(file.value("Setting0", "ascii", 301), ascii);
  EXPECT_EQ(file.value("Setting0", "ascii", 1), "");
  EXPECT_EQ(file.value("Setting0", "ascii", 0), "");
  EXPECT_EQ(file.value("Setting0", "straddling", 257), std::string(254, 'a') + "あ");
}

TEST_F(ProfileFileTest, MissingFileReadsAsEmpty) {
  const ProfileFile file = ProfileFile::load(folder_ / "EDI.ini");
  EXPECT_FALSE(file.exists());
  EXPECT_EQ(file.value("動作環境", "DBSTRING", 64), "");
  EXPECT_FALSE(ProfileFile::load(folder_ / "no-such-folder" / "EDI.ini").exists());
}

TEST_F(ProfileFileTest, EmptyFileExistsAndReadsAsEmpty) {
  const ProfileFile file = ProfileFile::load(write("EDI.ini", ""));
  EXPECT_TRUE(file.exists());
  EXPECT_EQ(file.value("動作環境", "DBSTRING", 64), "");
}

// None of these is read, and none is waited on: a FIFO with no writer would block an ordinary open for ever.
TEST_F(ProfileFileTest, WhatIsNotASmallRegularFileIsAnError) {
  const std::filesystem::path path = folder_ / "EDI.ini";
  const struct {
    const char* what;
    std::function<void()> make;
  } cases[] = {
      {"a folder", [&] { std::filesystem::create_directory(path); }},
      {"a FIFO", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
      {"a device", [&] { std::filesystem::create_symlink("/dev/zero", path); }},
      {"over 1 MiB", [&] { write("EDI.ini", "[動作環境]\n" + std::string(ProfileFile::MaxProfileBytes, ';')); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(path);
    c.make();
    EXPECT_THROW(ProfileFile::load(path), ProfileError);
  }
  std::filesystem::remove_all(path);
  EXPECT_TRUE(ProfileFile::load(write("EDI.ini", std::string(ProfileFile::MaxProfileBytes, ';'))).exists());
}

TEST(ProfileFileBytes, AByteThatDoesNotDecodeSpoilsOnlyTheValueHoldingIt) {
  const std::string setting0 = toCp932("[Setting0]\nTextFontName=ＭＳ ゴシック\n");
  const std::string replacement = "\xEF\xBF\xBD";
  struct Case {
    const char* what;
    std::string bytes;
    const char* key;
    std::string value;
  };
  const Case cases[] = {
      {"in a comment", "; \x80 old\n" + setting0, "TextFontName", "ＭＳ ゴシック"},
      {"in another section", "[ENV3310]\nMINIMAIZE=\x80\n" + setting0, "TextFontName", "ＭＳ ゴシック"},
      {"in another key's value", setting0 + "LabelFontName=\x80\n", "TextFontName", "ＭＳ ゴシック"},
      {"inside the value",
       setting0 + "LabelBackColor=&H8\x80"
                  "0\n",
       "LabelBackColor", "&H8" + replacement + "0"},
      {"a lead byte before an ASCII byte", setting0 + "LabelFontName=a\x82z\n", "LabelFontName",
       "a" + replacement + "z"},
      {"a pair that names no character", setting0 + "LabelFontName=a\x85\x80z\n", "LabelFontName",
       "a" + replacement + "z"},
      {"a trail byte that is a bracket", toCp932("[Setting0]\n[ゾ\nTextFontName=ゾ]\n"), "TextFontName", "ゾ]"},
      {"a UTF-8 byte-order mark before CP932 text", "\xEF\xBB\xBF" + setting0, "TextFontName", "ＭＳ ゴシック"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ProfileFile::fromBytes(c.bytes).value("Setting0", c.key, 256), c.value);
  }
}

}  // namespace
