#include "capture/CommandReads.h"

namespace kvotlk {

std::optional<std::int32_t> CommandReads::CmdTypeCode() {
  if (!typeCodeRead_) {
    typeCode_ = command_.CmdTypeCode();
    typeCodeRead_ = true;
  }
  return typeCode_;
}

std::optional<std::int32_t> CommandReads::Field165() {
  if (!field165Read_) {
    field165_ = command_.IntFieldValue(165, 1);
    field165Read_ = true;
  }
  return field165_;
}

}  // namespace kvotlk
