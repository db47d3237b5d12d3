#pragma once

#include <objidl.h>

#include <atomic>

#include "platform/windows/ComPtr.h"

namespace kvotlk::windows {

// Answers a server that is busy (SERVERCALL_RETRYLATER) by retrying the call every
// retryDelayMs until retryForMs have passed; any other rejection fails at once.
class BusyRetryFilter final : public IMessageFilter {
 public:
  static constexpr DWORD kRetryDelayMs = 100;
  static constexpr DWORD kDefaultRetryForMs = 30000;

  explicit BusyRetryFilter(DWORD retryForMs = kDefaultRetryForMs);
  virtual ~BusyRetryFilter() = default;
  BusyRetryFilter(const BusyRetryFilter&) = delete;
  BusyRetryFilter& operator=(const BusyRetryFilter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                             LPINTERFACEINFO info) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                            DWORD rejectType) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

 private:
  std::atomic<ULONG> references_{1};
  DWORD retryForMs_;
};

// COM on the calling (user-interface) thread as a single-threaded apartment, with the
// busy-retry filter, for as long as the object lives. Where the thread was already
// initialised as a multithreaded apartment (by a toolkit) it is used as it is.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // False when COM could not be initialised on this thread at all.
  bool usable() const { return usable_; }
  // True when the thread was found in another apartment mode.
  bool borrowed() const { return borrowed_; }

 private:
  bool usable_ = false;
  bool borrowed_ = false;
  bool mustUninitialize_ = false;
  bool filterRegistered_ = false;
  ComPtr<IMessageFilter> previousFilter_;
};

}  // namespace kvotlk::windows
