#include "entry/OrderConfirmation.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "catalogs/CatalogLines.h"
#include "common/Environment.h"
#include "common/LocaleNumbers.h"
#include "common/Prompts.h"
#include "common/Text.h"
#include "common/modCheckTyp.h"
#include "kalvero/KalveroPort.h"
#include "kalvero/modKVOFunctions.h"
#include "settings/SettingReaders.h"
#include "state/OrderForm.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

using Check = std::optional<OrderFailure>;
using Step = Check (*)(Environment&, modGlobaleVariablen&, const OrderForm&);

OrderFailure stop(std::string message) { return {std::move(message), MessageKind::Stop}; }

bool isBlank(std::string_view text) { return trimBlanks(text).empty(); }

double lengthOf(std::string_view text) { return static_cast<double>(charCount(text)); }

// Checks 1 to 12: every mandatory field is filled in.
Check checkFilledIn(Environment& /*env*/, modGlobaleVariablen& g, const OrderForm& form) {
  const std::array<std::pair<const std::string*, const char*>, 8> fields = {{
      {&form.txt_Artikel, "Artikel"},
      {&form.txt_Auftrag, "Auftrag"},
      {&form.txt_Probenumfang, "Stichprobenumfang"},
      {&form.txt_DatumTag, "Tag"},
      {&form.txt_DatumMonat, "Monat"},
      {&form.txt_DatumJahr, "Jahr"},
      {&form.txt_UhrzeitStunde, "Stunde"},
      {&form.txt_UhrzeitMinute, "Minute"},
  }};
  for (const auto& [text, name] : fields) {
    if (isBlank(*text)) {
      return stop(std::string("Pflichtfeld ") + name + " nicht eingetragen.");
    }
  }
  if (!form.combo_Pruefer) {
    return stop("Pflichtfeld Prüfer nicht ausgewählt.");
  }
  if (!form.Combo_Maschine) {
    return stop("Pflichtfeld Fertigungsmaschine nicht ausgewählt.");
  }
  if (form.chkNest == kChecked && isBlank(form.txt_Nestnummer)) {
    return stop("Nestnummer nicht eingetragen.");
  }
  if (g.blnMessserieUmfang && isBlank(form.txtAnzahlDerTeile)) {
    return stop("Anzahl der Teile nicht eingegeben.");
  }
  return std::nullopt;
}

// Check 13. The run-time copy of LaengeArtikelNr is compared as a number; a text that is
// not one counts as the key's default, in the comparison and in the message.
Check checkArticleLength(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  g.strArtikel = trimBlanks(form.txt_Artikel);
  const bool isNumber = env.numbers.toDouble(g.varLaengeArtikelNr).has_value();
  const std::string limitText =
      isNumber ? g.varLaengeArtikelNr : SettingDefault(SettingKey::LaengeArtikelNr, {});
  const double limit = SettingAsNumber(env.numbers, limitText, SettingKey::LaengeArtikelNr);
  if (lengthOf(g.strArtikel) > limit) {
    return stop("Artikel darf nur " + limitText + "stellig sein.");
  }
  return std::nullopt;
}

// Checks 14 to 16, with the settings read afresh.
Check checkMachineAndOrder(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  g.strMaschine = trimBlanks(form.Combo_Maschine.value_or(std::string()));
  const std::int16_t machineLimit = ReadConfigInt16(env, g, SettingKey::MaschinenIdLaenge);
  if (lengthOf(g.strMaschine) > machineLimit) {
    return stop("Maschinennummer darf max. " + std::to_string(machineLimit) + "stellig sein.");
  }
  g.strAuftrag = trimBlanks(form.txt_Auftrag);
  const std::int16_t orderLimit = ReadConfigInt16(env, g, SettingKey::AuftragsNrLaenge);
  if (lengthOf(g.strAuftrag) > orderLimit) {
    return stop("Auftrag darf max. " + std::to_string(orderLimit) + "stellig sein.");
  }
  if (ReadConfigNumber(env, g, SettingKey::AuftragsNrGanzzahl) == 1.0 &&
      !IsNonZeroNumber(env.numbers, g.strAuftrag)) {
    return stop("Auftrag muss vom Typ Numeric (Ganzzahl) sein.");
  }
  return std::nullopt;
}

