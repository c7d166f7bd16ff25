#include "platform/profile/ProfileFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/text/AsciiCase.h"
#include "platform/text/CodePage.h"

namespace platform {

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

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

std::string decode(std::string_view bytes) {
  if (bytes.starts_with(Utf8ByteOrderMark) && isValidUtf8(bytes.substr(Utf8ByteOrderMark.size()))) {
    return std::string(bytes.substr(Utf8ByteOrderMark.size()));
  }
  if (isValidUtf8(bytes)) return std::string(bytes);
  try {
    return cp932ToUtf8(bytes);
  } catch (const CodePageError& error) {
    throw ProfileError(std::string("profile file is neither UTF-8 nor CP932: ") + error.what());
  }
}

}  // namespace

ProfileFile ProfileFile::load(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return ProfileFile();
  if (error) throw ProfileError("cannot read profile file " + path.string() + ": " + error.message());
  if (std::filesystem::is_directory(status)) throw ProfileError("profile file " + path.string() + " is a folder");

  std::ifstream stream(path, std::ios::binary);
  if (!stream) throw ProfileError("cannot open profile file " + path.string());
  const std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (stream.bad()) throw ProfileError("cannot read profile file " + path.string());
  return fromBytes(bytes);
}

ProfileFile ProfileFile::fromBytes(std::string_view bytes) {
  ProfileFile file = parse(decode(bytes));
  file.exists_ = true;
  return file;
}

ProfileFile ProfileFile::parse(std::string_view text) {
  ProfileFile file;
  Section* current = nullptr;  // lines before the first section header belong to no section
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = trimWhitespace(line);
    if (line.empty() || line.front() == ';') continue;

    // A '[' line without ']' is no header; it is read as a key line like any other.
    const std::size_t close = line.rfind(']');
    if (line.front() == '[' && close != std::string_view::npos) {
      current = &file.sections_.emplace_back(Section{std::string(trimWhitespace(line.substr(1, close - 1))), {}});
      continue;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    const std::string_view key = trimWhitespace(line.substr(0, equals));
    if (key.empty()) continue;
    current->entries.push_back(Entry{std::string(key), std::string(unquote(trimWhitespace(line.substr(equals + 1))))});
  }
  return file;
}

std::string ProfileFile::value(std::string_view section, std::string_view key, std::size_t bufferSize) const {
  if (bufferSize == 0) return {};
  // Only the first section of a name is searched, even when the name occurs again further down.
  for (const Section& candidate : sections_) {
    if (!equalsIgnoringAsciiCase(candidate.name, section)) continue;
    for (const Entry& entry : candidate.entries) {
      if (equalsIgnoringAsciiCase(entry.key, key)) return cutToAnsiBytes(entry.value, bufferSize - 1);
    }
    return {};
  }
  return {};
}

}  // namespace platform
