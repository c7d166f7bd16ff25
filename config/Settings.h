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

// One look of section "Setting0": the eight values whose keys are the look's name followed by the property
// ("Label" + "FontSize"). Colour numbers are converted when read; the font values are texts that the styling
// converts where it applies them.
struct Look {
  double BackColor = 0;
  std::string FontBold;
  std::string FontItalic;
  std::string FontName;
  std::string FontSize;
  std::string FontStrikethru;
  std::string FontUnderline;
  double ForeColor = 0;
};

// Every value of the settings file, read once at start-up and named after its key ("LabelFontName" is
// Label.FontName).
struct Settings {
  DbSettings db;

  // Section "Setting0".
  std::string FormBackColor;
  Look Label;
  Look Text;
  double TextFocusColor = 0;
  Look Title;

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
