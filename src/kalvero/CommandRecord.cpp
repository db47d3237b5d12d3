#include "kalvero/CommandRecord.h"

#include <utility>

namespace kvotlk {

CommandRecord CommandRecord::Dimension(std::string dimIdText, double measured,
                                       std::int32_t typeCode, double secondary) {
  CommandRecord scripted;
  scripted.CmdTypeCode = typeCode;
  scripted.dimension = DimensionRecord{std::move(dimIdText), measured, secondary};
  return scripted;
}

CommandRecord CommandRecord::Text(std::string name, std::string text) {
  CommandRecord scripted;
  scripted.textCmd = TextCmdRecord{std::move(name), std::move(text)};
  return scripted;
}

CommandRecord CommandRecord::Plain(std::int32_t typeCode, std::string cmdIdText,
                                   std::int32_t field165) {
  CommandRecord scripted;
  scripted.CmdTypeCode = typeCode;
  scripted.CmdIdText = std::move(cmdIdText);
  scripted.field165 = field165;
  return scripted;
}

}  // namespace kvotlk
