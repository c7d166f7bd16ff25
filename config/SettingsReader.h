#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "config/Settings.h"

namespace mnt4820 {

// Any failure while reading the settings file: no settings folder, an unreadable file, a number that
// does not convert. `key()` names the key at which reading stopped.
class SettingsError : public std::runtime_error {
 public:
  SettingsError(const std::string& key, const std::string& what) : std::runtime_error(key + ": " + what), key_(key) {}
  const std::string& key() const { return key_; }

 private:
  std::string key_;
};

// The settings folder: the program folder with its last two path components removed (the text before the
// second-to-last separator); none when the path has fewer than two separators.
std::optional<std::string> settingsFolder(std::string_view programFolder);
std::filesystem::path settingsFile(std::string_view programFolder);

// The text before the first NUL of a profile buffer; "" when that is empty or there is no NUL.
std::string CutAtNull(std::string_view buffer);

// Section "動作環境", read before the database is opened.
DbSettings LoadDbSettings(std::string_view programFolder);
// Sections "Setting0", "ENV3310", "PATH" and "デバッグ", read after the database is opened; fills all but `db`.
void LoadSettings(std::string_view programFolder, Settings& settings);

}  // namespace mnt4820
