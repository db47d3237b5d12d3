#include "settings/SettingKeys.h"

#include "common/Paths.h"
#include "common/Text.h"

namespace kvotlk {
namespace {

// "\\server\share\" of a network path "\\server\share\…"; empty for any other path.
std::string shareRoot(std::string_view folder) {
  const std::string doubled(2, kPathSeparator);
  if (!folder.starts_with(doubled)) {
    return {};
  }
  const std::size_t server = folder.find(kPathSeparator, 2);
  const std::size_t share =
      server == std::string_view::npos ? server : folder.find(kPathSeparator, server + 1);
  return std::string(folder.substr(0, share)) + kPathSeparator;
}

}  // namespace

const std::array<SettingInfo, kSettingCount>& SettingTable() {
  using K = SettingKey;
  using D = DefaultKind;
  static const std::array<SettingInfo, kSettingCount> table = {{
      {K::DRIVE, "DRIVE", D::ProgramDrive, ""},
      {K::DIR, "DIR", D::ProgramFolder, ""},
      {K::FILE, "FILE", D::Fixed, "Solvik.txt"},
      {K::NumDez, "NumDez", D::Fixed, "3"},
      {K::RANDOM, "RANDOM", D::Fixed, "0"},
      {K::SCHLEIFE, "SCHLEIFE", D::Fixed, "0"},
      {K::IdLaenge, "IdLaenge", D::Fixed, "6"},
      {K::DateTimeStamp, "DateTimeStamp", D::Fixed, "0"},
      {K::MaschinenIdLaenge, "MaschinenIdLaenge", D::Fixed, "6"},
      {K::AuftragsNrLaenge, "AuftragsNrLaenge", D::Fixed, "8"},
      {K::LaengeArtikelNr, "LaengeArtikelNr", D::Fixed, "8"},
      {K::AuftragsNrGanzzahl, "AuftragsNrGanzzahl", D::Fixed, "1"},
      {K::NestnummerAmMerkmal, "NestnummerAmMerkmal", D::Fixed, "1"},
      {K::EinstellungenZurLaufzeitSpeichern, "EinstellungenZurLaufzeitSpeichern", D::Fixed, "1"},
      {K::NestIDVerwenden, "NestIDVerwenden", D::Fixed, "0"},
      {K::DateiErweiterungVerwenden, "DateiErweiterungVerwenden", D::Fixed, "0"},
      {K::DateiErweiterung, "DateiErweiterung", D::Fixed, "0"},
      {K::MessserieUmfang, "MessserieUmfang", D::Fixed, "0"},
  }};
  return table;
}

std::string_view SettingName(SettingKey key) {
  return SettingTable()[static_cast<std::size_t>(key)].name;
}

std::string SettingDefault(SettingKey key, std::string_view programFolder) {
  const SettingInfo& info = SettingTable()[static_cast<std::size_t>(key)];
  switch (info.kind) {
    case DefaultKind::ProgramFolder:
      return std::string(programFolder);
    case DefaultKind::ProgramDrive:
      // A drive-letter path keeps "C:\"; a network path its share, which stands where a
      // drive would; elsewhere the root of the folder.
      if (programFolder.size() >= 2 && programFolder[1] == ':') {
        return leftChars(programFolder, 3);
      }
      if (std::string share = shareRoot(programFolder); !share.empty()) {
        return share;
      }
      return toUtf8(toFsPath(programFolder).root_path());
    case DefaultKind::Fixed:
      break;
  }
  return std::string(info.fixedDefault);
}

}  // namespace kvotlk
