#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "capture/CaptureView.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "entry/OrderWindow.h"
#include "kvotlk-replay/OrderFile.h"
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
  ConsolePrompts(std::ostream& err, bool increaseAnswer, bool measureMoreAnswer,
                 bool discardAnswer);
  void showStop(const std::string& text) override;
  void showPlain(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
  bool askYesNoDefaultNo(const std::string& text) override;

  // The answer to the next question asked.
  void queueAnswer(bool answer) { answers_.push_back(answer); }

  // Every stop message shown so far, in order.
  const std::vector<std::string>& stops() const { return stops_; }

 private:
  void print(const std::string& line);

  std::ostream& err_;
  bool increaseAnswer_;
  bool measureMoreAnswer_;
  bool discardAnswer_;
  std::deque<bool> answers_;
  std::vector<std::string> stops_;
};

// The capture window without a window: it keeps the labels and grid cells the capture
// sets. closed runs when the capture closes the window itself (after a send or an ID
// message).
class ReplayView final : public CaptureView {
 public:
  explicit ReplayView(std::function<void()> closed) : closed_(std::move(closed)) {}

  void prepareGrid() override;
  void setGridRowCount(int rows) override;
  void setGridCell(int row, int column, const std::string& text) override;
  void setCurrentProbe(const std::string& caption, bool /*repaintNow*/) override {
    lblCurrentProbe_ = caption;
  }
  void setNumProbes(const std::string& caption) override { lblNumProbes_ = caption; }
  void showWindow() override {}
  void closeWindow() override { closed_(); }

  // "Stichprobe X von Y", then one line "ID | Messwert" per grid row, header included.
  void print(std::ostream& out) const;

 private:
  std::function<void()> closed_;
  std::string lblCurrentProbe_;
  std::string lblNumProbes_;
  // Header row first; two rows, as the window starts.
  std::vector<std::array<std::string, 2>> grid_{2};
};

// The order window without a window: the order file's form, which the steps change as the
// operator changes the controls, and the lists as the start-up filled them. File work runs
// at once; what the main window says of waiting files goes to out when it changes, the
// work's progress too when verbose. captureClosed runs when a capture window closes itself.
class ReplayOrderWindow final : public OrderWindow {
 public:
  ReplayOrderWindow(OrderInput order, std::function<void()> captureClosed, std::ostream& out,
                    bool verbose)
      : order_(std::move(order)),
        captureClosed_(std::move(captureClosed)),
        out_(out),
        verbose_(verbose) {}

  // The operator presses "Abbrechen" in the next file work once it reports delivery
  // attempt n.
  void cancelAtAttempt(int n) { cancelAtAttempt_ = n; }

  OrderInput& order() { return order_; }
  // The error for a selection that is not exactly an entry of its list; none when both are.
  std::optional<InputFileError> unlistedSelection(const std::string& programFolder) const;
  const std::vector<std::string>& prueferList() const { return combo_Pruefer_; }
  const std::vector<std::string>& maschineList() const { return Combo_Maschine_; }
  // The capture window made last; only valid after the first confirmation.
  ReplayView& captureWindow() { return *capture_; }

  OrderForm form() override { return order_.form; }
  int nestState() override { return order_.form.chkNest; }
  void showWindow() override {}
  void hideWindow() override {}
  void setPrueferList(const std::vector<std::string>& entries) override {
    combo_Pruefer_ = entries;
  }
  void setMaschineList(const std::vector<std::string>& entries) override {
    Combo_Maschine_ = entries;
  }
  void setPartCountVisible(bool /*visible*/) override {}
  void setToolTips(const std::optional<std::string>& /*auftrag*/,
                   const std::string& /*artikel*/) override {}
  void setNestToolTip(const std::string& /*toolTip*/) override {}
  // The order file holds what the operator typed over the preset date and time.
  void presetDateTime(const DateTimeFields& /*fields*/) override {}
  void showEntries(const OrderForm& form) override;
  void restoreForm(const OrderForm& form) override { order_.form = form; }
  void setNestID(const std::string& caption) override { order_.form.lblNestID = caption; }
  void setNestEnabled(bool /*enabled*/) override {}
  void clearNestEntry() override;
  void setProbenumfang(const std::string& text) override { order_.form.txt_Probenumfang = text; }
  CaptureView& makeCaptureWindow(CaptureEngine& engine) override;
  void setWaitingFiles(std::size_t count) override;
  void runFileWork(const std::function<void(WorkProgress&)>& work) override;

 private:
  OrderInput order_;
  std::function<void()> captureClosed_;
  std::vector<std::string> combo_Pruefer_;
  std::vector<std::string> Combo_Maschine_;
  std::unique_ptr<ReplayView> capture_;
  std::ostream& out_;
  bool verbose_;
  std::optional<int> cancelAtAttempt_;
  std::string waitingText_;
};

}  // namespace kvotlk::replay
