#pragma once

#include <windows.h>

#include <objidl.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "platform/windows/ComPtr.h"

namespace kvotlk::windows {

// Answers a server that rejects calls for a while (SERVERCALL_RETRYLATER: the CMM software
// shows a dialog of its own) by retrying every kRetryDelayMs. The wait is bounded over
// consecutive rejected calls: kWaitLimitMs after the first rejection every rejected call
// fails at once, until a call returns without rejection. After kNoticeAfterMs of waiting
// the observer hears true, so the operator sees why the converter does not react; false
// when the wait ends. Any other rejection fails at once.
class BusyRetryFilter final : public IMessageFilter {
 public:
  static constexpr DWORD kRetryDelayMs = 100;
  static constexpr ULONGLONG kNoticeAfterMs = 500;
  static constexpr ULONGLONG kWaitLimitMs = 30000;
  using Clock = std::function<ULONGLONG()>;

  explicit BusyRetryFilter(Clock clock = [] { return GetTickCount64(); });
  virtual ~BusyRetryFilter() = default;
  BusyRetryFilter(const BusyRetryFilter&) = delete;
  BusyRetryFilter& operator=(const BusyRetryFilter&) = delete;

  void setObserver(std::function<void(bool waiting)> observer) { observer_ = std::move(observer); }
  // A call has returned with this result; anything but a rejection ends the busy time.
  void callReturned(HRESULT result);
  // Calls have returned; whatever waited, waits no more.
  void endWait() { tell(false); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                             LPINTERFACEINFO info) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount,
                                            DWORD rejectType) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

 private:
  void tell(bool waiting);

  std::atomic<ULONG> references_{1};
  Clock clock_;
  std::function<void(bool)> observer_;
  // When the server first rejected a call of the current busy time.
  std::optional<ULONGLONG> busySince_;
  bool waiting_ = false;
};

// COM on the calling (user-interface) thread as a single-threaded apartment, with the
// busy-retry filter, for as long as the object lives. A thread that a toolkit made a
// multithreaded apartment is refused: the events would arrive on other threads.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool usable() const { return usable_; }
  // Why COM cannot be used on this thread, for the operator; nullopt when it can.
  const std::optional<std::string>& problem() const { return problem_; }

  void setWaitObserver(std::function<void(bool waiting)> observer);
  void callReturned(HRESULT result);
  void endWait();

 private:
  bool usable_ = false;
  std::optional<std::string> problem_;
  bool mustUninitialize_ = false;
  ComPtr<BusyRetryFilter> filter_;
  bool filterRegistered_ = false;
  ComPtr<IMessageFilter> previousFilter_;
};

}  // namespace kvotlk::windows
