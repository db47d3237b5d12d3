#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "FakeKalveroServer.h"
#include "platform/windows/ComApartment.h"
#include "platform/windows/DispatchObject.h"

namespace kvotlk::test {
namespace {

using windows::BusyRetryFilter;
using windows::Variant;

// A by-reference variant pointing at the value inside `target`.
VARIANT byReference(const Variant& target) {
  VARIANT reference;
  reference.vt = VT_VARIANT | VT_BYREF;
  reference.pvarVal = const_cast<VARIANT*>(&target.get());
  return reference;
}

// What the binding makes of a value, read through a reference: text (nullptr: not
// checked, the locale decides it), Boolean, whole number (rounded half to even, nullopt
// out of range), real. Objects: only an object counts, each reference is given back.
TEST(VariantConversion, AsALateBoundCallerReadsThem) {
  using Case = std::tuple<Variant, const char*, std::optional<bool>, std::optional<std::int32_t>,
                          std::optional<double>>;
  const Case cases[] = {{textValue(nullptr), "", std::nullopt, std::nullopt, std::nullopt},
                        {emptyValue(VT_EMPTY), "", false, 0, 0.0},
                        {emptyValue(VT_NULL), "", false, std::nullopt, std::nullopt},
                        {numberValue(VT_R8, 2.5), nullptr, true, 2, 2.5},
                        {numberValue(VT_R8, 3e9), nullptr, true, std::nullopt, 3e9}};
  for (const auto& [held, text, flag, whole, real] : cases) {
    const VARIANT value = byReference(held);
    EXPECT_EQ(windows::textOf(value), text != nullptr ? text : windows::textOf(value));
    EXPECT_EQ(windows::boolOf(value), flag) << held.get().vt;
    EXPECT_EQ(windows::int32Of(value), whole) << held.get().vt;
    EXPECT_EQ(windows::doubleOf(value), real) << held.get().vt;
    EXPECT_FALSE(windows::objectOf(value)) << held.get().vt;
  }

  auto object = ComPtr<FakeObject>::adopt(new FakeObject(std::make_shared<FakeServerLife>()));
  Variant held = objectValue(object.get());
  Variant unknown;
  VARIANT* const slot = unknown.put();
  slot->vt = VT_UNKNOWN;
  object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&slot->punkVal));
  EXPECT_EQ(windows::objectOf(byReference(held)).get(), object.get());
  EXPECT_EQ(windows::objectOf(unknown.get()).get(), object.get());
  EXPECT_FALSE(windows::objectOf(emptyValue(VT_DISPATCH).get()));
  held = Variant();
  unknown = Variant();
  EXPECT_EQ(object->references(), 1U);
}

TEST(GoneResults, OnlyAnEndedServerCounts) {
  for (const HRESULT gone :
       {RPC_E_DISCONNECTED, HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE),
        HRESULT_FROM_WIN32(RPC_S_CALL_FAILED), HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE),
        RPC_E_SERVER_DIED, RPC_E_SERVER_DIED_DNE, CO_E_OBJNOTCONNECTED, CO_E_SERVER_STOPPING}) {
    EXPECT_TRUE(windows::isGoneResult(gone)) << std::hex << gone;
  }
  for (const HRESULT other : {S_OK, E_FAIL, DISP_E_EXCEPTION, RPC_E_CALL_REJECTED}) {
    EXPECT_FALSE(windows::isGoneResult(other)) << std::hex << other;
  }
}

// A busy server (a dialog of the CMM software is open) is retried; the operator hears of
// the wait after half a second, and consecutive rejected calls wait 30 s together at most.
TEST(BusyRetryFilter, WaitsBoundedOverConsecutiveCallsAndTellsTheOperator) {
  constexpr auto cancel = static_cast<DWORD>(-1);
  constexpr DWORD retry = BusyRetryFilter::kRetryDelayMs;
  ULONGLONG now = 5000;
  std::vector<bool> told;
  const auto filter = ComPtr<BusyRetryFilter>::adopt(new BusyRetryFilter([&now] { return now; }));
  filter->setObserver([&told](bool waiting) { told.push_back(waiting); });
  const auto rejected = [&filter](DWORD waitedMs) {
    return filter->RetryRejectedCall(nullptr, waitedMs, SERVERCALL_RETRYLATER);
  };
  EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), cancel);
  EXPECT_EQ(rejected(400), retry);
  EXPECT_TRUE(told.empty());
  now += 100;
  EXPECT_EQ(rejected(500), retry);
  EXPECT_EQ(told, (std::vector<bool>{true}));
  now += 29499;
  EXPECT_EQ(rejected(29999), retry);
  filter->callReturned(S_OK);
  EXPECT_EQ(told, (std::vector<bool>{true, false}));

  // The next busy time: from its first rejection, the following calls share the limit.
  EXPECT_EQ(rejected(0), retry);
  now += 20000;
  filter->callReturned(RPC_E_CALL_REJECTED);
  now += 10000;
  EXPECT_EQ(rejected(10000), cancel);
  filter->callReturned(RPC_E_CALL_REJECTED);
  EXPECT_EQ(rejected(0), cancel);
  filter->callReturned(S_OK);
  EXPECT_EQ(rejected(0), retry);
}

// On a fresh thread it opens a single-threaded apartment with the busy-retry filter and
// closes both at the end; an apartment the thread opened before stays open.
TEST(ComApartment, OpensItsOwnOrKeepsTheThreadsOwn) {
  for (const bool openedBefore : {false, true}) {
    std::thread([openedBefore] {
      ASSERT_TRUE(!openedBefore || CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) == S_OK);
      {
        const windows::ComApartment apartment;
        ComPtr<IMessageFilter> current;
        EXPECT_TRUE(SUCCEEDED(CoRegisterMessageFilter(nullptr, current.put())) && current);
        CoRegisterMessageFilter(current.get(), nullptr);
      }
      EXPECT_EQ(SUCCEEDED(CoRegisterMessageFilter(nullptr, nullptr)), openedBefore);
      if (openedBefore) {
        CoUninitialize();
      }
    }).join();
  }
}

}  // namespace
}  // namespace kvotlk::test
