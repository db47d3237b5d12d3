#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The list of characteristic IDs that a text command named "ID" carries. Like
// arrIdListe it keeps an unused element 0, so entry n is element n.
namespace kvotlk {

// The text cut at every ","; pieces stay as they are. An empty piece between two commas
// is an entry, a trailing comma adds none, an empty text gives none.
std::vector<std::string> SplitIdList(std::string_view text);

// Whether the list holds any entry.
bool HasIdEntries(const std::vector<std::string>& list);

// Entry `position`; empty when the list has no such entry.
std::string IdListEntry(const std::vector<std::string>& list, std::int16_t position);

// A list without entries.
void ClearIdList(std::vector<std::string>& list);

}  // namespace kvotlk
