#include "kalvero-sim/SimServer.h"

#include <QLocalSocket>
#include <algorithm>
#include <utility>

#include "program/ProgramParser.h"
#include "program/ProgramText.h"

namespace kvotlk::sim {

using simlink::Fields;

struct SimServer::Client {
  QLocalSocket* socket = nullptr;
  simlink::LineReader reader;
  bool subscribed = false;
  // Disconnected; removed from the list once the signal that told it has returned.
  bool dropped = false;
};

namespace {

constexpr int kProbeTimeoutMs = 500;

QString qText(const std::string& text) { return QString::fromStdString(text); }

std::string stdText(const QString& text) { return text.toStdString(); }

}  // namespace

SimServer::SimServer(std::string endpoint) : endpoint_(std::move(endpoint)) {
  stepTimer_.setSingleShot(true);
  QObject::connect(&stepTimer_, &QTimer::timeout, &stepTimer_, [this] { step(); });
  QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] { accept(); });
}

SimServer::~SimServer() {
  // The sockets are children of server_ and go with it.
  for (const auto& client : clients_) {
    if (!client->dropped) {
      QObject::disconnect(client->socket, nullptr, nullptr, nullptr);
      client->socket->abort();
    }
  }
  server_.close();
}

bool SimServer::listen(std::string& reason) {
  const QString name = qText(endpoint_);
  QLocalSocket probe;
  probe.connectToServer(name);
  if (probe.waitForConnected(kProbeTimeoutMs)) {
    probe.abort();
    reason = "Unter dem Endpunkt \"" + endpoint_ + "\" läuft bereits ein Kalvero-Simulator.";
    return false;
  }
  QLocalServer::removeServer(name);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_.listen(name)) {
    reason = "Der Endpunkt \"" + endpoint_ +
             "\" kann nicht geöffnet werden: " + stdText(server_.errorString());
    return false;
  }
  return true;
}

bool SimServer::openProgramFile(const std::filesystem::path& file) {
  auto loaded = program::readProgramFile(file);
  if (const auto* error = std::get_if<program::ProgramError>(&loaded)) {
    loadError_ = error->text();
    log("Messprogramm nicht geöffnet: " + loadError_);
    changed();
    return false;
  }
  const auto u8 = file.u8string();
  openProgram(std::get<program::MeasuringProgram>(std::move(loaded)),
              std::string(u8.begin(), u8.end()));
  return true;
}

void SimServer::openProgram(program::MeasuringProgram program, std::string file) {
  abort();
  const std::uint64_t seed = program::chooseSeed(program, givenSeed_);
  versionText_ = program.versionText;
  programHandle_ = ++lastHandle_;
  programNames_[programHandle_] = program.partProgName;
  executor_.emplace(std::move(program), seed);
  programFile_ = std::move(file);
  loadError_.clear();
  runNumber_ = 0;
  log("Messprogramm " + executor_->program().partProgName + " geöffnet (Startwert " +
      std::to_string(seed) + ").");
  changed();
}

void SimServer::closeProgram() {
  if (!executor_) {
    return;
  }
  abort();
  log("Messprogramm " + executor_->program().partProgName + " geschlossen.");
  executor_.reset();
  programFile_.clear();
  programHandle_ = 0;
  changed();
}

const program::MeasuringProgram* SimServer::currentProgram() const {
  return executor_ ? &executor_->program() : nullptr;
}

std::string SimServer::versionText() const { return versionText_; }

void SimServer::setSeed(std::optional<std::uint64_t> seed) {
  givenSeed_ = seed;
  if (executor_) {
    program::MeasuringProgram program = executor_->program();
    const std::uint64_t chosen = program::chooseSeed(program, seed);
    executor_.emplace(std::move(program), chosen);
    log("Startwert " + std::to_string(executor_->seed()) + ".");
  }
  changed();
}

std::uint64_t SimServer::seed() const {
  return executor_ ? executor_->seed() : givenSeed_.value_or(1);
}

void SimServer::setPause(int milliseconds) { pauseMs_ = std::max(0, milliseconds); }

bool SimServer::execute(int runs) {
  if (!executor_ || runs <= 0) {
    return false;
  }
  runsQueued_ += runs;
  if (!inRun_) {
    scheduleStep(0);
  }
  changed();
  return true;
}

void SimServer::abort() {
  if (!running()) {
    return;
  }
  runsQueued_ = 0;
  inRun_ = false;
  commands_.clear();
  awaiting_.clear();
  stepTimer_.stop();
  log("Ausführung abgebrochen.");
  changed();
}

int SimServer::subscribers() const {
  return static_cast<int>(std::count_if(clients_.begin(), clients_.end(),
                                        [](const auto& client) { return client->subscribed; }));
}

int SimServer::connections() const {
  return static_cast<int>(std::count_if(clients_.begin(), clients_.end(),
                                        [](const auto& client) { return !client->dropped; }));
}

void SimServer::accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    auto client = std::make_unique<Client>();
    client->socket = socket;
    Client* raw = client.get();
    clients_.push_back(std::move(client));
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, raw] { receive(*raw); });
    QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, raw] { drop(*raw); });
    const std::string hello = simlink::encodeLine(simlink::helloFields());
    socket->write(hello.data(), static_cast<qint64>(hello.size()));
  }
}

