#pragma once

#include <filesystem>
#include <string>

namespace mnt4820::test {

// A temporary folder that is removed with everything in it when the object goes.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes a file below the folder (folders created as needed) and returns its path.
  std::filesystem::path write(const std::string& relative, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

// The project's source folder (for db/schema.sql and the like).
std::filesystem::path sourceFolder();

// The SQL of db/generate-pairs.sh for that many pairs (centers G001 to G050).
std::string generatedPairs(int pairs);

}  // namespace mnt4820::test
