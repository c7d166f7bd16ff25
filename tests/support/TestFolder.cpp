#include "tests/support/TestFolder.h"

#include <stdlib.h>

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

}  // namespace mnt4820::test
