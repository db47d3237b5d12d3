#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "capture/CaptureView.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "entry/OrderForm.h"
#include "program/SimRandom.h"

// The ports kvotlk-replay puts in place of the program's windows and its clock.
namespace kvotlk::replay {

// Stands at one moment; a wait before a retry is waited, since the files are real.
class FixedTimeClock final : public Clock {
 public:
  explicit FixedTimeClock(LocalDateTime time) : time_(time) {}
  LocalDateTime now() override { return time_; }
  void sleepFor(std::chrono::milliseconds duration) override;

 private:
  LocalDateTime time_;
};

// The same draws for the same seed on every platform.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : random_(seed, 0) {}
  std::uint32_t below(std::uint32_t bound) override;

 private:
  program::SimRandom random_;
};

// "STOPP: text", "MELDUNG: text" or "FRAGE: text -> Ja|Nein": one line, the line breaks
// inside the text shown as " | ".
std::string promptLine(std::string_view kind, std::string_view text);

// Every message on the error stream as it is shown; the two questions of the capture
// answered as the options say.
class ConsolePrompts final : public Prompts {
 public:
  ConsolePrompts(std::ostream& err, bool increaseAnswer, bool measureMoreAnswer);
  void showStop(const std::string& text) override;
  void showPlain(const std::string& text) override;
  bool askYesNo(const std::string& text) override;

  // Every stop message shown so far, in order.
  const std::vector<std::string>& stops() const { return stops_; }

 private:
  void print(const std::string& line);

  std::ostream& err_;
  bool increaseAnswer_;
  bool measureMoreAnswer_;
  std::vector<std::string> stops_;
};

// The capture window without a window: the order form stands for the order window.
class ReplayView final : public CaptureView {
 public:
  explicit ReplayView(OrderForm& form) : form_(form) {}

  void prepareGrid() override {}
  void setGridRowCount(int /*rows*/) override {}
  void setGridCell(int /*row*/, int /*column*/, const std::string& /*text*/) override {}
  void setCurrentProbe(const std::string& /*caption*/, bool /*repaintNow*/) override {}
  void setNumProbes(const std::string& /*caption*/) override {}
  void setOrderProbenumfang(const std::string& text) override { form_.txt_Probenumfang = text; }
  int orderNestState() override { return form_.chkNest; }
  void showOrderWindow() override {}
  void closeWindow() override {}

 private:
  OrderForm& form_;
};

}  // namespace kvotlk::replay
