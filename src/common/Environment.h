#pragma once

#include <string>

namespace kvotlk {

class SettingsStore;
class FileSystem;
class Clock;
class RandomSource;
class Prompts;
class LocaleNumbers;
class KvoConnector;

// The ports through which core reaches the world, and the program folder. The
// application builds one from the platform's implementations; tests from test doubles.
struct Environment {
  SettingsStore& settings;
  FileSystem& files;
  Clock& clock;
  RandomSource& random;
  Prompts& prompts;
  LocaleNumbers& numbers;
  KvoConnector& kalvero;
  // The folder of the executable, without a trailing separator.
  std::string programFolder;
};

}  // namespace kvotlk
