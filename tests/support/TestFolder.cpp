#include "tests/support/TestFolder.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace mnt4820::test {

TestFolder::TestFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "mnt4820-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TestFolder::write(const std::string& relative, const std::string& bytes) const {
  const std::filesystem::path file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file;
}

std::filesystem::path sourceFolder() {
  if (const char* dir = std::getenv("MNT4820_SOURCE_DIR"); dir != nullptr && *dir != '\0') return dir;
  return MNT4820_SOURCE_DIR;
}

std::string generatedPairs(int pairs) {
  const std::string command =
      "sh '" + (sourceFolder() / "db" / "generate-pairs.sh").string() + "' " + std::to_string(pairs);
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
  return out;
}

}  // namespace mnt4820::test
