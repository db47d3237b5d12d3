// The send's file work runs off the window's thread: while a call into the target folder
// waits (a share that does not answer), the capture window paints, shows the attempt and
// takes "Abbrechen"; then the file stays staged as after a failed copy.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <condition_variable>
#include <mutex>

#include "WindowTestSupport.h"

namespace kvotlk::test {
namespace {

// The fake file system, but a rename into /caq waits until the test opens the gate, and
// then fails as a share that has gone does.
class GateFileSystem final : public FileSystem {
 public:
  explicit GateFileSystem(FileSystem& files) : files_(files) {}
  void open() {
    const std::lock_guard lock(mutex_);
    open_ = true;
    opened_.notify_all();
  }

  bool fileExists(const Path& p) override { return files_.fileExists(p); }
  bool folderExists(const Path& p) override { return files_.folderExists(p); }
  bool createFolder(const Path& p) override { return files_.createFolder(p); }
  bool removeFile(const Path& p) override { return files_.removeFile(p); }
  std::unique_ptr<WritableFile> createFile(const Path& p) override { return files_.createFile(p); }
  std::unique_ptr<WritableFile> createNewFile(const Path& p) override {
    return files_.createNewFile(p);
  }
  std::unique_ptr<WritableFile> openForAppend(const Path& p) override {
    return files_.openForAppend(p);
  }
  std::optional<std::string> readFile(const Path& p) override { return files_.readFile(p); }
  bool renameNoReplace(const Path& from, const Path& to) override {
    if (fsKey(to).starts_with("/caq/")) {
      std::unique_lock lock(mutex_);
      opened_.wait(lock, [this] { return open_; });
      NoteFileFault(FileFault::Unreachable);
      return false;
    }
    return files_.renameNoReplace(from, to);
  }
  bool renameReplacing(const Path& from, const Path& to) override {
    return files_.renameReplacing(from, to);
  }
  std::vector<FolderEntry> listFiles(const Path& folder) override {
    return files_.listFiles(folder);
  }
  std::uint32_t processId() override { return files_.processId(); }

 private:
  FileSystem& files_;
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
};

TEST(SendOffThread, TheWindowAnswersWhileACallWaitsAndAbbrechenKeepsTheFileStaged) {
  MainWindowRig rig;
  rig.files.addFolder("/caq");
  rig.setSetting("DIR", "/caq");
  rig.setSetting("EinstellungenZurLaufzeitSpeichern", "0");
  GateFileSystem gate(rig.files);
  Environment env{rig.settings, gate,        rig.clock,   rig.random,
                  rig.prompts,  rig.numbers, rig.kalvero, rig.env.programFolder};
  frm_Eingabe window(env, rig.g);
  window.Form_Load();
  for (const auto& [name, text] :
       {std::pair{"txt_Artikel", "A100"}, {"txt_Auftrag", "40711"}, {"txt_Probenumfang", "1"}}) {
    child<QLineEdit>(window, name)->setText(QString::fromUtf8(text));
  }
  child<QComboBox>(window, "combo_Prüfer")->setCurrentIndex(0);
  child<QComboBox>(window, "Combo_Maschine")->setCurrentIndex(0);
  window.cmd_OK_Click();
  frm_TuL* capture = window.captureWindow();
  ASSERT_NE(capture, nullptr);
  rig.app->run({CommandRecord::Dimension("10", 1.5)});

  auto* send = child<QPushButton>(*capture, "CmdSendData");
  auto* cancel = child<QPushButton>(*capture, "CmdAbbrechen");
  auto* status = child<QLabel>(*capture, "lblStatus");
  // The send returns only when its work has ended, so the window is watched from its own
  // event loop while the call waits: the attempt is shown, the buttons are off, and
  // "Abbrechen" is taken; then the call may return.
  std::string shown;
  bool sendEnabled = true;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (shown.empty() && status->text().endsWith("Versuch 1 von 4")) {
      shown = str(status->text());
      sendEnabled = send->isEnabled();
      cancel->click();
    } else if (status->text() == "Wird abgebrochen …") {
      watch.stop();
      gate.open();
    }
  });
  watch.start(10);
  // Should the window not answer, the call still returns, and the test fails instead of
  // hanging.
  QTimer rescue;
  rescue.setSingleShot(true);
  QObject::connect(&rescue, &QTimer::timeout, [&gate] { gate.open(); });
  rescue.start(10000);
  send->click();
  EXPECT_EQ(shown, "Übertrage Solvik.txt nach /caq … Versuch 1 von 4");
  EXPECT_FALSE(sendEnabled);

  EXPECT_FALSE(capture->isVisible());
  ASSERT_EQ(rig.messages().size(), 1U);
  EXPECT_TRUE(rig.messages()[0].starts_with("Kopieren der Ergebnisdatei")) << rig.messages()[0];
  const std::string staging = rig.env.programFolder + "/TempData/";
  EXPECT_TRUE(rig.files.hasFile(staging + "Solvik.txt"));
  EXPECT_NE(rig.files.content(staging + "TLDebug.txt").find("vom Bediener abgebrochen"),
            std::string::npos);
  EXPECT_EQ(str(child<QLabel>(window, "lblWartend")->text()),
            "1 Ergebnisdatei wartet auf Übertragung");
}

}  // namespace
}  // namespace kvotlk::test
