#pragma once

#include <windows.h>

#include <oleauto.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/windows/ComPtr.h"
#include "platform/windows/WideText.h"

// The identities of the fake CMM software (tests/windows/FakeKalveroServer.h) and the type
// library of its events, made in memory.
namespace kvotlk::test {

using windows::ComPtr;

// Dispatch ids the fake's event interface gives its events; the binding must find them
// by name.
inline constexpr DISPID kFakeOnStartExecution = 7;
inline constexpr DISPID kFakeOnObjectExecuted = 9;
inline constexpr DISPID kFakeOnOtherEvent = 1;

namespace fake {

inline constexpr const char* kWindowClass = "BrannigAssociatesIncKalveroWndClass";
constexpr GUID fakeGuid(unsigned char last) {
  return {0x6D1E9A3C, 0x52B7, 0x4F0A, {0x9C, 0x1D, 0x7A, 0x2B, 0x3C, 0x4D, 0x5E, last}};
}
constexpr GUID kFakeClsid = fakeGuid(1);
constexpr GUID kLibraryGuid = fakeGuid(2);
constexpr IID kEventIid = fakeGuid(3);
constexpr GUID kSourceClassGuid = fakeGuid(5);

inline void check(HRESULT result) {
  if (FAILED(result)) {
    throw std::runtime_error("fake CMM software: " + std::to_string(result));
  }
}

// One event of a dispinterface: its name, then the names of its object parameters.
inline void addEvent(ICreateTypeInfo* info, UINT index, DISPID id,
                     std::vector<const wchar_t*> names) {
  ELEMDESC parameters[2] = {};
  parameters[0].tdesc.vt = parameters[1].tdesc.vt = VT_DISPATCH;
  FUNCDESC function{};
  function.memid = id;
  function.funckind = FUNC_DISPATCH;
  function.invkind = INVOKE_FUNC;
  function.callconv = CC_STDCALL;
  function.cParams = static_cast<SHORT>(names.size() - 1);
  function.lprgelemdescParam = parameters;
  function.elemdescFunc.tdesc.vt = VT_VOID;
  check(info->AddFuncDesc(index, &function));
  check(info->SetFuncAndParamNames(index, const_cast<LPOLESTR*>(names.data()),
                                   static_cast<UINT>(names.size())));
}

// A type library made in memory: the event interface and the event source's class,
// which names it as its default source. Registered, it is saved as a file first.
inline ComPtr<ITypeInfo> buildClassInfo(bool registered) {
  const std::wstring file = (std::filesystem::temp_directory_path() / L"KvoFake.tlb").wstring();
  ComPtr<ICreateTypeLib2> library;
  check(CreateTypeLib2(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, file.data(), library.put()));
  check(library->SetGuid(kLibraryGuid));
  check(library->SetName(const_cast<LPOLESTR>(L"KvoFakeLib")));

  ComPtr<ITypeLib> stdole;
  ComPtr<ITypeInfo> dispatch;
  check(LoadRegTypeLib(IID_StdOle, 2, 0, LOCALE_NEUTRAL, stdole.put()));
  check(stdole->GetTypeInfoOfGuid(IID_IDispatch, dispatch.put()));
  ComPtr<ICreateTypeInfo> events;
  HREFTYPE reference = 0;
  check(
      library->CreateTypeInfo(const_cast<LPOLESTR>(L"_DKvoEvents"), TKIND_DISPATCH, events.put()));
  check(events->SetGuid(kEventIid));
  check(events->AddRefTypeInfo(dispatch.get(), &reference));
  check(events->AddImplType(0, reference));
  addEvent(events.get(), 0, kFakeOnOtherEvent, {L"OnEndExecution", L"PartProg"});
  addEvent(events.get(), 1, kFakeOnStartExecution, {L"OnStartExecution", L"PartProg"});
  addEvent(events.get(), 2, kFakeOnObjectExecuted, {L"OnObjectExecuted", L"PartProg", L"Cmmd"});
  check(events->LayOut());

  ComPtr<ICreateTypeInfo> sourceClass;
  check(library->CreateTypeInfo(const_cast<LPOLESTR>(L"KvoEventSource"), TKIND_COCLASS,
                                sourceClass.put()));
  check(sourceClass->SetGuid(kSourceClassGuid));
  check(sourceClass->AddRefTypeInfo(events.query<ITypeInfo>(IID_ITypeInfo).get(), &reference));
  check(sourceClass->AddImplType(0, reference));
  check(sourceClass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE));
  check(sourceClass->LayOut());
  ComPtr<ITypeLib> saved;
  if (registered && (FAILED(library->SaveAllChanges()) ||
                     FAILED(LoadTypeLibEx(file.c_str(), REGKIND_REGISTER, saved.put())))) {
    throw std::runtime_error("type library of the fake not registered");
  }
  return sourceClass.query<ITypeInfo>(IID_ITypeInfo);
}

}  // namespace fake

}  // namespace kvotlk::test
