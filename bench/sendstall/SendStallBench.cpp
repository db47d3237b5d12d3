// The longest stall of the window's event loop during a send into a target folder whose
// every file call takes 2 s (a share that answers slowly): once with the send's file work
// on the window's thread, as the program did before, once off it through the runner the
// windows use. Prints both; run by hand:
//   cmake --preset bench-window && cmake --build --preset bench-window
//   build/bench-window/bench/sendstall/kvotlk_sendstall_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "common/Clock.h"
#include "common/Environment.h"
#include "common/FileSystem.h"
#include "common/LocaleNumbers.h"
#include "common/Paths.h"
#include "common/Prompts.h"
#include "common/WorkProgress.h"
#include "gui/FileWork.h"
#include "kalvero/KalveroPort.h"
#include "output/modTuLOutput.h"
#include "settings/SettingsStore.h"
#include "settings/modRegistrierung.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"
#include "support/ExampleOrder.h"

namespace kvotlk {
namespace {

constexpr std::chrono::seconds kCallTime{2};

// The machine's file system; every call on a path below the slow folder takes 2 s first.
class SlowFolder final : public FileSystem {
 public:
  SlowFolder(FileSystem& files, Path slow) : files_(files), slow_(slow.generic_string()) {}

  bool fileExists(const Path& p) override { return wait(p), files_.fileExists(p); }
  bool folderExists(const Path& p) override { return wait(p), files_.folderExists(p); }
  bool createFolder(const Path& p) override { return wait(p), files_.createFolder(p); }
  bool removeFile(const Path& p) override { return wait(p), files_.removeFile(p); }
  std::unique_ptr<WritableFile> createFile(const Path& p) override {
    return wait(p), files_.createFile(p);
  }
  std::unique_ptr<WritableFile> createNewFile(const Path& p) override {
    return wait(p), files_.createNewFile(p);
  }
  std::unique_ptr<WritableFile> openForAppend(const Path& p) override {
    return wait(p), files_.openForAppend(p);
  }
  std::optional<std::string> readFile(const Path& p) override {
    return wait(p), files_.readFile(p);
  }
  bool renameNoReplace(const Path& from, const Path& to) override {
    return wait(to), files_.renameNoReplace(from, to);
  }
  bool renameReplacing(const Path& from, const Path& to) override {
    return wait(to), files_.renameReplacing(from, to);
  }
  std::vector<FolderEntry> listFiles(const Path& p) override {
    return wait(p), files_.listFiles(p);
  }
  std::uint32_t processId() override { return files_.processId(); }

 private:
  void wait(const Path& p) const {
    if (p.generic_string().starts_with(slow_)) {
      std::this_thread::sleep_for(kCallTime);
    }
  }

  FileSystem& files_;
  std::string slow_;
};

class SilentPrompts final : public Prompts {
 public:
  void showStop(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void showPlain(const std::string& /*text*/) override {}
  bool askYesNo(const std::string& /*text*/) override { return false; }
  bool askYesNoDefaultNo(const std::string& /*text*/) override { return false; }
};

// The longest time between two turns of the event loop while run() runs, in ms.
double longestStall(const std::function<void()>& run) {
  QElapsedTimer clock;
  clock.start();
  qint64 last = 0;
  qint64 longest = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  tick.start(1);
  QApplication::processEvents();
  last = clock.nsecsElapsed();
  run();
  longest = std::max(longest, clock.nsecsElapsed() - last);
  return static_cast<double>(longest) / 1e6;
}

int run() {
  const Path root = std::filesystem::temp_directory_path() / "kvotlk-sendstall-bench";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "Programm");
  std::filesystem::create_directories(root / "Ziel");
  const auto disk = makeFileSystem();
  SlowFolder files(*disk, root / "Ziel");
  MemorySettingsStore settings;
  const auto clock = makeSystemClock();
  const auto random = makeSystemRandom();
  SilentPrompts prompts;
  PortableLocaleNumbers numbers = germanNumbers();
  const auto kalvero = makeKvoConnector();
  Environment env{settings, files,   *clock,   *random,
                  prompts,  numbers, *kalvero, toUtf8(root / "Programm")};
  modGlobaleVariablen g;
  g.strRegistryRoot = std::string(kRegistryRoot);
  test::setExampleOrderVariables(g);
  settings.write(SettingPath(kRegistryRoot, kConfigSection, "DIR"), toUtf8(root / "Ziel"));
  settings.write(SettingPath(kRegistryRoot, kConfigSection, "RANDOM"), "1");
  const OrderForm form;

  const double onWindowThread = longestStall([&] { WriteResultFile(env, g, form); });
  QLabel status;
  QPushButton cancel;
  QElapsedTimer sendTime;
  sendTime.start();
  const double offWindowThread = longestStall([&] {
    RunFileWork(
        [&](WorkProgress& progress) {
          WriteResultFile(env, SendRequest{g, form, progress, "Kalvero 3.7"});
        },
        status, cancel, {});
  });
  std::printf("Senden in ein Zielverzeichnis, dessen Aufrufe je 2 s dauern (%.1f s):\n",
              static_cast<double>(sendTime.elapsed()) / 1000.0);
  std::printf("  längste Pause der Ereignisschleife, Dateiarbeit im Fensterfaden: %8.1f ms\n",
              onWindowThread);
  std::printf("  längste Pause der Ereignisschleife, Dateiarbeit abseits:         %8.1f ms\n",
              offWindowThread);
  std::filesystem::remove_all(root);
  return 0;
}

}  // namespace
}  // namespace kvotlk

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  return kvotlk::run();
}
