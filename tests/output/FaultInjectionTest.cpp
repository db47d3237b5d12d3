#include <gtest/gtest.h>

#include <algorithm>

#include "output/OutputFixture.h"
#include "output/OutputMessages.h"
#include "output/modTuLOutput.h"

// Every file-system call of a send is made to fail in turn: once, every time that same
// call is made again, and together with every call after it. After each send no data
// may be lost and the operator must have been told the truth.
namespace kvotlk::test {
namespace {

enum class Naming { Random, Fixed, Stamped };
enum class Mode { Once, ThisCallForGood, FromThenOn };
enum class Outcome { Delivered, StagedKept, CopyFailed, StagingFailed, ResultFailed };
enum class Role { Staging, Log, Staged, StagedTemp, Target, Final, TargetTemp };

struct Setup {
  Naming naming;
  bool freshInstallation;  // no staging folder yet; otherwise an old log lies in it
};

constexpr std::uint32_t kFirstDraws[] = {1, 2, 3, 4, 5, 6, 7, 8};
constexpr std::uint32_t kNextDraws[] = {9, 10, 11, 12, 13, 14, 15, 16};

struct World : SendWorld {
  explicit World(const Setup& setup) {
    if (setup.naming == Naming::Random) {
      t.setSetting("RANDOM", "1");
    } else if (setup.naming == Naming::Stamped) {
      t.setSetting("DateTimeStamp", "1");
    }
    if (!setup.freshInstallation) {
      t.files.addFile(staging + "TLDebug.txt", "altes Protokoll\r\n");
    }
  }

  bool send(const std::uint32_t (&draws)[8]) {
    t.random.draws.assign(std::begin(draws), std::end(draws));
    t.prompts.shown.clear();
    return WriteResultFile(t.env, t.g, form);
  }

  std::string key(const std::string& path) const { return fsKey(toFsPath(path)); }

  Role roleOf(const FsCall& call, const std::string& name) const {
    const std::pair<std::string, Role> roles[] = {
        {key(staging), Role::Staging},         {key(staging + "TLDebug.txt"), Role::Log},
        {key(stagedPath(name)), Role::Staged}, {key(target), Role::Target},
        {key(targetPath(name)), Role::Final},
    };
    for (const auto& [path, role] : roles) {
      if (call.path == path) {
        return role;
      }
    }
    // Temporary files carry the process id and random letters after the name.
    if (call.path.starts_with(key(staging + "~" + name + "."))) {
      return Role::StagedTemp;
    }
    if (call.path.starts_with(key(targetPath("~" + name + ".")))) {
      return Role::TargetTemp;
    }
    ADD_FAILURE() << "call outside the send's files: " << call.path;
    return Role::Staging;
  }

