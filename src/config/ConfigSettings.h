#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingKeys.h"

// What the configuration dialog reads and writes: all eighteen settings in the order of the
// key table, and the run-time copies that follow them.
namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;
class LocaleNumbers;

// The dialog's controls as texts, one per key in table order: the drive list's drive text,
// the folder list's path, text boxes as typed, check boxes "0" or "1".
using ConfigEntries = std::array<std::string, kSettingCount>;

std::string& EntryOf(ConfigEntries& entries, SettingKey key);
const std::string& EntryOf(const ConfigEntries& entries, SettingKey key);

// Every setting in table order, each with its default (written back when it is missing).
ConfigEntries ReadAllConfig(Environment& env, const modGlobaleVariablen& g);

// Whether a stored flag shows its check box checked: "0" unchecked, any other number
// checked; a text that is not a number counts as the key's default.
bool CheckedBySetting(LocaleNumbers& numbers, std::string_view stored, SettingKey key);
// A check box's state as it is stored: "1" or "0".
std::string CheckText(bool checked);

// The run-time copies that loading the dialog takes from its controls.
void ApplyLoadedCopies(modGlobaleVariablen& g, const ConfigEntries& shown);

// Writes every setting in table order; after each write the run-time copy that follows it
// (a length that is not a number counts as its default). Stops at the first write that
// fails and answers its key, so the copies always match what is stored.
std::optional<SettingKey> SaveConfig(Environment& env, modGlobaleVariablen& g,
                                     const ConfigEntries& entries);

// The stop message when a setting could not be stored.
std::string SaveFailedMessage(SettingKey key);

}  // namespace kvotlk