void SimServer::receive(Client& client) {
  const QByteArray bytes = client.socket->readAll();
  if (!client.reader.append(
          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    log("Verbindung getrennt: Die Gegenstelle spricht nicht das Protokoll des Simulators.");
    client.socket->abort();
    return;
  }
  while (auto line = client.reader.nextLine()) {
    if (client.dropped) {
      return;
    }
    const Fields fields = simlink::decodeLine(*line);
    if (fields[0] == simlink::kCall && fields.size() >= 3) {
      handleCall(client, fields);
    } else if (fields[0] == simlink::kAck && fields.size() == 2) {
      acknowledge(client, fields);
    }
  }
}

void SimServer::drop(Client& client) {
  if (client.dropped) {
    return;
  }
  client.dropped = true;
  if (client.subscribed) {
    client.subscribed = false;
    log("Empfänger getrennt.");
  }
  stopAwaiting(client);
  QObject::disconnect(client.socket, nullptr, nullptr, nullptr);
  client.socket->deleteLater();
  Client* raw = &client;
  QMetaObject::invokeMethod(
      &server_,
      [this, raw] {
        clients_.erase(std::find_if(clients_.begin(), clients_.end(),
                                    [raw](const auto& held) { return held.get() == raw; }));
      },
      Qt::QueuedConnection);
  changed();
}

void SimServer::handleCall(Client& client, const Fields& call) {
  bool ok = true;
  Fields values = answer(client, call[2], call, ok);
  Fields reply{std::string(simlink::kReply), call[1],
               std::string(ok ? simlink::kOk : simlink::kFailed)};
  reply.insert(reply.end(), values.begin(), values.end());
  const std::string line = simlink::encodeLine(reply);
  client.socket->write(line.data(), static_cast<qint64>(line.size()));
}

Fields SimServer::answer(Client& client, const std::string& operation, const Fields& call,
                         bool& ok) {
  if (operation == simlink::kOpAppVersionText) {
    return {versionText_};
  }
  if (operation == simlink::kOpCurrentPartProg) {
    return {std::to_string(programHandle_)};
  }
  if (operation == simlink::kOpPartProgName) {
    const auto handle = call.size() == 4 ? simlink::parseInteger(call[3]) : std::nullopt;
    const auto found = handle ? programNames_.find(*handle) : programNames_.end();
    if (found != programNames_.end()) {
      return {found->second};
    }
    ok = false;
    return {"Unbekanntes Messprogramm."};
  }
  if (operation == simlink::kOpSubscribe || operation == simlink::kOpUnsubscribe) {
    const bool subscribe = operation == simlink::kOpSubscribe;
    if (client.subscribed != subscribe) {
      client.subscribed = subscribe;
      log(subscribe ? "Empfänger angemeldet." : "Empfänger abgemeldet.");
      if (!subscribe) {
        stopAwaiting(client);
      }
      changed();
    }
    return {};
  }
  ok = false;
  return {"Unbekannter Aufruf \"" + operation + "\"."};
}

void SimServer::acknowledge(Client& client, const Fields& ack) {
  if (ack[1] == std::to_string(sequence_)) {
    stopAwaiting(client);
  }
}

void SimServer::stopAwaiting(Client& client) {
  if (awaiting_.erase(&client) > 0 && awaiting_.empty()) {
    scheduleStep(pauseMs_);
  }
}

void SimServer::scheduleStep(int delay) { stepTimer_.start(delay); }

void SimServer::step() {
  if (!awaiting_.empty() || !executor_) {
    return;
  }
  const std::string run = "Lauf " + std::to_string(runNumber_) + ": ";
  if (inRun_ && nextCommand_ < commands_.size()) {
    const CommandRecord& command = commands_[nextCommand_++];
    const simlink::ObjectEvent event{sequence_ + 1, programHandle_, command};
    sendEvent(simlink::objectEventFields(event),
              run + "OnObjectExecuted " + program::describeExecuted(command));
    return;
  }
  if (inRun_) {
    inRun_ = false;
    commands_.clear();
    log("Lauf " + std::to_string(runNumber_) + " beendet.");
  }
  if (runsQueued_ == 0) {
    changed();
    return;
  }
  --runsQueued_;
  inRun_ = true;
  commands_ = executor_->run(++runNumber_);
  nextCommand_ = 0;
  const simlink::StartEvent event{sequence_ + 1, programHandle_};
  sendEvent(simlink::startEventFields(event), "Lauf " + std::to_string(runNumber_) +
                                                  ": OnStartExecution " +
                                                  executor_->program().partProgName);
  changed();
}

void SimServer::sendEvent(const Fields& event, const std::string& logText) {
  ++sequence_;
  const std::string line = simlink::encodeLine(event);
  for (const auto& client : clients_) {
    if (client->subscribed) {
      client->socket->write(line.data(), static_cast<qint64>(line.size()));
      awaiting_.insert(client.get());
    }
  }
  log(logText);
  if (awaiting_.empty()) {
    scheduleStep(pauseMs_);
  }
}

void SimServer::log(const std::string& line) const {
  if (onLog) {
    onLog(line);
  }
}

void SimServer::changed() const {
  if (onChange) {
    onChange();
  }
}

}  // namespace kvotlk::sim
