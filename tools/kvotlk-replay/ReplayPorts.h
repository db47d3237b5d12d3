#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "capture/CaptureView.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "entry/OrderForm.h"
#include "program/SimRandom.h"

// The ports kvotlk-replay puts in place of the program's windows and its clock.
namespace kvotlk::replay {

// Stands at one moment; a wait before a retry is the machine clock's, since the files are
// real.
class FixedTimeClock final : public Clock {
 public:
  FixedTimeClock(LocalDateTime time, Clock& machine) : time_(time), machine_(machine) {}
  LocalDateTime now() override { return time_; }
  void sleepFor(std::chrono::milliseconds duration) override { machine_.sleepFor(duration); }

 private:
  LocalDateTime time_;
  Clock& machine_;
};

// The same draws for the same seed on every platform.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : random_(seed, 0) {}
  std::uint32_t below(std::uint32_t bound) override;

 private:
  program::SimRandom random_;
};

// "STOPP: text", "MELDUNG: text" or "FRAGE: text -> Ja|Nein": one line, CR LF inside the
// text shown as " | ", a lone CR as "␍" and a lone LF as "␊", so every break is seen.
std::string promptLine(std::string_view kind, std::string_view text);

// Every message on the error stream as it is shown; a question takes the next answer the
// steps gave, else the option's answer for it.
class ConsolePrompts final : public Prompts {
 public:
  ConsolePrompts(std::ostream& err, bool increaseAnswer, bool measureMoreAnswer);
  void showStop(const std::string& text) override;
  void showPlain(const std::string& text) override;
  bool askYesNo(const std::string& text) override;

  // The answer to the next question asked.
  void queueAnswer(bool answer) { answers_.push_back(answer); }

  // Every stop message shown so far, in order.
  const std::vector<std::string>& stops() const { return stops_; }

 private:
  void print(const std::string& line);

  std::ostream& err_;
  bool increaseAnswer_;
  bool measureMoreAnswer_;
  std::deque<bool> answers_;
  std::vector<std::string> stops_;
};

// The capture window without a window: it keeps the labels and grid cells the capture
// sets, and the order form stands for the order window. closed runs when the capture
// closes the window itself (after a send or an ID message).
class ReplayView final : public CaptureView {
 public:
  ReplayView(OrderForm& form, std::function<void()> closed)
      : form_(form), closed_(std::move(closed)) {}

  void prepareGrid() override;
  void setGridRowCount(int rows) override;
  void setGridCell(int row, int column, const std::string& text) override;
  void setCurrentProbe(const std::string& caption, bool /*repaintNow*/) override {
    lblCurrentProbe_ = caption;
  }
  void setNumProbes(const std::string& caption) override { lblNumProbes_ = caption; }
  void setOrderProbenumfang(const std::string& text) override { form_.txt_Probenumfang = text; }
  int orderNestState() override { return form_.chkNest; }
  void showOrderWindow() override {}
  void closeWindow() override { closed_(); }

  // "Stichprobe X von Y", then one line "ID | Messwert" per grid row, header included.
  void print(std::ostream& out) const;

 private:
  OrderForm& form_;
  std::function<void()> closed_;
  std::string lblCurrentProbe_;
  std::string lblNumProbes_;
  // Header row first; two rows, as the window starts.
  std::vector<std::array<std::string, 2>> grid_{2};
};

}  // namespace kvotlk::replay
