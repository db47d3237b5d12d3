#pragma once

#include <string>
#include <vector>

#include "support/FakeFileSystem.h"

// The faults of an operation in the manner of SQLite's I/O error tests: for every
// file-system call k of a clean run, one run where call k fails once and one where every
// call from k on fails.
namespace kvotlk::test {

struct Fault {
  int call = 1;
  bool fromThenOn = false;

  void apply(FakeFileSystem& files) const { files.failCall(call, fromThenOn); }
  std::string describe(const std::vector<FsCall>& clean) const {
    const FsCall& c = clean.at(static_cast<std::size_t>(call - 1));
    return "call " + std::to_string(call) + " (op " + std::to_string(static_cast<int>(c.op)) +
           ", " + c.path + ") fails " + (fromThenOn ? "from then on" : "once");
  }
};

inline std::vector<Fault> everyFault(const std::vector<FsCall>& clean) {
  std::vector<Fault> faults;
  for (int k = 1; k <= static_cast<int>(clean.size()); ++k) {
    faults.push_back({k, false});
    faults.push_back({k, true});
  }
  return faults;
}

}  // namespace kvotlk::test
