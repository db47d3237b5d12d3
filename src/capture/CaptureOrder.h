#pragma once

#include <string>

#include "state/OrderForm.h"

namespace kvotlk {

// What the capture engine needs of the order it captures for: the order window's nest
// check box and sample size, its return when the capture window closes, and the send.
// The order engine answers; benchmarks and tools without windows use NullCaptureOrder.
class CaptureOrder {
 public:
  virtual ~CaptureOrder() = default;

  // The order window's chkNest as it is now: kUnchecked, kChecked or kGrayed.
  virtual int nestState() = 0;
  // The increase question raised the sample size; the order window's txt_Probenumfang
  // shows it.
  virtual void sampleSizeRaised(const std::string& size) = 0;
  // The capture window closes: the order window shows again, not modal.
  virtual void captureClosing() = 0;
  // Writes and delivers the result file; true when it was written, so the capture window
  // closes.
  virtual bool sendResultFile() = 0;
};

// An order without a window: the nest check box as set here, nothing sent.
class NullCaptureOrder final : public CaptureOrder {
 public:
  int nestState() override { return chkNest; }
  void sampleSizeRaised(const std::string& /*size*/) override {}
  void captureClosing() override {}
  bool sendResultFile() override { return false; }

  int chkNest = kUnchecked;
};

}  // namespace kvotlk
