#include <errno.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/system/ProcessInfo.h"

#ifndef PROBE_PATH
#error "PROBE_PATH must name the probe program"
#endif

namespace {

TEST(CommandLineText, JoinsTheArgumentsAfterTheProgramName) {
  struct Case {
    std::vector<const char*> argv;
    const char* expected;
  };
  const Case cases[] = {
      {{}, ""},
      {{"mnt4820"}, ""},
      {{"mnt4820", "OP01"}, "OP01"},
      {{"mnt4820", "OP01", "extra"}, "OP01 extra"},
      {{"mnt4820", "a b", "c"}, "a b c"},
      {{"mnt4820", "", "x"}, " x"},
      {{"mnt4820", "担当者"}, "担当者"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv = c.argv;
    const int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr);
    EXPECT_EQ(platform::commandLineText(argc, argv.data()), c.expected) << c.expected;
  }
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
  const std::filesystem::path folder = platform::programFolder();
  EXPECT_TRUE(folder.is_absolute());
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  // argv[0] of this test, resolved independently of /proc.
  EXPECT_EQ(folder, std::filesystem::canonical(program_invocation_name).parent_path());
}

TEST(ProgramFolder, ResolvesSymbolicLinks) {
  std::string pattern = (std::filesystem::temp_directory_path() / "program-folder-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path linkFolder = pattern;
  const std::filesystem::path link = linkFolder / "mnt4820";
  std::filesystem::create_symlink(PROBE_PATH, link);

  const std::string command = "'" + link.string() + "' OP01 second";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  std::array<char, 512> chunk{};
  while (const std::size_t read = fread(chunk.data(), 1, chunk.size(), pipe)) output.append(chunk.data(), read);
  const int status = pclose(pipe);
  std::filesystem::remove_all(linkFolder);

  EXPECT_EQ(status, 0);
  const std::filesystem::path probeFolder = std::filesystem::canonical(PROBE_PATH).parent_path();
  EXPECT_EQ(output, probeFolder.string() + "\nOP01 second\n");
  EXPECT_NE(probeFolder, linkFolder);
}

}  // namespace
