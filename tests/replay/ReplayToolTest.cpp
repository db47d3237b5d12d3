// What the cases in tests/cases cannot show: the size limit of the input files, and how a
// message with a line break other than the program's CR LF is printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "kvotlk-replay/InputFile.h"
#include "kvotlk-replay/ReplayPorts.h"

namespace kvotlk::replay {
namespace {

TEST(InputFileTest, ReadsAFileUpToItsLimit) {
  const auto folder =
      std::filesystem::temp_directory_path() /
      ("kvotlk-replay-input-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  const auto write = [&folder](const char* name, std::uintmax_t size) {
    std::ofstream(folder / name, std::ios::binary) << std::string(size, 'x');
    return folder / name;
  };
  EXPECT_EQ(std::get<std::string>(readInputFile(write("gross", kMaxInputFileSize), "gross")),
            std::string(kMaxInputFileSize, 'x'));
  EXPECT_EQ(std::get<InputFileError>(readInputFile(write("zu", kMaxInputFileSize + 1), "zu")),
            (InputFileError{"zu", 0, "Die Datei ist größer als 1 MB."}));
  std::filesystem::remove_all(folder);
}

TEST(ReplayPortsTest, AMessageShowsEveryLineBreak) {
  EXPECT_EQ(promptLine("STOPP", "a\r\nb\rc\nd"), "STOPP: a | b␍c␊d");
}

}  // namespace
}  // namespace kvotlk::replay
