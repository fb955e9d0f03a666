// The folder the game reads its pictures from: its own.
#include "shell/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace nuikaro {
namespace {

TEST(ProgramDirectoryTest, IsTheFolderOfTheRunningProgramEndingInOneSeparator) {
  const std::string directory = ProgramDirectory();
  ASSERT_GE(directory.size(), 2u);
  const auto isSeparator = [](char character) { return character == '/' || character == '\\'; };
  EXPECT_TRUE(isSeparator(directory.back())) << directory;
  EXPECT_FALSE(isSeparator(directory[directory.size() - 2])) << directory;
  const std::filesystem::path folder(directory);
  EXPECT_TRUE(std::filesystem::exists(folder / "shell_tests") ||
              std::filesystem::exists(folder / "shell_tests.exe"))
      << directory;
  if (directory.back() == '/') {  // on Linux, /proc says exactly where the program lies
    EXPECT_EQ(directory, std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/");
  }
}

}  // namespace
}  // namespace nuikaro
