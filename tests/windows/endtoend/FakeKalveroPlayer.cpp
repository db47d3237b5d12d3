// The fake CMM software for the end-to-end test of the program, as a process of its own:
// it opens a measuring program (.kmp) and, each time the converter subscribes to its
// events, executes the next entry of its plan as runs of events.
//
//   kvotlk_fake_kalvero_player PROGRAM SIGNAL [factory] PLAN...
//
// With "factory" it hands out its application only through a class factory, else it
// registers it in the running object table.
// It writes the file SIGNAL-bereit once it can be attached, and SIGNAL-fertig-K when it
// has played the K-th entry of its plan. An entry "N" executes runs 1 to N; "A-N" runs A to
// N (the runs left of a capture restored after the converter was killed); "N:K" executes
// runs 1 to N but ends the process at the K-th command of run N, when the converter first
// reads that command, as a killed CMM software would.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "FakeKalveroServer.h"
#include "program/ProgramExecutor.h"
#include "program/ProgramParser.h"

namespace kvotlk::test {
namespace {

struct PlanEntry {
  std::uint64_t first = 1;
  std::uint64_t runs = 0;
  std::size_t killedAt = 0;  // 0: the last run ends normally
};

// A command whose first read ends this process without any clean-up.
class KilledCommand final : public FakeObject {
 public:
  using FakeObject::FakeObject;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID /*id*/, REFIID /*iid*/, LCID /*locale*/, WORD /*flags*/,
                                   DISPPARAMS* /*params*/, VARIANT* /*result*/,
                                   EXCEPINFO* /*exception*/, UINT* /*badArgument*/) override {
    TerminateProcess(GetCurrentProcess(), 3);
    return E_FAIL;
  }
};

// The fake's command, dimension and text command answer as the executed command, by the
// dispatch ids of the automation table.
void present(FakeKalveroServer& server, const CommandRecord& command) {
  server.command->set(6, numberValue(VT_I4, command.CmdTypeCode));           // CmdTypeCode
  server.command->set(3, textValue(command.CmdIdText.c_str()));              // CmdIdText
  server.command->set(17, numberValue(VT_BOOL, command.dimension ? 1 : 0));  // HasDimension
  server.command->set(58, numberValue(VT_BOOL, command.textCmd ? 1 : 0));    // HasTextCmd
  server.command->set(104, numberValue(VT_I4, command.field165));            // IntFieldValue
  server.command->set(102, numberValue(VT_R8, command.field662));            // RealFieldValue
  const DimensionRecord dimension = command.dimension.value_or(DimensionRecord{});
  server.dimension->set(5, textValue(dimension.DimIdText.c_str()));      // DimIdText
  server.dimension->set(12, numberValue(VT_R8, dimension.DimMeasured));  // DimMeasured
  server.dimension->set(3, numberValue(VT_R8, dimension.DimSecondary));  // DimSecondary
  const TextCmdRecord textCmd = command.textCmd.value_or(TextCmdRecord{});
  server.textCommand->set(1, textValue(textCmd.TextCmdName.c_str()));  // TextCmdName
  server.textCommand->set(2, textValue(textCmd.TextCmdText.c_str()));  // TextCmdText
}

// Each event returns once the converter has handled it, reads of the command included.
void play(FakeKalveroServer& server, const program::ProgramExecutor& executor, PlanEntry entry) {
  IDispatch* const partProgram = server.partProgram.get();
  for (std::uint64_t run = entry.first; run <= entry.runs; ++run) {
    server.events->fire(kFakeOnStartExecution, {partProgram});
    const std::vector<CommandRecord> commands = executor.run(run);
    for (std::size_t index = 0; index < commands.size(); ++index) {
      if (run == entry.runs && index + 1 == entry.killedAt) {
        const auto killed = ComPtr<KilledCommand>::adopt(new KilledCommand(server.life));
        server.events->fire(kFakeOnObjectExecuted, {partProgram, killed.get()});
      }
      present(server, commands[index]);
      server.events->fire(kFakeOnObjectExecuted, {partProgram, server.command.get()});
    }
  }
}

PlanEntry planEntry(const std::wstring& text) {
  const std::size_t colon = text.find(L':');
  const std::size_t dash = text.find(L'-');
  if (dash != std::wstring::npos) {
    return {std::stoull(text.substr(0, dash)), std::stoull(text.substr(dash + 1)), 0};
  }
  return {1, std::stoull(text.substr(0, colon)),
          colon == std::wstring::npos ? 0 : std::stoull(text.substr(colon + 1))};
}

void announce(const std::wstring& prefix, const std::wstring& name) {
  std::ofstream(std::filesystem::path(prefix + L"-" + name)) << "1\n";
}

int serve(const program::MeasuringProgram& measuring, const std::wstring& signalPrefix,
          const std::vector<PlanEntry>& plan, FakeKalveroServer::Offer offer) {
  const program::ProgramExecutor executor(measuring, program::chooseSeed(measuring, {}));
  FakeKalveroServer server({.offer = offer, .registerTypes = true});
  server.application->set(31, textValue(measuring.versionText.c_str()));  // AppVersionText
  server.partProgram->set(6, textValue(measuring.partProgName.c_str()));  // PartProgName
  announce(signalPrefix, L"bereit");
  // A subscription is seen at a tick after the converter's Advise has returned; the runs start
  // two seconds later, once the converter has opened its capture, as an operator's would.
  SetTimer(nullptr, 0, 50, nullptr);
  std::size_t played = 0;
  int ticksSubscribed = 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && played < plan.size() &&
        server.events->advises > static_cast<int>(played) && ++ticksSubscribed == 40) {
      ticksSubscribed = 0;
      play(server, executor, plan[played++]);
      announce(signalPrefix, L"fertig-" + std::to_wstring(played));
    }
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace
}  // namespace kvotlk::test

int wmain(int argc, wchar_t* argv[]) {
  using namespace kvotlk;
  if (argc < 4) {
    std::fputs("Aufruf: kvotlk_fake_kalvero_player MESSPROGRAMM SIGNAL [factory] PLAN...\n",
               stderr);
    return 2;
  }
  const program::ProgramOrError read = program::readProgramFile(argv[1]);
  if (const auto* error = std::get_if<program::ProgramError>(&read)) {
    std::fprintf(stderr, "%s\n", error->text().c_str());
    return 2;
  }
  const bool factory = std::wstring_view(argv[3]) == L"factory";
  std::vector<test::PlanEntry> plan;
  for (int i = factory ? 4 : 3; i < argc; ++i) {
    plan.push_back(test::planEntry(argv[i]));
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return test::serve(std::get<program::MeasuringProgram>(read), argv[2], plan,
                     factory ? test::FakeKalveroServer::Offer::ClassFactory
                             : test::FakeKalveroServer::Offer::RunningObject);
}