// Check 17. A whole number beyond 16 bits cannot be held and is refused the same way.
Check checkSampleSize(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  const std::string text = trimBlanks(form.txt_Probenumfang);
  const auto value = IsLong(env.numbers, text) ? env.numbers.toInt16(text) : std::nullopt;
  if (!value) {
    return OrderFailure{"Stichprobenumfang muss vom Typ Integer (Ganzzahl) sein.",
                        MessageKind::Plain};
  }
  g.intStichprobenumfang = *value;
  return std::nullopt;
}

// One part of the date or time: its text as typed, the length it must have, the largest
// value it may take (none for the year), and its name in the messages.
struct DatePart {
  const std::string* text;
  std::size_t length;
  std::optional<std::int32_t> largest;
  const char* name;
};

Check checkLengths(std::span<const DatePart> parts) {
  for (const DatePart& part : parts) {
    if (charCount(*part.text) != part.length) {
      return stop(std::string("Falsches Format für ") + part.name + ".");
    }
  }
  return std::nullopt;
}

Check checkNumbers(LocaleNumbers& numbers, std::span<const DatePart> parts) {
  for (const DatePart& part : parts) {
    if (!IsLong(numbers, *part.text)) {
      return stop(std::string("Falsches Format für ") + part.name + ".");
    }
  }
  return std::nullopt;
}

Check checkValues(LocaleNumbers& numbers, std::span<const DatePart> parts) {
  for (const DatePart& part : parts) {
    if (part.largest && numbers.toInt32(*part.text).value_or(0) > *part.largest) {
      return stop(std::string("Falscher Wert für ") + part.name + ".");
    }
  }
  return std::nullopt;
}

