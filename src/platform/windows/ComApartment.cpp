#include "platform/windows/ComApartment.h"

#include <objbase.h>

namespace kvotlk::windows {

BusyRetryFilter::BusyRetryFilter(DWORD retryForMs) : retryForMs_(retryForMs) {}

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
  if (rejectType == SERVERCALL_RETRYLATER && tickCount < retryForMs_) {
    return kRetryDelayMs;
  }
  return static_cast<DWORD>(-1);
}

// Window messages go on being dispatched while a call waits, so the program's windows
// stay painted.
DWORD STDMETHODCALLTYPE BusyRetryFilter::MessagePending(HTASK /*callee*/, DWORD /*tickCount*/,
                                                        DWORD /*pendingType*/) {
  return PENDINGMSG_WAITDEFPROCESS;
}

ComApartment::ComApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (result == RPC_E_CHANGED_MODE) {
    usable_ = true;
    borrowed_ = true;
    return;
  }
  if (FAILED(result)) {
    return;
  }
  usable_ = true;
  mustUninitialize_ = true;
  auto* const filter = new BusyRetryFilter();
  filterRegistered_ = SUCCEEDED(CoRegisterMessageFilter(filter, previousFilter_.put()));
  filter->Release();
}

ComApartment::~ComApartment() {
  if (filterRegistered_) {
    ComPtr<IMessageFilter> ours;
    CoRegisterMessageFilter(previousFilter_.get(), ours.put());
  }
  previousFilter_.reset();
  if (mustUninitialize_) {
    CoUninitialize();
  }
}

}  // namespace kvotlk::windows
