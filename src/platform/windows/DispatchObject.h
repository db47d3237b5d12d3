#pragma once

#include <oaidl.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "platform/windows/ComApartment.h"
#include "platform/windows/ComPtr.h"
#include "platform/windows/Variant.h"

namespace kvotlk::windows {

// One attach to the running CMM software, shared by every object taken from it. Once a
// call has found the software gone, no further call is sent: a call to a dead server can
// wait for a long time.
struct KvoLink {
  std::shared_ptr<ComApartment> apartment;
  bool gone = false;
  // Notes how a call to the software returned: whether the software has gone, and
  // whether it accepts calls again after rejecting them.
  void returned(HRESULT result);
};

// The HRESULTs with which a call fails when the server process has ended.
bool isGoneResult(HRESULT result);

// An automation object of the CMM software, called late-bound by dispatch id. Every call
// answers nullopt when it failed; a failure that shows the software gone marks the link.
class DispatchObject {
 public:
  DispatchObject(std::shared_ptr<KvoLink> link, ComPtr<IDispatch> object);

  // The result of a property get or method call with whole-number arguments.
  std::optional<Variant> call(DISPID id, std::initializer_list<std::int32_t> args = {}) const;

  std::optional<std::string> text(DISPID id) const;
  std::optional<bool> flag(DISPID id) const;
  std::optional<std::int32_t> int32(DISPID id, std::initializer_list<std::int32_t> args = {}) const;
  std::optional<double> real(DISPID id, std::initializer_list<std::int32_t> args = {}) const;
  // A null object for "none".
  std::optional<DispatchObject> object(DISPID id) const;

  const std::shared_ptr<KvoLink>& link() const { return link_; }
  IDispatch* get() const { return object_.get(); }
  bool isNone() const { return !object_; }

 private:
  // Declared first so the apartment outlives the object's release.
  std::shared_ptr<KvoLink> link_;
  ComPtr<IDispatch> object_;
};

}  // namespace kvotlk::windows
