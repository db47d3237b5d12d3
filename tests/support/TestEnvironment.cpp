#include "support/TestEnvironment.h"

#include "common/Paths.h"

namespace kvotlk::test {

TestEnvironment::TestEnvironment(std::string folder)
    : env{settings, files, clock, random, prompts, numbers, kalvero, std::move(folder)} {
  g.strRegistryRoot = std::string(kRegistryRoot);
  files.addFolder(env.programFolder);
}

std::string TestEnvironment::defaultProgramFolder() {
#ifdef _WIN32
  return "C:\\KVOTLK";
#else
  return "/opt/kvotlk";
#endif
}

std::string TestEnvironment::settingPath(std::string_view key) const {
  return SettingPath(g.strRegistryRoot, kConfigSection, key);
}

void TestEnvironment::setSetting(std::string_view key, std::string value) {
  settings.values[settingPath(key)] = std::move(value);
}

std::shared_ptr<FakeKvoApplication> TestEnvironment::startKalvero() {
  auto app = kalvero.start();
  app->openPartProgram("Welle.kvp");
  return app;
}

void TestEnvironment::readyForCapture(const std::shared_ptr<FakeKvoApplication>& app) {
  g.KvoApp = app;
  g.strMessprogrammName = "Welle";
  g.intStichprobenumfang = 2;
}

}  // namespace kvotlk::test
