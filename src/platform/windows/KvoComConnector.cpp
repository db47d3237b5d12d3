#include "platform/windows/KvoComConnector.h"

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include "platform/windows/KalveroProcess.h"
#include "platform/windows/KvoComObjects.h"

namespace kvotlk {
namespace {

using windows::ComApartment;
using windows::ComPtr;

constexpr const char* kMainWindowClass = "BrannigAssociatesIncKalveroWndClass";
constexpr const wchar_t* kProgId = L"KVOAUT.Application";

// Finds the CMM software by its main window and its running application object. COM
// lives on the thread that made the connector for as long as the connector or any object
// taken from it lives.
class ComKvoConnector final : public KvoConnector {
 public:
  bool MainWindowExists() override { return FindWindowA(kMainWindowClass, nullptr) != nullptr; }

  std::shared_ptr<KvoApplication> GetRunningApplication() override {
    problem_.reset();
    DWORD windowProcess = 0;
    if (const HWND window = FindWindowA(kMainWindowClass, nullptr)) {
      GetWindowThreadProcessId(window, &windowProcess);
    }
    // With other rights than the converter's, the software's objects are out of reach, and
    // asking COM for one could start a second, hidden copy at the converter's level.
    if (windowProcess != 0) {
      problem_ = windows::ElevationProblem(windows::ProcessIsElevated(GetCurrentProcessId()),
                                           windows::ProcessIsElevated(windowProcess));
      if (problem_) {
        return nullptr;
      }
    }
    CLSID classId{};
    if (!apartment_->usable() || FAILED(CLSIDFromProgID(kProgId, &classId))) {
      return nullptr;
    }
    auto dispatch = runningObject(classId, windowProcess).query<IDispatch>(IID_IDispatch);
    if (!dispatch) {
      return nullptr;
    }
    auto link = std::make_shared<windows::KvoLink>();
    link->apartment = apartment_;
    return windows::wrapApplication(windows::DispatchObject(std::move(link), std::move(dispatch)));
  }

  std::optional<std::string> LinkProblem() override {
    return problem_ ? problem_ : apartment_->problem();
  }

  void SetWaitObserver(const std::function<void(bool waiting)>& observer) override {
    apartment_->setWaitObserver(observer);
  }

 private:
  // The object in the running object table. A software that registers none but whose
  // window is there is asked for a new object, as a request with an empty path does: a
  // single-instance automation server hands out its running application. Without the
  // window nothing is asked for. COM must not start a server as the converter
  // (CLSCTX_DISABLE_AAA), and an object that still comes from another process than the
  // window's is given back: the software is never started from here.
  ComPtr<IUnknown> runningObject(const CLSID& classId, DWORD windowProcess) {
    ComPtr<IUnknown> running;
    if (GetActiveObject(classId, nullptr, running.put()) == MK_E_UNAVAILABLE &&
        windowProcess != 0) {
      const HRESULT created =
          CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_DISABLE_AAA, IID_IUnknown,
                           reinterpret_cast<void**>(running.put()));
      apartment_->callReturned(created);
      if (running && !windows::ServedByProcess(running.get(), windowProcess)) {
        running = ComPtr<IUnknown>();
        problem_ = windows::OtherServerProblem();
      }
    }
    return running;
  }

  std::shared_ptr<ComApartment> apartment_ = std::make_shared<ComApartment>();
  // Why the last attach found nothing it may use; none when it found the software.
  std::optional<std::string> problem_;
};

}  // namespace

namespace windows {

std::unique_ptr<KvoConnector> makeComConnector() { return std::make_unique<ComKvoConnector>(); }

}  // namespace windows
}  // namespace kvotlk
