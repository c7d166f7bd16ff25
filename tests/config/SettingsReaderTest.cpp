#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>

#include "config/SettingsReader.h"
#include "platform/text/CodePage.h"
#include "tests/support/TestFolder.h"

namespace mnt4820 {
namespace {

using test::TestFolder;

constexpr const char* DbSection =
    "[動作環境]\r\nMACHINENAME=WS01\r\nUSERID= edi \r\nPASSWD=secret\r\nDBSTRING=MNT4820_DEMO\r\n";

// A complete "Setting0" and the further sections; `overrides` replaces or adds lines by key.
std::string settingsText(std::map<std::string, std::string> overrides = {}) {
  std::map<std::string, std::string> values = {
      {"FormBackColor", "&H00C0C0C0"},   {"LabelBackColor", "&H00C0C0C0"},
      {"LabelFontBold", "False"},        {"LabelFontName", "ＭＳ ゴシック"},
      {"LabelFontSize", "11.25"},        {"LabelForeColor", "0"},
      {"TextBackColor", "16777215"},     {"TextFocusColor", "&H0080FFFF"},
      {"TextFontName", "ＭＳ ゴシック"}, {"TextForeColor", "0"},
      {"TitleBackColor", "&H808080"},    {"TitleForeColor", "&HFFFFC0"},
  };
  for (auto& [k, v] : overrides) values[k] = v;
  std::string text = "[Setting0]\r\n";
  for (auto& [k, v] : values) {
    if (v != "<absent>") text += k + "=" + v + "\r\n";
  }
  return text + "[ENV3310]\r\nMINIMAIZE=" + (overrides.count("MINIMAIZE") ? overrides["MINIMAIZE"] : "1") +
         "\r\n[PATH]\r\nKRX100_PATH=/srv/krx\r\n[デバッグ]\r\nMODE=" +
         (overrides.count("MODE") ? overrides["MODE"] : "1") + "\r\n";
}

// Stands in the text for a byte that CP932 cannot decode.
constexpr std::string_view StrayByte = "<0x80>";

// A run folder: EDI.ini (in CP932, as the suite keeps it) two levels above the program folder.
struct RunFolder {
  TestFolder folder;
  std::string programFolder;
  explicit RunFolder(const std::string& iniUtf8) {
    std::string bytes = platform::utf8ToCp932(iniUtf8);
    for (auto at = bytes.find(StrayByte); at != std::string::npos; at = bytes.find(StrayByte)) {
      bytes.replace(at, StrayByte.size(), "\x80");
    }
    folder.write("EDI.ini", bytes);
    programFolder = (folder.path() / "EDI" / "MNT4820").string();
  }
};

TEST(SettingsFolder, KeepsTheTextBeforeTheSecondToLastSeparator) {
  EXPECT_EQ(settingsFolder("/x/a/b/c"), "/x/a");
  EXPECT_EQ(settingsFolder("/suite/group/program"), "/suite");
  EXPECT_EQ(settingsFolder("/a/b"), "");
  EXPECT_EQ(settingsFile("/a/b"), "/EDI.ini");
  EXPECT_EQ(settingsFolder("/a"), std::nullopt);
  EXPECT_EQ(settingsFolder(""), std::nullopt);
}

TEST(CutAtNull, TakesTheTextBeforeTheFirstNul) {
  EXPECT_EQ(CutAtNull(std::string("abc\0   ", 7)), "abc");
  EXPECT_EQ(CutAtNull(std::string("\0abc", 4)), "");
  EXPECT_EQ(CutAtNull("no terminator"), "");
  EXPECT_EQ(CutAtNull(""), "");
}

TEST(LoadDbSettings, ReadsTheDatabaseSectionIntoFixedFields) {
  RunFolder run(DbSection);
  const DbSettings db = LoadDbSettings(run.programFolder);
  EXPECT_EQ(db.DbString, "MNT4820_DEMO" + std::string(38, ' '));
  EXPECT_EQ(db.UserId, "edi" + std::string(47, ' '));
  EXPECT_EQ(db.Password.substr(0, 7), "secret ");
  EXPECT_EQ(db.MachineName.size(), 50u);
}

TEST(LoadDbSettings, CutsLongValuesToFiftyCharactersAndNeverHalfACharacter) {
  // 60 ASCII characters: cut to 50. 40 full-width characters (80 bytes): the buffer keeps 63 bytes, which
  // would end inside the 32nd character; it is dropped whole, leaving 31 characters.
  const std::string longAscii(60, 'D');
  std::string fullWidth;
  for (int i = 0; i < 40; ++i) fullWidth += "デ";
  RunFolder run("[動作環境]\nDBSTRING=" + longAscii + "\nUSERID=" + fullWidth + "\n");
  const DbSettings db = LoadDbSettings(run.programFolder);
  EXPECT_EQ(db.DbString, std::string(50, 'D'));
  std::string expected;
  for (int i = 0; i < 31; ++i) expected += "デ";
  EXPECT_EQ(db.UserId, expected + std::string(19, ' '));
}

TEST(LoadDbSettings, MissingFileGivesEmptyValuesAndAShallowFolderIsAnError) {
  TestFolder empty;
  const DbSettings db = LoadDbSettings((empty.path() / "a" / "b").string());
  EXPECT_EQ(db.DbString, std::string(50, ' '));
  EXPECT_THROW(LoadDbSettings("/a"), SettingsError);
}

TEST(BrokenSettingsFile, GivesTheSettingsErrorOrASoundReading) {
  const std::string settings = platform::utf8ToCp932(settingsText());
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 167 + i / 256) & 0xFF);
  const std::string replacement = "\xEF\xBF\xBD";
  struct Case {
    const char* what;
    std::optional<std::string> bytes;     // none: EDI.ini is a folder
    std::optional<std::string> dbString;  // none: the database section fails too
    std::string failingKey;               // empty: every other section reads
  };
  const Case cases[] = {
      {"empty", "", "", "LabelBackColor"},
      {"binary garbage", garbage, "", "LabelBackColor"},
      {"invalid Shift-JIS in a value",
       platform::utf8ToCp932("[動作環境]\r\nDBSTRING=DB") +
           "\x80\x82"
           "1\r\n" +
           settings,
       "DB" + replacement + replacement + "1", ""},
      {"a NUL byte in a value",
       platform::utf8ToCp932("[動作環境]\r\nDBSTRING=AB") + std::string(1, '\0') + "CD\r\n" + settings, "AB", ""},
      {"a line far longer than any buffer, without a line end",
       settings + platform::utf8ToCp932("[動作環境]\r\nDBSTRING=") + std::string(100000, 'D'), std::string(50, 'D'),
       ""},
      {"a folder where the file should be", std::nullopt, std::nullopt, "FormBackColor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder folder;
    if (c.bytes) {
      folder.write("EDI.ini", *c.bytes);
    } else {
      std::filesystem::create_directory(folder.path() / "EDI.ini");
    }
    const std::string programFolder = (folder.path() / "EDI" / "MNT4820").string();
    if (c.dbString) {
      EXPECT_EQ(platform::trimBlanks(LoadDbSettings(programFolder).DbString), *c.dbString);
    } else {
      EXPECT_THROW(LoadDbSettings(programFolder), SettingsError);
    }
    Settings s;
    try {
      LoadSettings(programFolder, s);
      EXPECT_EQ(c.failingKey, "");
      EXPECT_EQ(s.Text.FontName, "ＭＳ ゴシック");
    } catch (const SettingsError& e) {
      EXPECT_EQ(e.key(), c.failingKey);
    }
  }
}

TEST(LoadSettings, ConvertsColourNumbersAndKeepsTexts) {
  RunFolder run(std::string(DbSection) + settingsText());
  Settings s;
  LoadSettings(run.programFolder, s);
  EXPECT_EQ(s.FormBackColor, "&H00C0C0C0");
  EXPECT_DOUBLE_EQ(s.Label.BackColor, 0xC0C0C0);
  EXPECT_DOUBLE_EQ(s.Text.BackColor, 16777215);
  EXPECT_DOUBLE_EQ(s.TextFocusColor, 0x80FFFF);
  EXPECT_DOUBLE_EQ(s.Title.ForeColor, 0xFFFFC0);
  EXPECT_EQ(s.Label.FontName, "ＭＳ ゴシック");
  EXPECT_EQ(s.Label.FontSize, "11.25");
  EXPECT_EQ(s.Minimize, 1);
  EXPECT_EQ(s.Krx100Path, "/srv/krx");
  EXPECT_TRUE(s.DebugMode);
}

TEST(LoadSettings, StopsAtTheFirstKeyThatDoesNotConvert) {
  struct Case {
    std::map<std::string, std::string> overrides;
    std::string failingKey;
  };
  const Case cases[] = {
      {{{"LabelBackColor", ""}}, "LabelBackColor"},
      {{{"LabelBackColor", "<absent>"}}, "LabelBackColor"},
      {{{"LabelBackColor", "grey"}}, "LabelBackColor"},
      {{{"TextFocusColor", "&HXYZ"}}, "TextFocusColor"},
      {{{"TextForeColor", "1<0x80>0"}}, "TextForeColor"},
      {{{"MINIMAIZE", "40000"}}, "MINIMAIZE"},
      {{{"MINIMAIZE", ""}}, "MINIMAIZE"},
  };
  for (const Case& c : cases) {
    RunFolder run(std::string(DbSection) + settingsText(c.overrides));
    Settings s;
    try {
      LoadSettings(run.programFolder, s);
      ADD_FAILURE() << "no error for " << c.failingKey;
    } catch (const SettingsError& e) {
      EXPECT_EQ(e.key(), c.failingKey);
    }
  }
}

TEST(LoadSettings, WithoutSetting0TheFirstNumberFails) {
  RunFolder run(DbSection);
  Settings s;
  try {
    LoadSettings(run.programFolder, s);
    FAIL() << "no error";
  } catch (const SettingsError& e) {
    EXPECT_EQ(e.key(), "LabelBackColor");
  }
}

TEST(LoadSettings, ValueRules) {
  {
    // An empty FormBackColor is no error here: the styling decides.
    RunFolder run(std::string(DbSection) + settingsText({{"FormBackColor", ""}, {"MINIMAIZE", "2.6"}, {"MODE", "01"}}));
    Settings s;
    LoadSettings(run.programFolder, s);
    EXPECT_EQ(s.FormBackColor, "");
    EXPECT_EQ(s.Minimize, 3);
    EXPECT_FALSE(s.DebugMode);
  }
  {
    // 300 characters: the buffer of 256 keeps 255 bytes.
    RunFolder run(std::string(DbSection) + settingsText({{"TextFontName", std::string(300, 'F')}, {"MODE", ""}}));
    Settings s;
    LoadSettings(run.programFolder, s);
    EXPECT_EQ(s.Text.FontName, std::string(255, 'F'));
    EXPECT_FALSE(s.DebugMode);
  }
  {
    // Half-way rounding goes to the even neighbour.
    RunFolder run(std::string(DbSection) + settingsText({{"MINIMAIZE", "2.5"}}));
    Settings s;
    LoadSettings(run.programFolder, s);
    EXPECT_EQ(s.Minimize, 2);
  }
}

}  // namespace
}  // namespace mnt4820
