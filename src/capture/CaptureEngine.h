#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "capture/KalveroPort.h"

namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
struct Stichprobe;
class CaptureView;
class CommandReads;

// Closed: window not open. Ready: open and subscribed, no sample started. Sampling: open
// and subscribed, sample 1 or later receives values. Halted: open, no subscription.
enum class CaptureState { Closed, Ready, Sampling, Halted };

// The rules of the capture window frm_TuL: its load step, its two buttons, its closing,
// the subscription to the CMM software's execution events and the two event handlers that
// turn executed commands into samples of characteristic values in the program-wide state.
// The window implements CaptureView, calls the four window functions from its own
// handlers and keeps the engine alive until its own destruction (never deleting it from
// inside closeWindow(), which an event handler may call).
class CaptureEngine final : public KvoEventSink {
 public:
  // writeResultFile writes and delivers the result file; true when it was written.
  CaptureEngine(Environment& env, modGlobaleVariablen& g, CaptureView& view,
                std::function<bool()> writeResultFile);
  ~CaptureEngine() override;
  CaptureEngine(const CaptureEngine&) = delete;
  CaptureEngine& operator=(const CaptureEngine&) = delete;
  CaptureEngine(CaptureEngine&&) = delete;
  CaptureEngine& operator=(CaptureEngine&&) = delete;

  // Load step: subscribe, lay out the grid, show the sample size and sample 0, reset the
  // sample counter and the ID list, read IdLaenge. Shows a stop message when the
  // subscription cannot be made; the window then stays open without it.
  void Form_Load();
  // "Letzte Stichprobe löschen".
  void CmdLoeschen_Click();
  // "Daten übertragen".
  void CmdSendData_Click();
  // The operator closes the window: the order window shows again, the subscription ends.
  // Nothing to do when the engine has closed the window itself.
  void Form_Unload();

  void KvoEvents_OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg);
  void KvoEvents_OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                                  const std::shared_ptr<KvoCommand>& Cmmd);

  void OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) override;
  void OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                        const std::shared_ptr<KvoCommand>& Cmmd) override;

  CaptureState state() const;
  // The maximum characteristic ID length read at load.
  std::int16_t intIdLaenge() const { return intIdLaenge_; }

 private:
  // Outcome of one step of handling an executed command.
  enum class Step { Next, End, Failed };
  // The 16-bit counters stop here instead of wrapping.
  static constexpr std::int16_t kLargestCount = INT16_MAX;

  bool subscribe();
  void dropSubscription();
  bool subscribed() const { return KvoEvents_ != nullptr; }
  void closeCapture(bool closeView);
  void haltWith(const std::string& message);
  std::optional<bool> isOurProgram(const std::shared_ptr<KvoPartProgram>& PartProg);
  bool loopMode();

  void startSample(bool raiseCount, bool repaintNow);
  void beginSample();
  Stichprobe& currentSample();
  std::optional<std::string> checkedId();
  std::optional<std::string> refuseId(const std::string& message);
  Step storeValue(const std::string& id, double value, int decimals);

  Step executeCommand(CommandReads& cmd);
  Step textCommandStep(CommandReads& cmd);
  Step blockAStep(CommandReads& cmd);
  Step blockBStep(CommandReads& cmd);
  Step blockStep(CommandReads& cmd, std::int32_t openCode, std::int32_t closeCode, bool& blnBlock,
                 std::int16_t& intPosInBlock);
  Step dimensionStep(CommandReads& cmd);
  bool takeDimensionId();
  std::optional<double> dimensionValue(std::int32_t typeCode);
  Step type184Step(CommandReads& cmd);

  Environment& env_;
  modGlobaleVariablen& g_;
  CaptureView& view_;
  std::function<bool()> writeResultFile_;
  std::shared_ptr<KvoEventSource> KvoEvents_;
  std::int16_t intIdLaenge_ = 6;
  bool open_ = false;
};

}  // namespace kvotlk
