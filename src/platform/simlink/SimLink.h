#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "kalvero/KalveroPort.h"
#include "platform/simlink/SimProtocol.h"

class QLocalSocket;
class QString;

namespace kvotlk::simlink {

// One connection to a running simulator, shared by every object taken from it. Calls
// block until the simulator answers. Events are handed to the sink from the user-interface
// thread's event loop, one at a time and never inside a call or inside another event's
// handler, and acknowledged when the handler returns; the simulator holds its run until
// then. Once the simulator has gone (it quit, was killed, broke the protocol or did not
// answer in time) every call answers nullopt, and a connected sink gets one last
// OnStartExecution whose part program no longer answers, so that it notices at once.
class SimLink : public std::enable_shared_from_this<SimLink> {
 public:
  // Connects and checks the simulator's greeting; nullptr when no simulator answers.
  static std::shared_ptr<SimLink> open(const QString& endpoint);
  ~SimLink();
  SimLink(const SimLink&) = delete;
  SimLink& operator=(const SimLink&) = delete;
  SimLink(SimLink&&) = delete;
  SimLink& operator=(SimLink&&) = delete;

  bool alive() const { return !gone_; }
  // The reply's values, or nullopt when the simulator has gone, refused the call or did not
  // answer within the call timeout.
  std::optional<Fields> call(std::string_view operation, const Fields& arguments = {});
  // Subscribes the sink to the events; false when the simulator refused or has gone.
  bool subscribe(KvoEventSink& sink);
  // Ends the subscription; harmless when none is made or the simulator has gone.
  void unsubscribe();

  // Milliseconds a call waits for its reply.
  static constexpr int kCallTimeoutMs = 5000;

 private:
  explicit SimLink(QLocalSocket* socket);
  void watchSocket();
  void readAvailable();
  std::optional<Fields> takeReply(const std::string& id);
  bool send(const Fields& fields);
  void markGone();
  void postPump();
  void pump();
  void handleEvent(const Fields& event);
  void deliverGoneNotice();

  QLocalSocket* socket_;
  LineReader reader_;
  std::deque<Fields> inbox_;
  KvoEventSink* sink_ = nullptr;
  std::int64_t lastCallId_ = 0;
  bool gone_ = false;
  bool inCall_ = false;
  bool delivering_ = false;
  bool pumpPosted_ = false;
  bool goneNoticeDelivered_ = false;
};

}  // namespace kvotlk::simlink
