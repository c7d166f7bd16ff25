#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The file exists but cannot be read.
class ProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A profile (INI) file read with the rules of the Windows profile reader: section and key names
// match without regard to ASCII case, the first occurrence wins, a missing file, section or key
// gives "", and a value is cut to what fits the caller's buffer in CP932 bytes. Lines end at LF, CR LF or a
// lone CR. The file is read as bytes and only the values asked for are decoded, so a byte that the file's code
// page cannot decode spoils no more than the value that holds it (where it reads as U+FFFD).
class ProfileFile {
 public:
  // A settings file is small; anything larger is not one.
  static constexpr std::size_t MaxProfileBytes = 1024 * 1024;

  // A missing file is no error: it reads as empty and exists() is false. What is not a regular file of at most
  // MaxProfileBytes (a folder, a FIFO, a device) throws ProfileError, without waiting on it.
  static ProfileFile load(const std::filesystem::path& path);
  // The file's bytes, a leading UTF-8 byte-order mark dropped: UTF-8 when they are valid UTF-8 as a whole, else
  // CP932.
  static ProfileFile fromBytes(std::string_view bytes);

  // What the profile reader leaves in a buffer of bufferSize bytes: at most bufferSize - 1 CP932
  // bytes, never half a double-byte character; "" for a missing section or key.
  std::string value(std::string_view section, std::string_view key, std::size_t bufferSize) const;

  bool exists() const { return exists_; }

 private:
  enum class Encoding { Utf8, Cp932 };
  // Names are decoded when the file is read, to be compared; values stay as the file's bytes.
  struct Entry {
    std::string key;
    std::string valueBytes;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  ProfileFile() = default;
  void parse(std::string_view bytes);
  std::string decode(std::string_view bytes) const;

  Encoding encoding_ = Encoding::Utf8;
  std::vector<Section> sections_;
  bool exists_ = false;
};

}  // namespace platform
