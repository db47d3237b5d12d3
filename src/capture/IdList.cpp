#include "capture/IdList.h"

namespace kvotlk {

std::vector<std::string> SplitIdList(std::string_view text) {
  std::vector<std::string> list{std::string()};
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) {
      list.emplace_back(text.substr(start));
      break;
    }
    list.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return list;
}

bool HasIdEntries(const std::vector<std::string>& list) { return list.size() > 1; }

std::string IdListEntry(const std::vector<std::string>& list, std::int16_t position) {
  if (position < 1 || static_cast<std::size_t>(position) >= list.size()) {
    return {};
  }
  return list[static_cast<std::size_t>(position)];
}

void ClearIdList(std::vector<std::string>& list) { list.assign(1, std::string()); }

}  // namespace kvotlk
