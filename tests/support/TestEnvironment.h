#pragma once

#include <memory>
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
  // A running fake Kalvero with "Welle.kvp" open.
  std::shared_ptr<FakeKvoApplication> startKalvero();
  // The state a confirmed order leaves for a capture of two samples of "Welle" in it.
  void readyForCapture(const std::shared_ptr<FakeKvoApplication>& app);

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
