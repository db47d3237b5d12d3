#pragma once

#include <string>

#include "common/Environment.h"
#include "common/LocaleNumbers.h"
#include "fake-kalvero/FakeKalvero.h"
#include "settings/SettingsStore.h"
#include "settings/modRegistrierung.h"
#include "state/modGlobaleVariablen.h"
#include "support/FakeFileSystem.h"
#include "support/TestDoubles.h"

namespace kvotlk::test {

// Test doubles for every port, a program folder that exists in the fake file system,
// German number rules, and a program-wide state with the registry root set.
struct TestEnvironment {
  explicit TestEnvironment(std::string folder = defaultProgramFolder());

  static std::string defaultProgramFolder();
  // The value path of a key of section Config.
  std::string settingPath(std::string_view key) const;
  // Stores a setting as the configuration dialog would.
  void setSetting(std::string_view key, std::string value);

  MemorySettingsStore settings;
  FakeFileSystem files;
  FixedClock clock;
  SequenceRandom random;
  ScriptedPrompts prompts;
  PortableLocaleNumbers numbers = germanNumbers();
  FakeKvoConnector kalvero;
  Environment env;
  modGlobaleVariablen g;
};

}  // namespace kvotlk::test
