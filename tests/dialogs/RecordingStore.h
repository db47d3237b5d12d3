#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "settings/SettingsStore.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// Settings in memory that log every write by key name and can refuse the write of one key.
class RecordingStore final : public SettingsStore {
 public:
  explicit RecordingStore(MemorySettingsStore& values) : values_(values) {}

  std::optional<std::string> read(const std::string& path) override { return values_.read(path); }
  bool write(const std::string& path, const std::string& value) override {
    const std::string key = path.substr(path.rfind('\\') + 1);
    if (key == failKey) {
      return false;
    }
    writes.push_back(key);
    return values_.write(path, value);
  }

  std::vector<std::string> writes;
  std::string failKey;

 private:
  MemorySettingsStore& values_;
};

// A test environment whose settings go through a RecordingStore over t.settings.
struct RecordingEnvironment {
  TestEnvironment t;
  RecordingStore store{t.settings};
  Environment env{store,     t.files,   t.clock,   t.random,
                  t.prompts, t.numbers, t.kalvero, t.env.programFolder};
};

}  // namespace kvotlk::test
