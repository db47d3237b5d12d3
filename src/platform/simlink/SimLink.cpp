#include "platform/simlink/SimLink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>

#include "platform/simlink/SimLinkObjects.h"

namespace kvotlk::simlink {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kHelloTimeoutMs = 2000;

// An event has at least its word and its number, which the acknowledgement repeats.
bool isEvent(const Fields& fields) {
  return fields.size() >= 2 && (fields[0] == kStart || fields[0] == kObject);
}

// Waits for the simulator's greeting line.
bool greeted(QLocalSocket& socket) {
  LineReader reader;
  const QDeadlineTimer deadline(kHelloTimeoutMs);
  while (true) {
    const QByteArray bytes = socket.readAll();
    if (!reader.append(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
      return false;
    }
    if (auto line = reader.nextLine()) {
      return isHello(decodeLine(*line));
    }
    if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      return false;
    }
  }
}

}  // namespace

std::shared_ptr<SimLink> SimLink::open(const QString& endpoint) {
  if (QCoreApplication::instance() == nullptr) {
    return nullptr;
  }
  auto socket = std::make_unique<QLocalSocket>();
  socket->connectToServer(endpoint);
  if (!socket->waitForConnected(kConnectTimeoutMs) || !greeted(*socket)) {
    return nullptr;
  }
  std::shared_ptr<SimLink> link(new SimLink(socket.release()));
  link->watchSocket();
  return link;
}

SimLink::SimLink(QLocalSocket* socket) : socket_(socket) {}

SimLink::~SimLink() {
  QObject::disconnect(socket_, nullptr, nullptr, nullptr);
  socket_->abort();
  delete socket_;
}

void SimLink::watchSocket() {
  QObject::connect(socket_, &QLocalSocket::readyRead, socket_, [this] {
    readAvailable();
    if (!inCall_) {
      postPump();
    }
  });
  QObject::connect(socket_, &QLocalSocket::disconnected, socket_, [this] { markGone(); });
  QObject::connect(socket_, &QLocalSocket::errorOccurred, socket_,
                   [this](QLocalSocket::LocalSocketError) {
                     if (socket_->state() != QLocalSocket::ConnectedState) {
                       markGone();
                     }
                   });
}

void SimLink::readAvailable() {
  const QByteArray bytes = socket_->readAll();
  if (!reader_.append(
          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    markGone();
    return;
  }
  while (auto line = reader_.nextLine()) {
    inbox_.push_back(decodeLine(*line));
  }
}

std::optional<Fields> SimLink::takeReply(const std::string& id) {
  for (auto it = inbox_.begin(); it != inbox_.end(); ++it) {
    if (it->size() >= 3 && (*it)[0] == kReply && (*it)[1] == id) {
      Fields reply = std::move(*it);
      inbox_.erase(it);
      return reply;
    }
  }
  return std::nullopt;
}

bool SimLink::send(const Fields& fields) {
  if (gone_) {
    return false;
  }
  const std::string line = encodeLine(fields);
  const auto size = static_cast<qint64>(line.size());
  if (socket_->write(line.data(), size) != size) {
    markGone();
    return false;
  }
  socket_->flush();
  return true;
}

std::optional<Fields> SimLink::call(std::string_view operation, const Fields& arguments) {
  const std::string id = std::to_string(++lastCallId_);
  Fields request{std::string(kCall), id, std::string(operation)};
  request.insert(request.end(), arguments.begin(), arguments.end());
  if (!send(request)) {
    return std::nullopt;
  }
  inCall_ = true;
  const QDeadlineTimer deadline(kCallTimeoutMs);
  auto reply = takeReply(id);
  while (!reply && !gone_) {
    const bool more = socket_->waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    readAvailable();
    reply = takeReply(id);
    if (!more && !reply) {
      markGone();
    }
  }
  inCall_ = false;
  if (!inbox_.empty() || gone_) {
    postPump();
  }
  if (!reply || (*reply)[2] != kOk) {
    return std::nullopt;
  }
  return Fields(reply->begin() + 3, reply->end());
}

bool SimLink::subscribe(KvoEventSink& sink) {
  if (!call(kOpSubscribe)) {
    return false;
  }
  sink_ = &sink;
  return true;
}

void SimLink::unsubscribe() {
  if (sink_ == nullptr) {
    return;
  }
  sink_ = nullptr;
  call(kOpUnsubscribe);
}

void SimLink::markGone() {
  if (gone_) {
    return;
  }
  gone_ = true;
  socket_->abort();
  postPump();
}

void SimLink::postPump() {
  auto* application = QCoreApplication::instance();
  if (pumpPosted_ || application == nullptr) {
    return;
  }
  pumpPosted_ = true;
  const std::weak_ptr<SimLink> weak = weak_from_this();
  QMetaObject::invokeMethod(
      application,
      [weak] {
        if (auto link = weak.lock()) {
          link->pumpPosted_ = false;
          link->pump();
        }
      },
      Qt::QueuedConnection);
}

void SimLink::pump() {
  if (inCall_ || delivering_) {
    return;
  }
  // A handler may drop the last outside reference; the link lives until the pump ends.
  const auto self = shared_from_this();
  while (!inbox_.empty()) {
    const Fields message = std::move(inbox_.front());
    inbox_.pop_front();
    if (isEvent(message)) {
      handleEvent(message);
    }
  }
  if (gone_ && sink_ != nullptr && !goneNoticeDelivered_) {
    deliverGoneNotice();
  }
}

void SimLink::handleEvent(const Fields& event) {
  delivering_ = true;
  if (sink_ != nullptr) {
    if (const auto start = parseStartEvent(event)) {
      sink_->OnStartExecution(std::make_shared<SimPartProgram>(shared_from_this(), start->program));
    } else if (const auto object = parseObjectEvent(event)) {
      const auto self = shared_from_this();
      sink_->OnObjectExecuted(std::make_shared<SimPartProgram>(self, object->program),
                              std::make_shared<SimCommand>(self, object->command));
    }
  }
  delivering_ = false;
  // Acknowledged also when nobody listens or the event was not understood: the simulator
  // must not wait for an answer that never comes.
  send({std::string(kAck), event[1]});
}

void SimLink::deliverGoneNotice() {
  goneNoticeDelivered_ = true;
  delivering_ = true;
  sink_->OnStartExecution(std::make_shared<SimPartProgram>(shared_from_this(), 0));
  delivering_ = false;
}

}  // namespace kvotlk::simlink
