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

// The eight keys of a look, in the order of the file's key list. That list is alphabetical, so the text fields'
// focus colour comes between their background and their font, and is read there when asked for.
Look readLook(const ProfileSection& section, const std::string& name, double* focusColor = nullptr) {
  Look look;
  look.BackColor = section.colour(name + "BackColor");
  if (focusColor != nullptr) *focusColor = section.colour(name + "FocusColor");
  look.FontBold = section.text(name + "FontBold");
  look.FontItalic = section.text(name + "FontItalic");
  look.FontName = section.text(name + "FontName");
  look.FontSize = section.text(name + "FontSize");
  look.FontStrikethru = section.text(name + "FontStrikethru");
  look.FontUnderline = section.text(name + "FontUnderline");
  look.ForeColor = section.colour(name + "ForeColor");
  return look;
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
  s.Label = readLook(setting0, "Label");
  s.Text = readLook(setting0, "Text", &s.TextFocusColor);
  s.Title = readLook(setting0, "Title");

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
