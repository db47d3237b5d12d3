#pragma once

#include <optional>
#include <string>

#include "common/Clock.h"

// The rules of the main window's load and unload that do not need a window: the run-time
// copies of the settings, the tool-tip texts, the preset date and time, and the shutdown
// steps. The order engine calls them in the order of the start-up sequence.
namespace kvotlk {

struct Environment;
struct modGlobaleVariablen;

// Sets the registry root, then reads AuftragsNrLaenge, LaengeArtikelNr, AuftragsNrGanzzahl,
// DIR, EinstellungenZurLaufzeitSpeichern, DateiErweiterungVerwenden, DateiErweiterung and
// MessserieUmfang into their run-time copies, in this order.
void ReadStartSettings(Environment& env, modGlobaleVariablen& g);

// strNestIDVerwenden := setting NestIDVerwenden, as stored.
void ReadNestIDVerwenden(Environment& env, modGlobaleVariablen& g);

// Tool tip of txt_Auftrag; nullopt when intAuftragsNrGanzzahl is neither 1 nor 0, which
// leaves the tool tip as it is.
std::optional<std::string> AuftragToolTip(const modGlobaleVariablen& g);

// Tool tip of txt_Artikel.
std::string ArtikelToolTip(const modGlobaleVariablen& g);

// What the load does to the nest number field for strNestIDVerwenden.
struct NestFieldAtLoad {
  std::string toolTip;
  bool clearNestID = false;
};
// nullopt when strNestIDVerwenden is neither "0" nor "1": nothing changes.
std::optional<NestFieldAtLoad> NestFieldForLoad(const modGlobaleVariablen& g);

// The texts the date and time fields are preset with.
struct DateTimeFields {
  std::string txt_DatumTag;
  std::string txt_DatumMonat;
  std::string txt_DatumJahr;
  std::string txt_UhrzeitStunde;
  std::string txt_UhrzeitMinute;

  bool operator==(const DateTimeFields&) const = default;
};

// From the date as "DD.MM.YYYY" and the time as "HH:MM" (24-hour clock).
DateTimeFields PresetDateTime(const LocalDateTime& now);

// Unload of the main window: deletes the handoff file written last and releases the CMM
// software's objects.
void ShutDown(Environment& env, modGlobaleVariablen& g);

}  // namespace kvotlk
