#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include <functional>
#include <thread>

#include "FakeKalveroServer.h"
#include "platform/windows/ComApartment.h"
#include "platform/windows/DispatchObject.h"
#include "platform/windows/Variant.h"

namespace kvotlk::test {
namespace {

using windows::BusyRetryFilter;
using windows::ComApartment;
using windows::Variant;

// A by-reference variant pointing at the value inside `target`.
VARIANT byReference(const Variant& target) {
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_VARIANT | VT_BYREF;
  reference.pvarVal = const_cast<VARIANT*>(&target.get());
  return reference;
}

TEST(VariantConversion, Text) {
  EXPECT_EQ(windows::textOf(textValue(L"Pr\u00fcfer \u00d8").get()),
            "Pr\xC3\xBC"
            "fer \xC3\x98");
  EXPECT_EQ(windows::textOf(textValue(nullptr).get()), "");
  EXPECT_EQ(windows::textOf(emptyValue(VT_EMPTY).get()), "");
  EXPECT_EQ(windows::textOf(emptyValue(VT_NULL).get()), "");
  EXPECT_EQ(windows::textOf(numberValue(VT_I4, 4711).get()), "4711");
  const Variant inner = textValue(L"101");
  EXPECT_EQ(windows::textOf(byReference(inner)), "101");
}

TEST(VariantConversion, Boolean) {
  EXPECT_EQ(windows::boolOf(boolValue(true).get()), true);
  EXPECT_EQ(windows::boolOf(boolValue(false).get()), false);
  EXPECT_EQ(windows::boolOf(numberValue(VT_I2, 5).get()), true);
  EXPECT_EQ(windows::boolOf(numberValue(VT_I4, 0).get()), false);
  EXPECT_EQ(windows::boolOf(emptyValue(VT_EMPTY).get()), false);
  EXPECT_EQ(windows::boolOf(emptyValue(VT_NULL).get()), false);
  EXPECT_EQ(windows::boolOf(textValue(L"kein Wahrheitswert").get()), std::nullopt);
}

struct NumberCase {
  VARTYPE type;
  double value;
  std::optional<std::int32_t> asInt32;
  std::optional<double> asDouble;
};

TEST(VariantConversion, Numbers) {
  const NumberCase cases[] = {
      {VT_I2, -3, -3, -3.0},
      {VT_I4, 2147483647, 2147483647, 2147483647.0},
      {VT_UI1, 200, 200, 200.0},
      {VT_R4, 0.25, 0, 0.25},
      {VT_R8, 2.5, 2, 2.5},
      {VT_R8, 3.5, 4, 3.5},
      {VT_R8, 3e9, std::nullopt, 3e9},
      {VT_CY, 12.5, 12, 12.5},
      {VT_DECIMAL, -7.75, -8, -7.75},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.type);
    const Variant v = numberValue(c.type, c.value);
    EXPECT_EQ(windows::int32Of(v.get()), c.asInt32);
    EXPECT_EQ(windows::doubleOf(v.get()), c.asDouble);
    EXPECT_EQ(windows::doubleOf(byReference(v)), c.asDouble);
  }
  EXPECT_EQ(windows::int32Of(emptyValue(VT_EMPTY).get()), 0);
  EXPECT_EQ(windows::doubleOf(emptyValue(VT_EMPTY).get()), 0.0);
  EXPECT_EQ(windows::int32Of(emptyValue(VT_NULL).get()), std::nullopt);
  EXPECT_EQ(windows::doubleOf(emptyValue(VT_NULL).get()), std::nullopt);
  EXPECT_EQ(windows::doubleOf(textValue(L"Messwert").get()), std::nullopt);
}

TEST(VariantConversion, Objects) {
  auto object = ComPtr<FakeObject>::adopt(new FakeObject(std::make_shared<FakeServerLife>()));
  IDispatch* const dispatch = object.get();
  Variant held = objectValue(dispatch);
  EXPECT_EQ(windows::objectOf(held.get()).get(), dispatch);
  EXPECT_EQ(windows::objectOf(byReference(held)).get(), dispatch);
  Variant unknown = emptyValue(VT_UNKNOWN);
  const_cast<VARIANT&>(unknown.get()).punkVal = dispatch;
  dispatch->AddRef();
  EXPECT_EQ(windows::objectOf(unknown.get()).get(), dispatch);
  const ULONG references = object->references();

  EXPECT_FALSE(windows::objectOf(emptyValue(VT_DISPATCH).get()));
  EXPECT_FALSE(windows::objectOf(emptyValue(VT_EMPTY).get()));
  EXPECT_FALSE(windows::objectOf(emptyValue(VT_NULL).get()));
  EXPECT_FALSE(windows::objectOf(numberValue(VT_I4, 1).get()));
  held = Variant();
  unknown = Variant();
  EXPECT_EQ(object->references(), references - 2);
}

TEST(GoneResults, OnlyAnEndedServerCounts) {
  const HRESULT gone[] = {RPC_E_DISCONNECTED, HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE),
                          RPC_E_SERVER_DIED, RPC_E_SERVER_DIED_DNE, CO_E_OBJNOTCONNECTED};
  const HRESULT other[] = {S_OK,
                           E_FAIL,
                           DISP_E_EXCEPTION,
                           DISP_E_MEMBERNOTFOUND,
                           RPC_E_CALL_REJECTED,
                           RPC_E_SERVERCALL_RETRYLATER};
  for (const HRESULT result : gone) {
    EXPECT_TRUE(windows::isGoneResult(result)) << std::hex << result;
  }
  for (const HRESULT result : other) {
    EXPECT_FALSE(windows::isGoneResult(result)) << std::hex << result;
  }
}

