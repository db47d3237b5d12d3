#pragma once

#include <array>
#include <string>
#include <string_view>

// The eighteen settings of section "Config" with their defaults. Every reader takes its
// default from here.
namespace kvotlk {

// In the order in which the configuration dialog writes them.
enum class SettingKey {
  DRIVE,
  DIR,
  FILE,
  NumDez,
  RANDOM,
  SCHLEIFE,
  IdLaenge,
  DateTimeStamp,
  MaschinenIdLaenge,
  AuftragsNrLaenge,
  LaengeArtikelNr,
  AuftragsNrGanzzahl,
  NestnummerAmMerkmal,
  EinstellungenZurLaufzeitSpeichern,
  NestIDVerwenden,
  DateiErweiterungVerwenden,
  DateiErweiterung,
  MessserieUmfang,
};

inline constexpr std::size_t kSettingCount = 18;

// How a key's default is found.
enum class DefaultKind {
  Fixed,          // the text in the table
  ProgramFolder,  // the program folder
  ProgramDrive,   // the drive (or root) of the program folder
};

struct SettingInfo {
  SettingKey key;
  std::string_view name;
  DefaultKind kind;
  std::string_view fixedDefault;
};

const std::array<SettingInfo, kSettingCount>& SettingTable();
std::string_view SettingName(SettingKey key);

// The default every reader of the key passes. programFolder has no trailing separator.
std::string SettingDefault(SettingKey key, std::string_view programFolder);

}  // namespace kvotlk
