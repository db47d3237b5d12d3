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
    ComPtr<IUnknown> running;
    if (!apartment_->usable() || FAILED(CLSIDFromProgID(kProgId, &classId)) ||
        FAILED(GetActiveObject(classId, nullptr, running.put())) || !running) {
      return nullptr;
    }
    auto dispatch = running.query<IDispatch>(IID_IDispatch);
    if (!dispatch) {
      return nullptr;
    }
    auto link = std::make_shared<windows::KvoLink>();
    link->apartment = apartment_;
    return windows::wrapApplication(windows::DispatchObject(std::move(link), std::move(dispatch)));
  }

 private:
  std::shared_ptr<ComApartment> apartment_ = std::make_shared<ComApartment>();
};

}  // namespace

namespace windows {

std::unique_ptr<KvoConnector> makeComConnector() { return std::make_unique<ComKvoConnector>(); }

}  // namespace windows
}  // namespace kvotlk
