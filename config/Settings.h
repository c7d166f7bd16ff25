#pragma once

#include <cstdint>
#include <string>

namespace mnt4820 {

// Section "動作環境": each value kept in a fixed field of 50 characters, padded with blanks.
struct DbSettings {
  static constexpr std::size_t FieldLength = 50;
  std::string MachineName;
  std::string UserId;
  std::string Password;
  std::string DbString;
};

// Every value of the settings file, read once at start-up and named after its key.
struct Settings {
  DbSettings db;

  // Section "Setting0". Colour numbers are converted when read; the other values are texts that the
  // styling converts where it applies them.
  std::string FormBackColor;
  double LabelBackColor = 0;
  std::string LabelFontBold;
  std::string LabelFontItalic;
  std::string LabelFontName;
  std::string LabelFontSize;
  std::string LabelFontStrikethru;
  std::string LabelFontUnderline;
  double LabelForeColor = 0;
  double TextBackColor = 0;
  double TextFocusColor = 0;
  std::string TextFontBold;
  std::string TextFontItalic;
  std::string TextFontName;
  std::string TextFontSize;
  std::string TextFontStrikethru;
  std::string TextFontUnderline;
  double TextForeColor = 0;
  double TitleBackColor = 0;
  std::string TitleFontBold;
  std::string TitleFontItalic;
  std::string TitleFontName;
  std::string TitleFontSize;
  std::string TitleFontStrikethru;
  std::string TitleFontUnderline;
  double TitleForeColor = 0;

  // Section "ENV3310".
  std::int16_t Minimize = 0;
  // Section "PATH": stored for the suite, not used by this program.
  std::string Krx100Path;
  std::string EdiInFile;
  std::string EdiOutFile;
  std::string MgstPath;
  std::string OldFile;
  // Section "デバッグ".
  bool DebugMode = false;
};

}  // namespace mnt4820
