#include "simlink/RawClient.h"

#include "simlink/SimTestSupport.h"

namespace kvotlk::test {

RawClient::RawClient(const std::string& endpoint) {
  QObject::connect(&socket_, &QLocalSocket::readyRead, &socket_, [this] { read(); });
  socket_.connectToServer(QString::fromStdString(endpoint));
}

void RawClient::send(const simlink::Fields& fields) { sendRaw(simlink::encodeLine(fields)); }

void RawClient::sendRaw(const std::string& bytes) {
  socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
  socket_.flush();
}

void RawClient::read() {
  const QByteArray bytes = socket_.readAll();
  reader_.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  while (auto line = reader_.nextLine()) {
    lines_.push_back(simlink::decodeLine(*line));
  }
}

std::optional<simlink::Fields> RawClient::next(int timeoutMs) {
  if (!waitUntil([this] { return !lines_.empty(); }, timeoutMs)) {
    return std::nullopt;
  }
  simlink::Fields line = std::move(lines_.front());
  lines_.pop_front();
  return line;
}

bool RawClient::quietFor(int milliseconds) {
  spin(milliseconds);
  return lines_.empty();
}

simlink::Fields RawClient::call(const std::string& id, const simlink::Fields& request) {
  simlink::Fields fields{"CALL", id};
  fields.insert(fields.end(), request.begin(), request.end());
  send(fields);
  return next().value_or(simlink::Fields{"keine Antwort"});
}

bool RawClient::waitDisconnected() {
  return waitUntil([this] { return socket_.state() == QLocalSocket::UnconnectedState; });
}

}  // namespace kvotlk::test
