// The two execution-event handlers and the steps that decide what an executed command
// yields. Each handler ends at the first automation call that fails: the capture then
// halts with one message, and what was captured stays.
#include <algorithm>
#include <array>
#include <limits>

#include "capture/CaptureEngine.h"
#include "capture/CaptureMessages.h"
#include "capture/CommandReads.h"
#include "capture/IdList.h"
#include "state/modGlobaleVariablen.h"

namespace kvotlk {
namespace {

// Command type codes with a meaning of their own.
constexpr std::int32_t kBlockAStart = 1000;
constexpr std::int32_t kBlockAEnd = 1001;
constexpr std::int32_t kBlockBStart = 1200;
constexpr std::int32_t kBlockBEnd = 1201;
constexpr std::int32_t kSecondaryInBlockB = 1209;
constexpr std::int32_t kNeverDimension = 1299;
constexpr std::int32_t kFieldValue = 184;

// Field 165 values that suppress the capture.
bool suppresses(std::int32_t field165) { return field165 == 2 || field165 == 4; }

std::int16_t clampToInt16(std::int32_t value) {
  constexpr std::int32_t kLow = std::numeric_limits<std::int16_t>::min();
  constexpr std::int32_t kHigh = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(std::clamp(value, kLow, kHigh));
}

}  // namespace

void CaptureEngine::KvoEvents_OnStartExecution(const std::shared_ptr<KvoPartProgram>& PartProg) {
  if (!subscribed()) {
    return;
  }
  const auto ours = isOurProgram(PartProg);
  if (!ours) {
    haltWith(LostLinkMessage());
    return;
  }
  if (*ours) {
    startSample(!loopMode(), false);
  }
}

void CaptureEngine::KvoEvents_OnObjectExecuted(const std::shared_ptr<KvoPartProgram>& PartProg,
                                               const std::shared_ptr<KvoCommand>& Cmmd) {
  if (!subscribed() || !Cmmd) {
    return;
  }
  const auto ours = isOurProgram(PartProg);
  if (!ours) {
    haltWith(LostLinkMessage());
    return;
  }
  if (!*ours) {
    return;
  }
  CommandReads cmd(*Cmmd);
  if (executeCommand(cmd) == Step::Failed) {
    haltWith(LostLinkMessage());
  }
}

CaptureEngine::Step CaptureEngine::executeCommand(CommandReads& cmd) {
  using StepFunction = Step (CaptureEngine::*)(CommandReads&);
  static constexpr std::array<StepFunction, 5> kSteps = {
      &CaptureEngine::textCommandStep, &CaptureEngine::blockAStep, &CaptureEngine::blockBStep,
      &CaptureEngine::dimensionStep, &CaptureEngine::type184Step};
  for (const StepFunction step : kSteps) {
    const Step outcome = (this->*step)(cmd);
    if (outcome != Step::Next) {
      return outcome;
    }
  }
  return Step::End;
}

CaptureEngine::Step CaptureEngine::textCommandStep(CommandReads& cmd) {
  const auto hasTextCmd = cmd.command().HasTextCmd();
  if (!hasTextCmd) {
    return Step::Failed;
  }
  if (!*hasTextCmd) {
    return Step::Next;
  }
  const auto textCmd = cmd.command().TextCmdOf();
  if (!textCmd || !*textCmd) {
    return Step::Failed;
  }
  g_.KvoTextCmd = *textCmd;
  const auto name = g_.KvoTextCmd->TextCmdName();
  if (!name) {
    return Step::Failed;
  }
  if (*name == "SchleifeAnfang") {
    if (loopMode()) {
      startSample(true, true);
    }
    return Step::End;
  }
  if (*name == "ID") {
    const auto text = g_.KvoTextCmd->TextCmdText();
    if (!text) {
      return Step::Failed;
    }
    g_.arrIdListe = SplitIdList(*text);
    return Step::End;
  }
  return Step::Next;
}

CaptureEngine::Step CaptureEngine::blockAStep(CommandReads& cmd) {
  return blockStep(cmd, kBlockAStart, kBlockAEnd, g_.blnBlockA, g_.intPosInBlockA);
}

CaptureEngine::Step CaptureEngine::blockBStep(CommandReads& cmd) {
  return blockStep(cmd, kBlockBStart, kBlockBEnd, g_.blnBlockB, g_.intPosInBlockB);
}

CaptureEngine::Step CaptureEngine::blockStep(CommandReads& cmd, std::int32_t openCode,
                                             std::int32_t closeCode, bool& blnBlock,
                                             std::int16_t& intPosInBlock) {
  // The position stops at the largest 16-bit number; no "ID" list reaches that far.
  if (blnBlock && intPosInBlock < kLargestCount) {
    ++intPosInBlock;
  }
  const auto typeCode = cmd.CmdTypeCode();
  if (!typeCode) {
    return Step::Failed;
  }
  if (*typeCode == openCode) {
    const auto field165 = cmd.Field165();
    const auto id = field165 ? cmd.command().CmdIdText() : std::nullopt;
    if (!id) {
      return Step::Failed;
    }
    g_.intFeld165 = clampToInt16(*field165);
    blnBlock = true;
    g_.strMerkmalID = *id;
    return Step::End;
  }
  if (*typeCode == closeCode) {
    blnBlock = false;
    intPosInBlock = 0;
    g_.strMerkmalID.clear();
    ClearIdList(g_.arrIdListe);
  }
  return Step::Next;
}

CaptureEngine::Step CaptureEngine::dimensionStep(CommandReads& cmd) {
  const auto typeCode = cmd.CmdTypeCode();
  if (!typeCode) {
    return Step::Failed;
  }
  if (*typeCode == kNeverDimension) {
    return Step::Next;
  }
  const auto hasDimension = cmd.command().HasDimension();
  if (!hasDimension) {
    return Step::Failed;
  }
  if (!*hasDimension) {
    return Step::Next;
  }
  const auto dimension = cmd.command().DimensionOf();
  if (!dimension || !*dimension) {
    return Step::Failed;
  }
  g_.KvoDimension = *dimension;
  if (!g_.blnBlockA && !g_.blnBlockB) {
    const auto field165 = cmd.Field165();
    if (!field165) {
      return Step::Failed;
    }
    g_.intFeld165 = clampToInt16(*field165);
  }
  if (suppresses(g_.intFeld165)) {
    return Step::End;
  }
  if (!takeDimensionId()) {
    return Step::Failed;
  }
  if (g_.strMerkmalID.empty()) {
    return Step::Next;
  }
  const auto storedId = checkedId();
  if (!storedId) {
    return Step::End;
  }
  const auto value = dimensionValue(*typeCode);
  if (!value) {
    return Step::Failed;
  }
  return storeValue(*storedId, *value, 4);
}

bool CaptureEngine::takeDimensionId() {
  if (HasIdEntries(g_.arrIdListe)) {
    std::int16_t position = 1;
    if (g_.blnBlockA) {
      position = g_.intPosInBlockA;
    } else if (g_.blnBlockB) {
      position = g_.intPosInBlockB;
    }
    // A position beyond the end of the list is an empty entry: nothing is captured.
    g_.strMerkmalID = IdListEntry(g_.arrIdListe, position);
    return true;
  }
  const auto dimIdText = g_.KvoDimension->DimIdText();
  if (!dimIdText) {
    return false;
  }
  if (!dimIdText->empty()) {
    g_.strMerkmalID = *dimIdText;
  }
  return true;
}

std::optional<double> CaptureEngine::dimensionValue(std::int32_t typeCode) {
  if (!g_.blnBlockA && g_.blnBlockB && typeCode == kSecondaryInBlockB) {
    return g_.KvoDimension->DimSecondary();
  }
  return g_.KvoDimension->DimMeasured();
}

CaptureEngine::Step CaptureEngine::type184Step(CommandReads& cmd) {
  const auto typeCode = cmd.CmdTypeCode();
  if (!typeCode) {
    return Step::Failed;
  }
  if (*typeCode != kFieldValue) {
    return Step::End;
  }
  const auto field165 = cmd.Field165();
  if (!field165) {
    return Step::Failed;
  }
  if (suppresses(*field165)) {
    return Step::End;
  }
  if (HasIdEntries(g_.arrIdListe)) {
    g_.strMerkmalID = IdListEntry(g_.arrIdListe, 1);
  } else {
    const auto id = cmd.command().CmdIdText();
    if (!id) {
      return Step::Failed;
    }
    g_.strMerkmalID = *id;
  }
  const auto storedId = checkedId();
  if (!storedId) {
    return Step::End;
  }
  const auto value = cmd.command().RealFieldValue(662, 1);
  if (!value) {
    return Step::Failed;
  }
  return storeValue(*storedId, *value, 5);
}

}  // namespace kvotlk
