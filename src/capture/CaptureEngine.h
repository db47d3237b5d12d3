#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "kalvero/KalveroPort.h"

namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
struct Stichprobe;
class CaptureJournal;
class CaptureOrder;
class CaptureView;
class CommandReads;
struct JournaledCapture;

// Closed: window not open. Ready: open and subscribed, no sample started. Sampling: open
// and subscribed, sample 1 or later receives values. Halted: open, no subscription.
enum class CaptureState { Closed, Ready, Sampling, Halted };

// The rules of the capture window frm_TuL: its load step, its two buttons, its closing,
// the subscription to the CMM software's execution events and the two event handlers that
// turn executed commands into samples of characteristic values in the program-wide state.
// The window implements CaptureView and calls the window functions from its own handlers;
// its owner keeps the engine alive at least as long as the window (never deleting either
// from inside closeWindow(), which an event handler may call).
class CaptureEngine final : public KvoEventSink {
 public:
  // Every change of the samples goes to the journal, when there is one.
  CaptureEngine(Environment& env, modGlobaleVariablen& g, CaptureOrder& order,
                CaptureJournal* journal = nullptr);
  ~CaptureEngine() override;
  CaptureEngine(const CaptureEngine&) = delete;
  CaptureEngine& operator=(const CaptureEngine&) = delete;
  CaptureEngine(CaptureEngine&&) = delete;
  CaptureEngine& operator=(CaptureEngine&&) = delete;

  // Load step of the window shown by view: lay out the grid, show the sample size and
  // sample 0, reset the sample counter and the ID list, read IdLaenge, subscribe. Shows a
  // stop message when the subscription cannot be made; the window then stays open
  // without it. A restored capture goes on where it was: its samples are taken and the
  // last one is shown.
  void Form_Load(CaptureView& view, const JournaledCapture* restored = nullptr);
  // "Letzte Stichprobe löschen".
  void CmdLoeschen_Click();
  // "Daten übertragen".
  void CmdSendData_Click();
  // The operator closes the window: with captured samples that were not sent, only after
  // asking; then the order window shows again and the subscription ends. False when the
  // operator keeps the window, which then stays exactly as it was. Nothing to do (true)
  // when the engine has closed the window itself.
  bool Form_Unload();

  void KvoEvents_OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg);
  void KvoEvents_OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                                  const std::shared_ptr<KvoCommand>& Cmmd);

  void OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) override;
  void OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                        const std::shared_ptr<KvoCommand>& Cmmd) override;

  // The window's timer: the journal's waiting records go to the disk.
  void JournalTick();

  CaptureState state() const;
  // The maximum characteristic ID length read at load.
  std::int16_t intIdLaenge() const { return intIdLaenge_; }

 private:
  // Outcome of one step of handling an executed command.
  enum class Step { Next, End, Failed };
  // The 16-bit counters stop here instead of wrapping.
  static constexpr std::int16_t kLargestCount = INT16_MAX;

  void showRestored(const JournaledCapture& restored);
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
  CaptureOrder& order_;
  CaptureJournal* journal_;
  // Set by Form_Load; nothing reaches the view before.
  CaptureView* view_ = nullptr;
  std::shared_ptr<KvoEventSource> KvoEvents_;
  std::int16_t intIdLaenge_ = 6;
  bool open_ = false;
};

}  // namespace kvotlk
