#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "common/Environment.h"
#include "settings/SettingsStore.h"
#include "support/TestEnvironment.h"

namespace kvotlk::test {

// Passes every call to another store, keeps the keys read and written, in order, and can
// refuse the write of one key.
class RecordingStore final : public SettingsStore {
 public:
  explicit RecordingStore(SettingsStore& inner) : inner_(inner) {}

  std::optional<std::string> read(const std::string& path) override {
    reads.push_back(keyOf(path));
    return inner_.read(path);
  }
  bool write(const std::string& path, const std::string& value) override {
    if (keyOf(path) == failKey) {
      return false;
    }
    writes.push_back(keyOf(path));
    return inner_.write(path, value);
  }

  // Position of the last read of the key in reads; -1 when it was not read.
  long lastRead(const std::string& key) const {
    const auto found = std::find(reads.rbegin(), reads.rend(), key);
    return static_cast<long>(reads.rend() - found) - 1;
  }

  std::vector<std::string> reads;
  std::vector<std::string> writes;
  std::string failKey;

 private:
  static std::string keyOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
  SettingsStore& inner_;
};

// A test environment whose settings go through a RecordingStore over t.settings.
struct RecordingEnvironment {
  TestEnvironment t;
  RecordingStore store{t.settings};
  Environment env{store,     t.files,   t.clock,   t.random,
                  t.prompts, t.numbers, t.kalvero, t.env.programFolder};
};

}  // namespace kvotlk::test
