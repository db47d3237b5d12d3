// kvotlk-replay: the converter's whole job without windows, for tests of a CAQ import,
// reproducing a result file and scripted acceptance tests.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "kvotlk-replay/ReplayMain.h"

namespace {

int runOnThisMachine(const std::vector<std::string>& arguments) {
  const auto files = kvotlk::makeFileSystem();
  const auto clock = kvotlk::makeSystemClock();
  const auto random = kvotlk::makeSystemRandom();
  return kvotlk::replay::replayMain(arguments, {*files, *clock, *random}, std::cout, std::cerr);
}

}  // namespace

#ifdef _WIN32
// The arguments as UTF-16, so that every path arrives whatever the code page.
int wmain(int argc, wchar_t* argv[]) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.push_back(kvotlk::toUtf8(std::filesystem::path(argv[i])));
  }
  return runOnThisMachine(arguments);
}
#else
int main(int argc, char* argv[]) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return runOnThisMachine(arguments);
}
#endif
