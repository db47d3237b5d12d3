#pragma once

#include <string>
#include <vector>

#include "capture/CaptureView.h"
#include "common/WorkProgress.h"
#include "entry/OrderEngine.h"
#include "entry/OrderWindow.h"

namespace kvotlk::test {

// The order engine over a main window that records, in order, what the other windows have
// the engine do to it: pass engine to the window under test.
class RecordingMainWindow final : public OrderWindow {
 public:
  RecordingMainWindow(Environment& env, modGlobaleVariablen& g) : engine(env, g, *this) {}

  OrderForm form() override { return {}; }
  int nestState() override { return kUnchecked; }
  void showWindow() override { calls.emplace_back("showMainWindow"); }
  void hideWindow() override {}
  void setPrueferList(const std::vector<std::string>& entries) override {
    calls.emplace_back("setPrueferList");
    prueferList = entries;
  }
  void setMaschineList(const std::vector<std::string>& entries) override {
    calls.emplace_back("setMaschineList");
    maschineList = entries;
  }
  void setPartCountVisible(bool visible) override {
    calls.emplace_back(visible ? "setPartCountVisible(true)" : "setPartCountVisible(false)");
  }
  void setToolTips(const std::optional<std::string>& /*auftrag*/,
                   const std::string& /*artikel*/) override {
    calls.emplace_back("SetToolTips");
  }
  void setNestToolTip(const std::string& /*toolTip*/) override {}
  void presetDateTime(const DateTimeFields& /*fields*/) override {}
  void showEntries(const OrderForm& /*form*/) override {}
  void restoreForm(const OrderForm& /*form*/) override {}
  void setNestID(const std::string& caption) override {
    calls.push_back(caption.empty() ? "clearNestID" : "setNestID(" + caption + ")");
  }
  void setNestEnabled(bool /*enabled*/) override {}
  void clearNestEntry() override { calls.emplace_back("clearNestEntry"); }
  void setProbenumfang(const std::string& text) override {
    calls.push_back("setOrderProbenumfang(" + text + ")");
  }
  CaptureView& makeCaptureWindow(CaptureEngine& /*engine*/) override { return capture; }
  void setWaitingFiles(std::size_t /*count*/) override {}
  void runFileWork(const std::function<void(WorkProgress&)>& work) override {
    NoProgress progress;
    work(progress);
  }

  std::vector<std::string> calls;
  std::vector<std::string> prueferList;
  std::vector<std::string> maschineList;
  NullCaptureView capture;
  OrderEngine engine;
};

}  // namespace kvotlk::test
