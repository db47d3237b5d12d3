#pragma once

#include <string>
#include <vector>

#include "app/MainWindowAccess.h"

namespace kvotlk::test {

// Records what a secondary window does to the main window, in order.
class RecordingMainWindow final : public MainWindowAccess {
 public:
  void showMainWindow() override { calls.emplace_back("showMainWindow"); }
  void setPrueferList(const std::vector<std::string>& entries) override {
    calls.emplace_back("setPrueferList");
    prueferList = entries;
  }
  void setMaschineList(const std::vector<std::string>& entries) override {
    calls.emplace_back("setMaschineList");
    maschineList = entries;
  }
  void clearNestEntry() override { calls.emplace_back("clearNestEntry"); }
  void clearNestID() override { calls.emplace_back("clearNestID"); }
  void setPartCountVisible(bool visible) override {
    calls.emplace_back(visible ? "setPartCountVisible(true)" : "setPartCountVisible(false)");
  }
  void SetToolTips() override { calls.emplace_back("SetToolTips"); }

  std::vector<std::string> calls;
  std::vector<std::string> prueferList;
  std::vector<std::string> maschineList;
};

}  // namespace kvotlk::test
