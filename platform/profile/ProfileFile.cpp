#include "platform/profile/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text/AsciiCase.h"
#include "platform/text/CodePage.h"

namespace platform {

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// Closes the descriptor however the read ends.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { ::close(fd_); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

 private:
  int fd_;
};

// The profile reader trims spaces and tabs around names and values.
std::string_view trimWhitespace(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A value wholly enclosed in matching double or single quotes loses them.
std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The next line and the rest after its end (LF, CR LF or a lone CR).
std::string_view nextLine(std::string_view& text) {
  const std::size_t end = text.find_first_of("\r\n");
  const std::string_view line = text.substr(0, end);
  if (end == std::string_view::npos) {
    text = {};
  } else {
    text.remove_prefix(end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1));
  }
  return line;
}

// The last ']' of a line; in CP932 a ']' that is the second byte of a double-byte character is no bracket.
std::size_t closingBracket(std::string_view line, bool cp932) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte == ']') found = i;
    if (cp932 && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC))) ++i;
  }
  return found;
}

}  // namespace

ProfileFile ProfileFile::load(const std::filesystem::path& path) {
  // Opened without waiting, then judged by what was opened: a FIFO put in the file's place would otherwise block
  // the open, and a device or a huge file would be read without end.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return ProfileFile();
    throw ProfileError("cannot open profile file " + path.string() + ": " + std::strerror(errno));
  }
  const FileDescriptor file(fd);
  struct stat status{};
  if (::fstat(fd, &status) != 0) throw ProfileError("cannot read profile file " + path.string());
  if (S_ISDIR(status.st_mode)) throw ProfileError("profile file " + path.string() + " is a folder");
  if (!S_ISREG(status.st_mode)) throw ProfileError("profile file " + path.string() + " is not a regular file");
  if (status.st_size > static_cast<off_t>(MaxProfileBytes)) {
    throw ProfileError("profile file " + path.string() + " is larger than " + std::to_string(MaxProfileBytes) +
                       " bytes");
  }
  // Read up to one byte past the limit: a file that grew meanwhile is refused all the same.
  std::string bytes(MaxProfileBytes + 1, '\0');
  std::size_t length = 0;
  while (length < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + length, bytes.size() - length);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw ProfileError("cannot read profile file " + path.string() + ": " + std::strerror(errno));
    if (got == 0) break;
    length += static_cast<std::size_t>(got);
  }
  if (length > MaxProfileBytes) {
    throw ProfileError("profile file " + path.string() + " is larger than " + std::to_string(MaxProfileBytes) +
                       " bytes");
  }
  bytes.resize(length);
  return fromBytes(bytes);
}

ProfileFile ProfileFile::fromBytes(std::string_view bytes) {
  ProfileFile file;
  file.exists_ = true;
  // The mark is never text: CP932 has no character EF BB, so left in place it would only hide the first line's
  // section header when the rest is not UTF-8 after all.
  if (bytes.starts_with(Utf8ByteOrderMark)) bytes.remove_prefix(Utf8ByteOrderMark.size());
  if (!isValidUtf8(bytes)) file.encoding_ = Encoding::Cp932;
  file.parse(bytes);
  return file;
}

std::string ProfileFile::decode(std::string_view bytes) const {
  // Every part of a valid UTF-8 file cut at ASCII bytes is valid UTF-8 itself.
  if (encoding_ == Encoding::Utf8) return std::string(bytes);
  return cp932ToUtf8(bytes, InvalidBytes::Replace);
}

void ProfileFile::parse(std::string_view bytes) {
  Section* current = nullptr;  // lines before the first section header belong to no section
  while (!bytes.empty()) {
    const std::string_view line = trimWhitespace(nextLine(bytes));
    if (line.empty() || line.front() == ';') continue;

    // A '[' line without ']' is no header; it is read as a key line like any other.
    const std::size_t close = closingBracket(line, encoding_ == Encoding::Cp932);
    if (line.front() == '[' && close != std::string_view::npos) {
      current = &sections_.emplace_back(Section{decode(trimWhitespace(line.substr(1, close - 1))), {}});
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    const std::string_view key = trimWhitespace(line.substr(0, equals));
    if (key.empty()) continue;
    current->entries.push_back(Entry{decode(key), std::string(unquote(trimWhitespace(line.substr(equals + 1))))});
  }
}

std::string ProfileFile::value(std::string_view section, std::string_view key, std::size_t bufferSize) const {
  if (bufferSize == 0) return {};
  // Only the first section of a name is searched, even when the name occurs again further down.
  for (const Section& candidate : sections_) {
    if (!equalsIgnoringAsciiCase(candidate.name, section)) continue;
    for (const Entry& entry : candidate.entries) {
      if (equalsIgnoringAsciiCase(entry.key, key)) return cutToAnsiBytes(decode(entry.valueBytes), bufferSize - 1);
    }
    return {};
  }
  return {};
}

}  // namespace platform
