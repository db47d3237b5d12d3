#pragma once

#include <QLocalSocket>
#include <deque>
#include <optional>
#include <string>

#include "platform/simlink/SimProtocol.h"

namespace kvotlk::test {

// A converter written out by hand: it speaks the protocol line by line, so tests can send
// what the link never would and see every line the simulator sends. It works through the
// event loop, so the simulator may live on the same thread.
class RawClient {
 public:
  explicit RawClient(const std::string& endpoint);

  void send(const simlink::Fields& fields);
  void sendRaw(const std::string& bytes);
  // The next line, waiting for it; nullopt when none came in time.
  std::optional<simlink::Fields> next(int timeoutMs = 10000);
  // Whether a line comes within the time.
  bool quietFor(int milliseconds);
  // Sends a call and waits for its reply.
  simlink::Fields call(const std::string& id, const simlink::Fields& request);
  // The disconnection, waiting for it.
  bool waitDisconnected();

 private:
  void read();

  QLocalSocket socket_;
  simlink::LineReader reader_;
  std::deque<simlink::Fields> lines_;
};

}  // namespace kvotlk::test
