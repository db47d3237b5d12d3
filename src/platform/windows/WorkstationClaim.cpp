#include <windows.h>

#include "common/SingleInstance.h"

namespace kvotlk {
namespace {

// A mutex in the namespace of all sessions, so that a converter of another account that is
// signed in at the same time counts too.
class MutexClaim final : public WorkstationClaim {
 public:
  explicit MutexClaim(HANDLE mutex) : mutex_(mutex) {}
  MutexClaim(const MutexClaim&) = delete;
  MutexClaim& operator=(const MutexClaim&) = delete;
  ~MutexClaim() override {
    if (mutex_ != nullptr) {
      CloseHandle(mutex_);
    }
  }

 private:
  HANDLE mutex_;
};

}  // namespace

std::unique_ptr<WorkstationClaim> claimWorkstation() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Global\\KVOTLK-Konverter");
  if (mutex == nullptr) {
    // Where the namespace of all sessions is closed, at least this session's.
    mutex = CreateMutexW(nullptr, FALSE, L"Local\\KVOTLK-Konverter");
  }
  if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return nullptr;
  }
  return std::make_unique<MutexClaim>(mutex);
}

}  // namespace kvotlk
