// The rules behind the catalogue editors and the configuration dialog, case by case from
// rules.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>

#include "catalogs/CatalogEntries.h"
#include "common/LocaleNumbers.h"
#include "common/Paths.h"
#include "config/ConfigChecks.h"
#include "config/DriveFolders.h"

namespace kvotlk::test {
namespace {

using Fields = std::vector<std::string>;

std::string outcome(const NewEntry& entry) { return entry.line.value_or(entry.message); }

std::string joined(const Fields& items) {
  std::string text;
  for (const std::string& item : items) {
    text += (text.empty() ? "" : " ") + item;
  }
  return text;
}

Fields words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The editor's list before the entry: the third input, entries separated by ";".
Fields listOf(const Fields& fields) {
  Fields entries;
  std::istringstream in(fields.size() > 2 ? fields[2] : "");
  for (std::string entry; std::getline(in, entry, ';');) {
    entries.push_back(entry);
  }
  return entries;
}

// The settings dialog's check of its entries: the defaults with "KEY=value;…" applied; the
// first line of the message that refuses them, or "ok".
std::string configCheck(const std::string& changes) {
  ConfigEntries entries;
  for (const SettingInfo& info : SettingTable()) {
    EntryOf(entries, info.key) = SettingDefault(info.key, "/opt/kvotlk");
  }
  std::istringstream in(changes);
  for (std::string change; std::getline(in, change, ';');) {
    const std::string name = change.substr(0, change.find('='));
    for (const SettingInfo& info : SettingTable()) {
      if (info.name == name) {
        EntryOf(entries, info.key) = change.substr(change.find('=') + 1);
      }
    }
  }
  const auto problem = CheckConfigEntries(entries);
  return problem ? problem->message.substr(0, problem->message.find('\r')) : "ok";
}

std::string rule(const std::string& name, const Fields& fields) {
  static PortableLocaleNumbers numbers = germanNumbers();
  static const std::map<std::string, std::function<std::string(const Fields&)>> rules{
      {"Prüfer",
       [](const Fields& f) { return outcome(NewPrueferEntry(numbers, f[0], f[1], listOf(f))); }},
      {"NestID",
       [](const Fields& f) { return outcome(NewNestIDEntry(numbers, f[0], f[1], listOf(f))); }},
      {"Maschine",
       [](const Fields& f) {
         return outcome(NewMaschineEntry(f[0], std::int16_t(std::stoi(f[1])), listOf(f)));
       }},
      {"Laufwerk",
       [](const Fields& f) {
         const auto index = FindDrive(words(f[0]), f[1]);
         return index ? std::to_string(*index) : "keins";
       }},
      {"Dialog", [](const Fields& f) { return configCheck(f[0]); }},
      {"Wurzel", [](const Fields& f) { return DriveRoot(f[0]); }},
      {"Ordnerkette", [](const Fields& f) { return joined(FolderChain(f[0])); }}};
  return rules.at(name)(fields);
}

TEST(DialogRules, AsRulesTxtGivesThem) {
  std::ifstream file(KVOTLK_DIALOG_RULES);
  ASSERT_TRUE(file) << KVOTLK_DIALOG_RULES;
  int lineNumber = 0;
  for (std::string line; std::getline(file, line);) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') {
      continue;
    }
    if (!line.starts_with("Prüfer") && !line.starts_with("NestID")) {
      std::replace(line.begin(), line.end(), '/', kPathSeparator);
    }
    Fields fields;
    for (std::size_t start = 0, end = 0; (end = line.find('|', start)) != std::string::npos;
         start = end + 1) {
      fields.push_back(line.substr(start, end - start));
    }
    EXPECT_EQ(rule(fields.front(), Fields(fields.begin() + 1, fields.end() - 1)), fields.back())
        << "rules.txt:" << lineNumber << ": " << line;
  }
  EXPECT_GT(lineNumber, 50);
}

}  // namespace
}  // namespace kvotlk::test
