#include "platform/windows/ComApartment.h"

#include <objbase.h>

#include <algorithm>

namespace kvotlk::windows {
namespace {

constexpr auto kCancelCall = static_cast<DWORD>(-1);

}  // namespace

BusyRetryFilter::BusyRetryFilter(Clock clock) : clock_(std::move(clock)) {}

HRESULT STDMETHODCALLTYPE BusyRetryFilter::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
    *object = static_cast<IMessageFilter*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE BusyRetryFilter::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE BusyRetryFilter::Release() {
  const ULONG left = --references_;
  if (left == 0) {
    delete this;
  }
  return left;
}

DWORD STDMETHODCALLTYPE BusyRetryFilter::HandleInComingCall(DWORD /*callType*/, HTASK /*caller*/,
                                                            DWORD /*tickCount*/,
                                                            LPINTERFACEINFO /*info*/) {
  return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE BusyRetryFilter::RetryRejectedCall(HTASK /*callee*/, DWORD tickCount,
                                                           DWORD rejectType) {
  if (rejectType != SERVERCALL_RETRYLATER) {
    return kCancelCall;
  }
  const ULONGLONG now = clock_();
  if (!busySince_) {
    busySince_ = now - std::min<ULONGLONG>(tickCount, now);
  }
  const ULONGLONG waited = now - *busySince_;
  if (waited >= kWaitLimitMs) {
    tell(false);
    return kCancelCall;
  }
  if (waited >= kNoticeAfterMs) {
    tell(true);
  }
  return kRetryDelayMs;
}

// Window messages go on being dispatched while a call waits, so the program's windows
// stay painted.
DWORD STDMETHODCALLTYPE BusyRetryFilter::MessagePending(HTASK /*callee*/, DWORD /*tickCount*/,
                                                        DWORD /*pendingType*/) {
  return PENDINGMSG_WAITDEFPROCESS;
}

void BusyRetryFilter::callReturned(HRESULT result) {
  if (result != RPC_E_CALL_REJECTED) {
    busySince_.reset();
  }
  tell(false);
}

void BusyRetryFilter::tell(bool waiting) {
  if (waiting != waiting_) {
    waiting_ = waiting;
    if (observer_) {
      observer_(waiting);
    }
  }
}

ComApartment::ComApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (result == RPC_E_CHANGED_MODE) {
    problem_ =
        "Die Verbindung zu Kalvero ist nicht möglich: COM läuft im Konverter als "
        "Multithread-Apartment. Bitte den Support verständigen.";
    return;
  }
  if (FAILED(result)) {
    return;
  }
  usable_ = true;
  mustUninitialize_ = true;
  filter_ = ComPtr<BusyRetryFilter>::adopt(new BusyRetryFilter());
  filterRegistered_ = SUCCEEDED(CoRegisterMessageFilter(filter_.get(), previousFilter_.put()));
}

ComApartment::~ComApartment() {
  if (filterRegistered_) {
    ComPtr<IMessageFilter> ours;
    CoRegisterMessageFilter(previousFilter_.get(), ours.put());
  }
  previousFilter_.reset();
  filter_.reset();
  if (mustUninitialize_) {
    CoUninitialize();
  }
}

void ComApartment::setWaitObserver(std::function<void(bool waiting)> observer) {
  if (filter_) {
    filter_->setObserver(std::move(observer));
  }
}

void ComApartment::callReturned(HRESULT result) {
  if (filter_) {
    filter_->callReturned(result);
  }
}

void ComApartment::endWait() {
  if (filter_) {
    filter_->endWait();
  }
}

}  // namespace kvotlk::windows
