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
  // The folder of TempData and Kataloge when the program is installed for all accounts of
  // the PC (dataFolderFor); empty: the program folder, as for a program from its ZIP.
  std::string dataFolder = {};

  // The folder that holds TempData and Kataloge.
  const std::string& data() const { return dataFolder.empty() ? programFolder : dataFolder; }
  // Whether program and data are apart: installed for all accounts, the program folder
  // read-only for an operator.
  bool installedForAllAccounts() const {
    return !dataFolder.empty() && dataFolder != programFolder;
  }
};

}  // namespace kvotlk