struct RetryCase {
  DWORD elapsedMs;
  DWORD rejectType;
  DWORD answer;
};

TEST(BusyRetryFilter, RetriesABusyServerForAWhile) {
  constexpr auto cancel = static_cast<DWORD>(-1);
  const RetryCase cases[] = {
      {0, SERVERCALL_RETRYLATER, BusyRetryFilter::kRetryDelayMs},
      {29999, SERVERCALL_RETRYLATER, BusyRetryFilter::kRetryDelayMs},
      {30000, SERVERCALL_RETRYLATER, cancel},
      {0, SERVERCALL_REJECTED, cancel},
  };
  auto* const filter = new BusyRetryFilter();
  for (const RetryCase& c : cases) {
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, c.elapsedMs, c.rejectType), c.answer)
        << c.elapsedMs << " ms, type " << c.rejectType;
  }
  filter->Release();
}

// Runs the check on a thread of its own, so its apartment starts untouched.
void onFreshThread(const std::function<void()>& check) {
  std::thread thread(check);
  thread.join();
}

// The first single-threaded apartment of a process counts as its main one.
bool isSingleThreaded(APTTYPE type) { return type == APTTYPE_STA || type == APTTYPE_MAINSTA; }

APTTYPE apartmentType() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  return SUCCEEDED(CoGetApartmentType(&type, &qualifier)) ? type : APTTYPE_CURRENT;
}

// On a fresh thread it opens a single-threaded apartment with the busy-retry filter and
// closes it at the end; an apartment the thread opened before stays open, a
// multithreaded one is borrowed.
TEST(ComApartment, OpensItsOwnOrLeavesTheThreadsOwn) {
  constexpr DWORD kNone = 0xFFFFFFFFU;
  for (const DWORD before : {kNone, DWORD{COINIT_MULTITHREADED}, DWORD{COINIT_APARTMENTTHREADED}}) {
    onFreshThread([before] {
      ASSERT_TRUE(before == kNone || CoInitializeEx(nullptr, before) == S_OK) << before;
      const APTTYPE after = before == kNone ? APTTYPE_CURRENT : apartmentType();
      {
        const ComApartment apartment;
        EXPECT_TRUE(apartment.usable());
        EXPECT_EQ(apartment.borrowed(), before == COINIT_MULTITHREADED);
        EXPECT_EQ(isSingleThreaded(apartmentType()), before != COINIT_MULTITHREADED);
        if (before == kNone) {
          IMessageFilter* current = nullptr;
          ASSERT_EQ(CoRegisterMessageFilter(nullptr, &current), S_OK);
          EXPECT_NE(current, nullptr);
          IMessageFilter* none = nullptr;
          CoRegisterMessageFilter(current, &none);
          current->Release();
        }
      }
      EXPECT_EQ(apartmentType(), after) << before;
      if (before != kNone) {
        CoUninitialize();
      }
    });
  }
}

}  // namespace
}  // namespace kvotlk::test
