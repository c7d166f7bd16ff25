#include "config/SettingsReader.h"

#include "platform/profile/ProfileFile.h"
#include "platform/text/CodePage.h"
#include "platform/text/NumberConversion.h"

namespace mnt4820 {

namespace {

constexpr std::size_t DbSectionBuffer = 64;
constexpr std::size_t SectionBuffer = 256;

// One key read by the value rule: the profile reader fills a blanked buffer of N bytes with at most N-1 bytes
// of the value and a NUL, and the value is the text before the NUL.
class ProfileSection {
 public:
  ProfileSection(const platform::ProfileFile& file, std::string section, std::size_t bufferSize)
      : file_(file), section_(std::move(section)), bufferSize_(bufferSize) {}

  std::string text(const std::string& key) const {
    std::string buffer(bufferSize_, ' ');
    const std::string value = file_.value(section_, key, bufferSize_);
    buffer.replace(0, value.size(), value);
    buffer.insert(value.size(), 1, '\0');
    return CutAtNull(buffer);
  }

  double colour(const std::string& key) const {
    try {
      return platform::parseNumber(text(key));
    } catch (const std::exception& e) {
      throw SettingsError(key, e.what());
    }
  }

  std::int16_t integer16(const std::string& key) const {
    try {
      return platform::toInteger16(platform::parseNumber(text(key)));
    } catch (const std::exception& e) {
      throw SettingsError(key, e.what());
    }
  }

 private:
  const platform::ProfileFile& file_;
  std::string section_;
  std::size_t bufferSize_;
};

platform::ProfileFile openSettings(std::string_view programFolder, const std::string& firstKey) {
  if (!settingsFolder(programFolder)) throw SettingsError(firstKey, "the program folder has no settings folder");
  try {
    return platform::ProfileFile::load(settingsFile(programFolder));
  } catch (const std::exception& e) {
    throw SettingsError(firstKey, e.what());
  }
}

// A fixed field of 50 characters: longer values cut (by whole characters), shorter ones padded with blanks.
std::string fixedField(const std::string& value) {
  std::u32string chars = platform::toUtf32(value);
  chars.resize(DbSettings::FieldLength, U' ');
  return platform::toUtf8(chars);
}

}  // namespace

std::optional<std::string> settingsFolder(std::string_view programFolder) {
  const auto last = programFolder.rfind('/');
  if (last == std::string_view::npos || last == 0) return std::nullopt;
  const auto secondToLast = programFolder.rfind('/', last - 1);
  if (secondToLast == std::string_view::npos) return std::nullopt;
  return std::string(programFolder.substr(0, secondToLast));
}

std::filesystem::path settingsFile(std::string_view programFolder) {
  return std::filesystem::path(settingsFolder(programFolder).value_or("") + "/EDI.ini");
}

std::string CutAtNull(std::string_view buffer) {
  const auto nul = buffer.find('\0');
  if (nul == std::string_view::npos) return {};
  return std::string(buffer.substr(0, nul));
}

DbSettings LoadDbSettings(std::string_view programFolder) {
  const platform::ProfileFile file = openSettings(programFolder, "MACHINENAME");
  const ProfileSection section(file, "動作環境", DbSectionBuffer);
  DbSettings db;
  db.MachineName = fixedField(section.text("MACHINENAME"));
  db.UserId = fixedField(section.text("USERID"));
  db.Password = fixedField(section.text("PASSWD"));
  db.DbString = fixedField(section.text("DBSTRING"));
  return db;
}

void LoadSettings(std::string_view programFolder, Settings& s) {
  const platform::ProfileFile file = openSettings(programFolder, "FormBackColor");
  const ProfileSection setting0(file, "Setting0", SectionBuffer);
  s.FormBackColor = setting0.text("FormBackColor");
  s.LabelBackColor = setting0.colour("LabelBackColor");
  s.LabelFontBold = setting0.text("LabelFontBold");
  s.LabelFontItalic = setting0.text("LabelFontItalic");
  s.LabelFontName = setting0.text("LabelFontName");
  s.LabelFontSize = setting0.text("LabelFontSize");
  s.LabelFontStrikethru = setting0.text("LabelFontStrikethru");
  s.LabelFontUnderline = setting0.text("LabelFontUnderline");
  s.LabelForeColor = setting0.colour("LabelForeColor");
  s.TextBackColor = setting0.colour("TextBackColor");
  s.TextFocusColor = setting0.colour("TextFocusColor");
  s.TextFontBold = setting0.text("TextFontBold");
  s.TextFontItalic = setting0.text("TextFontItalic");
  s.TextFontName = setting0.text("TextFontName");
  s.TextFontSize = setting0.text("TextFontSize");
  s.TextFontStrikethru = setting0.text("TextFontStrikethru");
  s.TextFontUnderline = setting0.text("TextFontUnderline");
  s.TextForeColor = setting0.colour("TextForeColor");
  s.TitleBackColor = setting0.colour("TitleBackColor");
  s.TitleFontBold = setting0.text("TitleFontBold");
  s.TitleFontItalic = setting0.text("TitleFontItalic");
  s.TitleFontName = setting0.text("TitleFontName");
  s.TitleFontSize = setting0.text("TitleFontSize");
  s.TitleFontStrikethru = setting0.text("TitleFontStrikethru");
  s.TitleFontUnderline = setting0.text("TitleFontUnderline");
  s.TitleForeColor = setting0.colour("TitleForeColor");

  s.Minimize = ProfileSection(file, "ENV3310", SectionBuffer).integer16("MINIMAIZE");

  const ProfileSection path(file, "PATH", SectionBuffer);
  s.Krx100Path = path.text("KRX100_PATH");
  s.EdiInFile = path.text("EDIINFIL");
  s.EdiOutFile = path.text("EDIOUTFIL");
  s.MgstPath = path.text("MGSTPATH");
  s.OldFile = path.text("OLD_FILE");

  s.DebugMode = ProfileSection(file, "デバッグ", SectionBuffer).text("MODE") == "1";
}

}  // namespace mnt4820
