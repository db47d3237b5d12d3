#include "platform/windows/KvoComConnector.h"

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

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
    CLSID classId{};
    if (!apartment_->usable() || FAILED(CLSIDFromProgID(kProgId, &classId))) {
      return nullptr;
    }
    auto dispatch = runningObject(classId).query<IDispatch>(IID_IDispatch);
    if (!dispatch) {
      return nullptr;
    }
    auto link = std::make_shared<windows::KvoLink>();
    link->apartment = apartment_;
    return windows::wrapApplication(windows::DispatchObject(std::move(link), std::move(dispatch)));
  }

  std::optional<std::string> LinkProblem() override { return apartment_->problem(); }

  void SetWaitObserver(const std::function<void(bool waiting)>& observer) override {
    apartment_->setWaitObserver(observer);
  }

 private:
  // The object in the running object table. A software that registers none but whose
  // window is there is asked for a new object, as a request with an empty path does: a
  // single-instance automation server hands out its running application. Without the
  // window nothing is created, so the software is never started from here.
  ComPtr<IUnknown> runningObject(const CLSID& classId) {
    ComPtr<IUnknown> running;
    if (GetActiveObject(classId, nullptr, running.put()) == MK_E_UNAVAILABLE &&
        MainWindowExists()) {
      const HRESULT created = CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                               reinterpret_cast<void**>(running.put()));
      apartment_->callReturned(created);
    }
    return running;
  }

  std::shared_ptr<ComApartment> apartment_ = std::make_shared<ComApartment>();
};

}  // namespace

namespace windows {

std::unique_ptr<KvoConnector> makeComConnector() { return std::make_unique<ComKvoConnector>(); }

}  // namespace windows
}  // namespace kvotlk
