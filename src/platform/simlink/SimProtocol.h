#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kalvero/CommandRecord.h"

// The protocol between the converter's link and the simulated CMM software kalvero-sim,
// plain C++ so that both sides and their tests share it. A message is one line of UTF-8
// ending in LF; its fields are separated by TAB, and backslash, TAB, LF and CR inside a
// field are written \\, \t, \n and \r. docs/simulator.md describes the messages.
namespace kvotlk::simlink {

// The local endpoint under which a running simulator is found.
inline constexpr const char* kDefaultEndpoint = "kalvero-sim";
inline constexpr int kProtocolVersion = 1;
// A longer line means the peer does not speak this protocol.
inline constexpr std::size_t kMaxLineLength = std::size_t{1024} * 1024;

// Message words.
inline constexpr std::string_view kHello = "HELLO";
inline constexpr std::string_view kCall = "CALL";
inline constexpr std::string_view kReply = "REPLY";
inline constexpr std::string_view kStart = "START";
inline constexpr std::string_view kObject = "OBJECT";
inline constexpr std::string_view kAck = "ACK";
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kFailed = "FEHLER";

// Operations of a call.
inline constexpr std::string_view kOpAppVersionText = "AppVersionText";
inline constexpr std::string_view kOpCurrentPartProg = "CurrentPartProg";
inline constexpr std::string_view kOpPartProgName = "PartProgName";
inline constexpr std::string_view kOpSubscribe = "Subscribe";
inline constexpr std::string_view kOpUnsubscribe = "Unsubscribe";

using Fields = std::vector<std::string>;

// The fields as one line, LF included.
std::string encodeLine(const Fields& fields);
// The fields of a line given without its LF.
Fields decodeLine(std::string_view line);

// Collects received bytes and hands out complete lines (without LF; a CR before the LF is
// dropped too).
class LineReader {
 public:
  // False once a line has grown beyond kMaxLineLength; the reader then takes nothing more.
  bool append(std::string_view bytes);
  std::optional<std::string> nextLine();

 private:
  std::string buffer_;
  std::size_t start_ = 0;
  bool overflow_ = false;
};

std::string formatReal(double value);
std::optional<double> parseReal(std::string_view text);
std::optional<std::int64_t> parseInteger(std::string_view text);

// OnStartExecution: the event's number and the part program's handle (never 0).
struct StartEvent {
  std::int64_t sequence = 0;
  std::int64_t program = 0;
};

// OnObjectExecuted: the event's number, the part program's handle and everything the
// converter reads of the executed command.
struct ObjectEvent {
  std::int64_t sequence = 0;
  std::int64_t program = 0;
  CommandRecord command;
};

Fields startEventFields(const StartEvent& event);
Fields objectEventFields(const ObjectEvent& event);
// Nullopt when the fields are not a well-formed event of that kind.
std::optional<StartEvent> parseStartEvent(const Fields& fields);
std::optional<ObjectEvent> parseObjectEvent(const Fields& fields);

Fields helloFields();
// Whether the fields greet with this protocol's version.
bool isHello(const Fields& fields);

}  // namespace kvotlk::simlink
