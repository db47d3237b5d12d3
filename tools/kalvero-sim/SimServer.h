#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QLocalServer>
#include <QTimer>

#include "kalvero/CommandRecord.h"
#include "platform/simlink/SimProtocol.h"
#include "program/ProgramExecutor.h"

class QLocalSocket;

// The simulated CMM software: it holds the open measuring program, answers the
// converter's calls under its local endpoint and executes runs, sending every subscribed
// converter OnStartExecution and one OnObjectExecuted per executed command. It sends the
// next event only when every subscriber has acknowledged the last one, so a converter that
// shows a question inside its handler holds the run. Everything runs on the thread that
// made the server, through its event loop.
namespace kvotlk::sim {

class SimServer {
 public:
  explicit SimServer(std::string endpoint);
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;
  SimServer(SimServer&&) = delete;
  SimServer& operator=(SimServer&&) = delete;

  // Starts listening. False, with a German reason, when another simulator answers under
  // the endpoint or the endpoint cannot be opened. A socket file left by a simulator that
  // was killed is removed first.
  bool listen(std::string& reason);
  const std::string& endpoint() const { return endpoint_; }

  // Reads the file and opens its program as a new part program (runs count from 1 again).
  // A file with an error is refused with its German text, and the open program stays.
  bool openProgramFile(const std::filesystem::path& file);
  void openProgram(program::MeasuringProgram program, std::string file);
  // Ends any run; CurrentPartProg then answers none.
  void closeProgram();
  const program::MeasuringProgram* currentProgram() const;
  // The open part program's handle, new for every program opened; 0 when none is open.
  std::int64_t programHandle() const { return programHandle_; }
  const std::string& programFile() const { return programFile_; }
  // The text of the last refused file; empty after a file was opened.
  const std::string& loadError() const { return loadError_; }
  std::string versionText() const;

  // The seed given at the start; nullopt takes the program's own, else 1.
  void setSeed(std::optional<std::uint64_t> seed);
  std::uint64_t seed() const;
  // Pause after each acknowledged event, in milliseconds.
  void setPause(int milliseconds);

  // Queues runs of the open program; false when none is open.
  bool execute(int runs);
  // Drops the queued runs and the rest of the current one.
  void abort();
  bool running() const { return inRun_ || runsQueued_ > 0; }
  std::uint64_t runsStarted() const { return runNumber_; }
  int subscribers() const;
  // Converters connected, subscribed or not.
  int connections() const;
  std::int64_t eventsSent() const { return sequence_; }

  // A line for the window's log: what was sent, opened, refused.
  std::function<void(const std::string&)> onLog;
  // Something the window shows has changed: program, run state, subscribers.
  std::function<void()> onChange;

 private:
  struct Client;

  void accept();
  void receive(Client& client);
  void drop(Client& client);
  void handleCall(Client& client, const simlink::Fields& call);
  simlink::Fields answer(Client& client, const std::string& operation, const simlink::Fields& call,
                         bool& ok);
  void acknowledge(Client& client, const simlink::Fields& ack);
  void stopAwaiting(Client& client);
  void scheduleStep(int delay);
  void step();
  void sendEvent(const simlink::Fields& event, const std::string& logText);
  void log(const std::string& line) const;
  void changed() const;

  std::string endpoint_;
  QLocalServer server_;
  QTimer stepTimer_;
  std::vector<std::unique_ptr<Client>> clients_;

  std::optional<program::ProgramExecutor> executor_;
  std::string programFile_;
  std::string loadError_;
  std::string versionText_ = "Kalvero-Simulator 1.0";
  std::int64_t programHandle_ = 0;
  std::int64_t lastHandle_ = 0;
  std::map<std::int64_t, std::string> programNames_;
  std::optional<std::uint64_t> givenSeed_;
  int pauseMs_ = 0;

  int runsQueued_ = 0;
  bool inRun_ = false;
  std::uint64_t runNumber_ = 0;
  std::vector<CommandRecord> commands_;
  std::size_t nextCommand_ = 0;
  std::int64_t sequence_ = 0;
  std::set<Client*> awaiting_;
};

}  // namespace kvotlk::sim
