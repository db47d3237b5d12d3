#include "platform/windows/KalveroProcess.h"

#include <cstring>

#include "common/Prompts.h"
#include "platform/windows/ComPtr.h"

namespace kvotlk::windows {
namespace {

// The head of a standard OBJREF ("MEOW", OBJREF_STANDARD, the interface id) followed by
// its STDOBJREF, as CoMarshalInterface writes them.
struct StandardObjRef {
  ULONG signature;
  ULONG flags;
  GUID iid;
  ULONG stdFlags;
  ULONG publicRefs;
  unsigned long long oxid;
  unsigned long long oid;
  GUID ipid;
};

constexpr ULONG kMeow = 0x574F454D;
constexpr ULONG kObjRefStandard = 1;

std::optional<bool> tokenElevation(HANDLE process) {
  HANDLE token = nullptr;
  if (OpenProcessToken(process, TOKEN_QUERY, &token) == 0) {
    return std::nullopt;
  }
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const BOOL read =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
  CloseHandle(token);
  return read != 0 ? std::optional<bool>(elevation.TokenIsElevated != 0) : std::nullopt;
}

}  // namespace

std::optional<bool> ProcessIsElevated(DWORD processId) {
  if (processId == GetCurrentProcessId()) {
    return tokenElevation(GetCurrentProcess());
  }
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) {
    return GetLastError() == ERROR_ACCESS_DENIED ? std::optional<bool>(true) : std::nullopt;
  }
  auto elevated = tokenElevation(process);
  if (!elevated && GetLastError() == ERROR_ACCESS_DENIED) {
    elevated = true;
  }
  CloseHandle(process);
  return elevated;
}

std::optional<std::string> ElevationProblem(std::optional<bool> converterElevated,
                                            std::optional<bool> kalveroElevated) {
  if (!converterElevated || !kalveroElevated || *converterElevated == *kalveroElevated) {
    return std::nullopt;
  }
  if (*kalveroElevated) {
    return std::string(
               "Kalvero läuft als Administrator, der Konverter nicht. So sieht der "
               "Konverter das laufende Kalvero nicht.") +
           kCrLf +
           "Starten Sie Kalvero ohne \"Als Administrator ausführen\" neu (oder den Konverter "
           "ebenfalls als Administrator) und bestätigen Sie den Auftrag erneut.";
  }
  return std::string(
             "Der Konverter läuft als Administrator, Kalvero nicht. So sieht der "
             "Konverter das laufende Kalvero nicht.") +
         kCrLf +
         "Starten Sie den Konverter ohne \"Als Administrator ausführen\" neu und bestätigen Sie "
         "den Auftrag erneut.";
}

bool ServedByProcess(IUnknown* object, DWORD processId) {
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
      FAILED(CoMarshalInterface(stream.get(), IID_IUnknown, object, MSHCTX_LOCAL, nullptr,
                                MSHLFLAGS_NORMAL))) {
    return true;
  }
  HGLOBAL memory = nullptr;
  StandardObjRef ref{};
  bool readable =
      SUCCEEDED(GetHGlobalFromStream(stream.get(), &memory)) && GlobalSize(memory) >= sizeof(ref);
  if (readable) {
    std::memcpy(&ref, GlobalLock(memory), sizeof(ref));
    GlobalUnlock(memory);
  }
  LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  CoReleaseMarshalData(stream.get());
  if (!readable || ref.signature != kMeow || ref.flags != kObjRefStandard) {
    return true;
  }
  // Windows keeps the server's process id in Data2, Wine in Data3; the other one is a
  // thread id, which matches by chance only.
  const auto id = static_cast<unsigned short>(processId);
  return ref.ipid.Data2 == id || ref.ipid.Data3 == id;
}

std::string OtherServerProblem() {
  return std::string(
             "Kalvero hat dem Konverter kein Objekt des laufenden Programms gegeben, "
             "sondern ein neues gestartet; es wird nicht verwendet.") +
         kCrLf + "Schließen Sie Kalvero, starten Sie es neu und bestätigen Sie den Auftrag erneut.";
}

}  // namespace kvotlk::windows
