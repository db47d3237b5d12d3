#pragma once

#include <optional>
#include <string>

// The confirmation of an order ("&OK" of the main window): the fixed sequence of checks
// and the steps that follow a successful one.
namespace kvotlk {

struct Environment;
struct CaptureData;
struct modGlobaleVariablen;
struct OrderForm;
class Prompts;

// How a failed check is shown: a stop message, or the one plain message without icon of
// the sample-size check.
enum class MessageKind { Stop, Plain };

struct OrderFailure {
  std::string message;
  MessageKind kind = MessageKind::Stop;

  bool operator==(const OrderFailure&) const = default;
};

// Runs the checks in their order and answers the first failure, or nullopt when all pass.
// The order variables are assigned at their own steps, so a failure part-way leaves the
// ones assigned before it. Attaches to the CMM software and fetches its open measuring
// program as the last two checks. Shows nothing itself.
std::optional<OrderFailure> ConfirmOrder(Environment& env, modGlobaleVariablen& g,
                                         const OrderForm& form);

// Shows a failure through the prompts port with its kind.
void ShowOrderFailure(Prompts& prompts, const OrderFailure& failure);

// Success steps of the confirmation, which the order engine calls in this order around
// opening the capture window:
// 1. SaveOrderValues (OrderValuesFile.h);
// 2. ResetSamples;
// 3. the capture window is loaded and shown, the main window hidden;
// 4. ReadNestnummerAmMerkmal.

// arrStichproben becomes one empty sample record at index 0; no characteristic is counted.
void ResetSamples(CaptureData& g);

// intNestnummerAmMerkmal := setting NestnummerAmMerkmal.
void ReadNestnummerAmMerkmal(Environment& env, modGlobaleVariablen& g);

}  // namespace kvotlk