  long temporaryFiles() const {
    auto names = t.files.filesIn(staging);
    const auto more = t.files.filesIn(target);
    names.insert(names.end(), more.begin(), more.end());
    return std::count_if(names.begin(), names.end(),
                         [](const std::string& n) { return n.starts_with("~"); });
  }
};

// What the operator must be told when this one call fails, once or every time it is made.
Outcome expectedFor(const FsCall& call, Role role, bool forGood, bool fresh) {
  const Outcome retriedAway = forGood ? Outcome::CopyFailed : Outcome::Delivered;
  switch (role) {
    case Role::Staging:
      if (call.op == FsOp::CreateFolder) {
        return Outcome::StagingFailed;
      }
      return forGood && !fresh ? Outcome::StagingFailed : Outcome::Delivered;
    case Role::Log:
      return Outcome::Delivered;  // the send goes on without its log
    case Role::Staged:
      if (call.op == FsOp::Rename) {
        return Outcome::ResultFailed;
      }
      if (call.op == FsOp::ReadFile) {
        return retriedAway;
      }
      if (call.op == FsOp::RemoveFile) {
        return forGood ? Outcome::StagedKept : Outcome::Delivered;
      }
      return Outcome::Delivered;
    case Role::StagedTemp:
      return Outcome::ResultFailed;
    case Role::Final:
      return call.op == FsOp::FileExists ? Outcome::Delivered : retriedAway;
    case Role::Target:
    case Role::TargetTemp:
      return retriedAway;
  }
  return Outcome::Delivered;
}

// Whether the log cannot be replaced when this call fails.
bool logFails(const FsCall& call, Role role) {
  return role == Role::Log && (call.op == FsOp::RemoveFile || call.op == FsOp::CreateFile);
}

// From call k on everything fails: the first later call that matters decides.
Outcome expectedFromThenOn(const World& clean, const std::vector<FsCall>& calls, std::size_t k,
                           const std::string& name, bool fresh) {
  for (std::size_t i = k; i < calls.size(); ++i) {
    const Outcome o = expectedFor(calls[i], clean.roleOf(calls[i], name), true, fresh);
    if (o != Outcome::Delivered) {
      return o;
    }
  }
  return Outcome::Delivered;
}

// What the state after the send says happened; fails the test on a state that no
// outcome allows. The message about the log comes first and is told apart.
Outcome observed(World& w, bool result, const std::string& name, bool& logShown) {
  auto& shown = w.t.prompts.shown;
  logShown =
      !shown.empty() && shown[0].text == MessageLogFailed(w.staging + "TLDebug.txt", w.staging);
  if (logShown) {
    shown.erase(shown.begin());
  }
  const bool staged = w.t.files.hasFile(w.stagedPath(name));
  const bool final = w.t.files.hasFile(w.targetPath(name));
  EXPECT_LE(shown.size(), 1U);
  const std::string message = shown.empty() ? "" : shown[0].text;
  if (result) {
    EXPECT_TRUE(staged || final) << "reported as written, but the file is nowhere";
    if (message.empty()) {
      EXPECT_TRUE(final && !staged);
      return Outcome::Delivered;
    }
    if (message == MessageCopyFailed(w.staging)) {
      EXPECT_TRUE(staged && !final);
      return Outcome::CopyFailed;
    }
    EXPECT_EQ(message, MessageStagedCopyKept(name, w.staging));
    EXPECT_TRUE(staged && final);
    return Outcome::StagedKept;
  }
  EXPECT_FALSE(staged || final) << "reported as not sent, but a result file was left";
  if (message == MessageStagingFolder(w.staging)) {
    return Outcome::StagingFailed;
  }
  EXPECT_EQ(message, MessageResultFailed(w.stagedPath(name), w.staging));
  return Outcome::ResultFailed;
}

void checkNothingLost(const World& w, const std::string& name) {
  // Under its own name a result file is only ever complete, in either folder.
  for (const std::string& path : {w.stagedPath(name), w.targetPath(name)}) {
    if (w.t.files.hasFile(path)) {
      EXPECT_EQ(w.t.files.content(path), exampleFile()) << path;
    }
  }
}

void faultEveryCall(const Setup& setup) {
  World clean(setup);
  ASSERT_TRUE(clean.send(kFirstDraws));
  ASSERT_TRUE(clean.t.prompts.shown.empty());
  ASSERT_EQ(clean.t.files.filesIn(clean.target).size(), 1U);
  const std::string name = clean.t.files.filesIn(clean.target)[0];
  const std::vector<FsCall> calls = clean.t.files.calls;

  for (std::size_t k = 1; k <= calls.size(); ++k) {
    const FsCall& call = calls[k - 1];
    const Role role = clean.roleOf(call, name);
    for (const Mode mode : {Mode::Once, Mode::ThisCallForGood, Mode::FromThenOn}) {
      SCOPED_TRACE("call " + std::to_string(k) + " " + call.path + " op " +
                   std::to_string(static_cast<int>(call.op)) + " mode " +
                   std::to_string(static_cast<int>(mode)));
      World w(setup);
      if (mode == Mode::ThisCallForGood) {
        // Each attempt draws another temporary name; the fault holds for all of them.
        w.t.files.failWhen = [&](const FsCall& c) {
          const bool temporary = role == Role::StagedTemp || role == Role::TargetTemp;
          return c.op == call.op &&
                 (c.path == call.path || (temporary && clean.roleOf(c, name) == role));
        };
      } else {
        w.t.files.failCall(static_cast<int>(k), mode == Mode::FromThenOn);
      }
      const bool result = w.send(kFirstDraws);
      checkNothingLost(w, name);
      bool logShown = false;
      const Outcome outcome = observed(w, result, name, logShown);
      const Outcome expected =
          mode == Mode::FromThenOn
              ? expectedFromThenOn(clean, calls, k - 1, name, setup.freshInstallation)
              : expectedFor(call, role, mode == Mode::ThisCallForGood, setup.freshInstallation);
      EXPECT_EQ(static_cast<int>(outcome), static_cast<int>(expected));
      const bool logExpected =
          mode == Mode::FromThenOn && expected != Outcome::StagingFailed
              ? std::any_of(calls.begin() + static_cast<long>(k) - 1, calls.end(),
                            [&](const FsCall& c) { return logFails(c, clean.roleOf(c, name)); })
              : logFails(call, role);
      EXPECT_EQ(logShown, logExpected);
      if (mode != Mode::FromThenOn) {
        EXPECT_EQ(w.temporaryFiles(), 0);
      }

      // The fault is cleared; the operator has copied a kept file by hand and the CAQ
      // system has collected what arrived. The next send delivers.
      w.t.files.clearFaults();
      w.t.files.files.erase(w.key(w.stagedPath(name)));
      w.t.files.files.erase(w.key(w.targetPath(name)));
      const long leftBefore = w.temporaryFiles();
      ASSERT_TRUE(w.send(kNextDraws));
      EXPECT_TRUE(w.t.prompts.shown.empty());
      const std::string next = setup.naming == Naming::Random ? "JKLMNOPQ.txt" : name;
      EXPECT_EQ(w.t.files.content(w.targetPath(next)), exampleFile());
      EXPECT_FALSE(w.t.files.hasFile(w.stagedPath(next)));
      EXPECT_EQ(w.temporaryFiles(), leftBefore);
    }
  }
}

class FaultInjection : public ::testing::TestWithParam<Setup> {};

TEST_P(FaultInjection, EveryFileSystemCallOfASendFails) { faultEveryCall(GetParam()); }

INSTANTIATE_TEST_SUITE_P(AllNamings, FaultInjection,
                         ::testing::Values(Setup{Naming::Random, false},
                                           Setup{Naming::Fixed, false},
                                           Setup{Naming::Stamped, false},
                                           Setup{Naming::Fixed, true}));

}  // namespace
}  // namespace kvotlk::test
