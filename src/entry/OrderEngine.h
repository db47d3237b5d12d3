#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/CaptureOrder.h"
#include "catalogs/CatalogFiles.h"
#include "journal/JournalFormat.h"
#include "output/modTuLOutput.h"

namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
class CaptureEngine;
class CaptureJournal;
class OrderWindow;
struct JournalAtStart;
class WorkProgress;

// The rules of the order window frm_Eingabe and the road of an order: the start-up
// sequence, "&OK" with its checks and success steps, "Einträge &Löschen", the nest check
// box and number, the capture it opens and the send, the updates other windows ask for,
// and the shutdown. The main window and kvotlk-replay are views over it; both run this one
// sequence.
class OrderEngine final : private CaptureOrder {
 public:
  OrderEngine(Environment& env, modGlobaleVariablen& g, OrderWindow& window);
  ~OrderEngine() override;
  OrderEngine(const OrderEngine&) = delete;
  OrderEngine& operator=(const OrderEngine&) = delete;
  OrderEngine(OrderEngine&&) = delete;
  OrderEngine& operator=(OrderEngine&&) = delete;

  // The start-up sequence; the window is shown in its course.
  void Form_Load();
  // "&OK": the checks, and on success the capture window in place of the order window.
  // False when a check failed (its message has been shown).
  bool cmd_OK_Click();
  // "Einträge &Löschen".
  void cmd_Loeschen_Click();
  // chkNest clicked; the window's check box holds the new state.
  void chkNest_Click();
  // txt_Nestnummer changed, by the operator or the program.
  void txt_Nestnummer_Change();
  // Shutdown: the handoff file written last is deleted, the CMM software released.
  void Form_Unload();

  // A window opened from the menus has closed.
  void ShowAgain();
  // The settings dialog has saved: part count, nest-ID label and tool tips follow the
  // run-time copies.
  void SettingsSaved();
  // A catalogue editor has written its file: the lists follow, or the nest entry is emptied.
  void CatalogSaved(Catalog catalog, const std::vector<std::string>& entries);
  // "Wartende Dateien senden": the result files waiting in the staging folder are
  // delivered, and the windows show how many still wait.
  void menuWartendeDateien_Click();

  // The capture of the last confirmed order; null before the first one.
  CaptureEngine* capture() const { return capture_.get(); }
  // How the last send of that capture ended; none before its first send.
  std::optional<SendOutcome> lastSend() const { return lastSend_; }

 private:
  // CaptureOrder
  int nestState() override;
  void sampleSizeRaised(const std::string& size) override;
  void captureClosing() override;
  bool sendResultFile() override;

  void offerRestore(const JournalAtStart& found);
  // Sets the capture offered for restoring aside and says where it is kept.
  void declineRestore();
  bool goOnWithOtherProgram();
  std::unique_ptr<CaptureJournal> beginJournal(const OrderForm& form,
                                               const JournaledCapture* restored);
  void openCapture(std::unique_ptr<CaptureJournal> journal, const JournaledCapture* restored);
  // File work off the window's thread with its messages shown afterwards on it.
  void runFileWork(const std::function<void(Environment&, WorkProgress&)>& work);
  void deliverWaitingFiles();

  Environment& env_;
  modGlobaleVariablen& g_;
  OrderWindow& window_;
  // The journal of the capture below; declared first, so it outlives the engine that
  // writes to it.
  std::unique_ptr<CaptureJournal> journal_;
  // Kept until the next confirmation: an engine call may still be on the stack below a
  // message box when the capture window closes itself.
  std::unique_ptr<CaptureEngine> capture_;
  // The capture the operator chose to restore, taken up by the next confirmation.
  std::optional<JournaledCapture> restore_;
  std::optional<SendOutcome> lastSend_;
};

}  // namespace kvotlk
