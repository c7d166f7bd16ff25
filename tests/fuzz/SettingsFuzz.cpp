// The settings file on arbitrary bytes: the profile reader on the bytes themselves, then both reading
// procedures on the bytes written as EDI.ini. A settings error is a sound answer; a crash, an exception of
// another kind or a value that breaks the buffer rule is a fault.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzCheck.h"
#include "config/SettingsReader.h"
#include "platform/profile/ProfileFile.h"

namespace {

using mnt4820::fuzz::require;

struct Probe {
  const char* section;
  const char* key;
};
const Probe Probes[] = {
    {"動作環境", "DBSTRING"},
    {"動作環境", "USERID"},
    {"Setting0", "LabelBackColor"},
    {"Setting0", "TextFontName"},
    {"ENV3310", "MINIMAIZE"},
    {"デバッグ", "MODE"},
    {"", ""},
    {"a", "b"},
};
const std::size_t BufferSizes[] = {1, 2, 3, 64, 256};

// A run folder of this process: EDI.ini two levels above the program folder. In memory where the system has
// such a folder: a disk file system flushes a file rewritten in place on every close.
class RunFolder {
 public:
  RunFolder() {
    std::error_code error;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "mnt4820-fuzz-XXXXXX").string();
    require(mkdtemp(pattern.data()) != nullptr, "a temporary folder");
    path_ = pattern;
  }
  ~RunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void checkValueRule(const platform::ProfileFile& file) {
  for (const Probe& probe : Probes) {
    require(file.value(probe.section, probe.key, 0).empty(), "a buffer of no bytes holds nothing");
    std::string smaller;
    for (const std::size_t size : BufferSizes) {
      const std::string value = file.value(probe.section, probe.key, size);
      require(platform::isValidUtf8(value), "a value is UTF-8");
      require(platform::AnsiByteLength(value) <= size - 1, "a value keeps at most N-1 CP932 bytes");
      require(value.starts_with(smaller), "a larger buffer keeps what a smaller one did");
      smaller = value;
    }
  }
}

// The database texts are fixed fields of 50 characters holding the start of what the profile reader gave, up to
// a NUL byte of the file (the buffer's end to the value rule).
void checkDbSettings(const platform::ProfileFile& file, const mnt4820::DbSettings& db) {
  const std::pair<const char*, const std::string*> fields[] = {
      {"MACHINENAME", &db.MachineName}, {"USERID", &db.UserId}, {"PASSWD", &db.Password}, {"DBSTRING", &db.DbString}};
  for (const auto& [key, field] : fields) {
    const std::string value = file.value("動作環境", key, 64);
    std::u32string expected = platform::toUtf32(value.substr(0, value.find('\0')));
    expected.resize(mnt4820::DbSettings::FieldLength, U' ');
    require(platform::toUtf32(*field) == expected, "a database text is the value in a field of 50");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const platform::ProfileFile file = platform::ProfileFile::fromBytes(bytes);
  checkValueRule(file);

  static const RunFolder run;
  std::ofstream(run.path() / "EDI.ini", std::ios::binary | std::ios::trunc) << bytes;
  const std::string programFolder = (run.path() / "EDI" / "MNT4820").string();
  // The database section has no conversions: no content of the file makes it fail.
  checkDbSettings(file, mnt4820::LoadDbSettings(programFolder));
  mnt4820::Settings settings;
  try {
    mnt4820::LoadSettings(programFolder, settings);
  } catch (const mnt4820::SettingsError&) {
  }
  return 0;
}
