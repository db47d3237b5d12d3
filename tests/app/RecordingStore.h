#pragma once

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace kvotlk::test {

// Passes every call to another store and keeps the keys read, in order.
class RecordingStore final : public SettingsStore {
 public:
  explicit RecordingStore(SettingsStore& inner) : inner_(inner) {}

  std::optional<std::string> read(const std::string& path) override {
    reads.push_back(path.substr(path.rfind('\\') + 1));
    return inner_.read(path);
  }
  bool write(const std::string& path, const std::string& value) override {
    return inner_.write(path, value);
  }

  // Position of the last read of the key in reads; -1 when it was not read.
  int lastRead(const std::string& key) const {
    for (auto i = static_cast<int>(reads.size()) - 1; i >= 0; --i) {
      if (reads[static_cast<std::size_t>(i)] == key) {
        return i;
      }
    }
    return -1;
  }

  std::vector<std::string> reads;

 private:
  SettingsStore& inner_;
};

}  // namespace kvotlk::test