// The days of a month in the Gregorian calendar; 31 for a month that is none (00 and
// numbers above 12, which the month's own check refuses), so only a day the given month
// cannot have is refused.
std::int32_t DaysInMonth(std::int32_t month, std::int32_t year) {
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  switch (month) {
    case 2:
      return leap ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

// Checks 18 to 25: lengths, then numbers, then values of day, month and year; a day beyond
// the length of its month counts as a wrong day. Day and month 00 pass, as a plant may use
// them for "unknown".
Check checkDate(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  const std::array<DatePart, 3> parts = {{
      {&form.txt_DatumTag, 2, 31, "Tag"},
      {&form.txt_DatumMonat, 2, 12, "Monat"},
      {&form.txt_DatumJahr, 4, std::nullopt, "Jahr"},
  }};
  if (auto failure = checkLengths(parts)) {
    return failure;
  }
  if (auto failure = checkNumbers(env.numbers, parts)) {
    return failure;
  }
  if (auto failure = checkValues(env.numbers, parts)) {
    return failure;
  }
  const auto number = [&env](const std::string& text) {
    return env.numbers.toInt32(text).value_or(0);
  };
  if (number(form.txt_DatumTag) >
      DaysInMonth(number(form.txt_DatumMonat), number(form.txt_DatumJahr))) {
    return stop("Falscher Wert für Tag.");
  }
  g.strDatum = form.txt_DatumTag + "." + form.txt_DatumMonat + "." + form.txt_DatumJahr;
  return std::nullopt;
}

// Checks 26 to 31. The minute's length is tested before the hour's; the number and value
// tests take the hour first.
Check checkTime(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  const DatePart hour{&form.txt_UhrzeitStunde, 2, 23, "Stunde"};
  const DatePart minute{&form.txt_UhrzeitMinute, 2, 59, "Minute"};
  const std::array<DatePart, 2> lengthOrder = {minute, hour};
  const std::array<DatePart, 2> valueOrder = {hour, minute};
  if (auto failure = checkLengths(lengthOrder)) {
    return failure;
  }
  if (auto failure = checkNumbers(env.numbers, valueOrder)) {
    return failure;
  }
  if (auto failure = checkValues(env.numbers, valueOrder)) {
    return failure;
  }
  g.strUhrzeit = form.txt_UhrzeitStunde + ":" + form.txt_UhrzeitMinute;
  return std::nullopt;
}

// Checks 32 and 33. An entry without a ")" after its first character gives an empty
// number, which the whole-number test refuses.
Check checkInspector(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  g.strPruefer = InspectorNumberOfEntry(form.combo_Pruefer.value_or(std::string()));
  if (charCount(g.strPruefer) > 4) {
    return stop("Prüfernummer darf nur 4stellig sein.");
  }
  if (!IsLong(env.numbers, g.strPruefer)) {
    return stop("Prüfernummer muss vom Typ Integer (Ganzzahl) sein.");
  }
  return std::nullopt;
}

// Check 34, only with the nest box checked; what follows the whole-number test depends on
// whether nest IDs are in use.
Check checkNest(Environment& env, modGlobaleVariablen& g, const OrderForm& form) {
  if (form.chkNest != kChecked) {
    return std::nullopt;
  }
  g.strNestnummer = trimBlanks(form.txt_Nestnummer);
  if (!IsLong(env.numbers, g.strNestnummer)) {
    return stop("Nestnummer muss vom Typ Integer (Ganzzahl) sein.");
  }
  const std::size_t length = charCount(g.strNestnummer);
  if (g.strNestIDVerwenden == "0" && length > 1) {
    return stop("Nestnummer darf nur 1stellig sein.");
  }
  if (g.strNestIDVerwenden == "1") {
    if (length > 2) {
      return stop("Nestnummer darf nur 2stellig sein.");
    }
    if (form.lblNestID.empty()) {
      return stop("Für die eingegebe Nestnummer, wurde noch keine Nest ID eingerichtet.");
    }
  }
  return std::nullopt;
}

// Checks 35 and 36.
Check checkKalvero(Environment& env, modGlobaleVariablen& g, const OrderForm& /*form*/) {
  if (!ConnectToKvo(env, g)) {
    return stop(env.kalvero.LinkProblem().value_or("Kalvero muss zuerst gestartet sein."));
  }
  if (!GetOpenPartProg(g)) {
    return stop("Kalvero Messprogramm muss zuerst geöffnet sein.");
  }
  return std::nullopt;
}

constexpr std::array<Step, 9> kSteps = {
    checkFilledIn,  checkArticleLength, checkMachineAndOrder, checkSampleSize, checkDate, checkTime,
    checkInspector, checkNest,          checkKalvero,
};

}  // namespace

std::optional<OrderFailure> ConfirmOrder(Environment& env, modGlobaleVariablen& g,
                                         const OrderForm& form) {
  for (const Step step : kSteps) {
    if (auto failure = step(env, g, form)) {
      return failure;
    }
  }
  return std::nullopt;
}

void ShowOrderFailure(Prompts& prompts, const OrderFailure& failure) {
  if (failure.kind == MessageKind::Plain) {
    prompts.showPlain(failure.message);
  } else {
    prompts.showStop(failure.message);
  }
}

void ResetSamples(CaptureData& g) {
  g.arrStichproben.assign(1, Stichprobe{});
  // The count of characteristics belongs to the samples just dropped; kept, it would make
  // an empty capture of the new order look like one with values but no sample.
  g.intAnzMerkmale = 0;
}

void ReadNestnummerAmMerkmal(Environment& env, modGlobaleVariablen& g) {
  g.intNestnummerAmMerkmal = ReadConfigInt16(env, g, SettingKey::NestnummerAmMerkmal);
}

}  // namespace kvotlk
