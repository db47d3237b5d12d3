// Runs every case file below tests/cases through the job of kvotlk-replay, one GoogleTest
// test per file. --aktualisieren writes the actual outputs into the expected sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <numeric>
#include <set>

#include "CaseFile.h"
#include "FaultyFileSystem.h"
#include "kvotlk-replay/ReplayMain.h"
#include "support/TestDoubles.h"

namespace kvotlk::cases {
namespace {

namespace fs = std::filesystem;

const std::set<std::string, std::less<>> kInputs = {"optionen", "datei", "ohne", "fehler"};
// Compared after the job; exit and meldungen also when absent, expecting the default.
const std::set<std::string, std::less<>> kExpected = {"exit", "meldungen", "ausgabe", "dateien",
                                                      "erwartet"};
// The input files beside the program folder, with their options.
const std::map<std::string, std::pair<std::string, std::string>> kInputFiles = {
    {"einstellungen", {"einstellungen.ini", "--einstellungen"}},
    {"auftrag", {"auftrag.txt", "--auftrag"}},
    {"messprogramm", {"messprogramm.kmp", "--messprogramm"}},
    {"ablauf", {"ablauf.txt", "--ablauf"}}};

void writeBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Sections of lines compare without blank lines at their end.
std::string lines(std::string text) {
  while (text.ends_with("\n\n") || text == "\n") {
    text.pop_back();
  }
  return text.empty() || text.ends_with('\n') ? text : text + "\n";
}

class CaseTest final : public ::testing::Test {
 public:
  CaseTest(fs::path path, bool update) : path_(std::move(path)), update_(update) {}

 private:
  void TestBody() override {
    std::string pattern = (fs::temp_directory_path() / "kvotlk-fall-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    temp_ = pattern;
    program_ = temp_ + "/Programm";
    file_ = parseCase(readFile(path_));
    for (const Section& s : file_.sections) {
      ASSERT_TRUE(kInputs.contains(s.name) || kExpected.contains(s.name) ||
                  kInputFiles.contains(s.name))
          << "unbekannter Abschnitt " << s.header;
    }
    prepareFolder();
    std::ostringstream out;
    std::ostringstream err;
    const int code = runJob(out, err);
    check({{"exit", std::to_string(code) + "\n"},
           {"meldungen", withoutFolder(err.str())},
           {"ausgabe", withoutFolder(out.str())},
           {"dateien", filesLeft()}});
    fs::remove_all(temp_);
  }

  std::string withFolder(const std::string& text) const {
    return replaceAll(replaceAll(text, "$PROGRAMM", program_), "$BEISPIELE", KVOTLK_EXAMPLES);
  }

  std::string withoutFolder(const std::string& text) const {
    return replaceAll(replaceAll(replaceAll(text, program_, "$PROGRAMM"), temp_ + "/", ""), temp_,
                      "");
  }

  std::string relative(const fs::path& path) const {
    return fs::relative(path, program_).generic_string();
  }

  // The sample catalogues, then the case's files; the catalogues as placed are kept.
  void prepareFolder() {
    fs::create_directories(program_ + "/Kataloge");
    fs::copy(KVOTLK_SAMPLE_CATALOGUES, program_ + "/Kataloge");
    for (const Section& section : file_.sections) {
      const fs::path path = fs::path(program_) / section.argument;
      if (section.name == "datei") {
        writeBytes(path, fileBytes(withFolder(section.content)));
      } else if (section.name == "ohne") {
        fs::remove(path);
      } else if (kInputFiles.contains(section.name)) {
        writeBytes(temp_ + "/" + kInputFiles.at(section.name).first, withFolder(section.content));
      }
    }
    for (const auto& entry : fs::directory_iterator(program_ + "/Kataloge")) {
      placed_[relative(entry.path())] = readFile(entry.path());
    }
  }

  // The input files and the case's options, after the runner's defaults unless given.
  std::vector<std::string> arguments() const {
    const Section* options = file_.find("optionen");
    std::istringstream given(options != nullptr ? withFolder(options->content) : "");
    std::vector<std::string> args;
    for (std::string word; given >> std::quoted(word);) {
      args.push_back(word);
    }
    for (const auto& [name, input] : kInputFiles) {
      if (file_.find(name) != nullptr) {
        args.insert(args.begin(), {input.second, temp_ + "/" + input.first});
      }
    }
    for (const auto& [option, value] :
         std::map<std::string, std::string>{{"--programmordner", program_},
                                            {"--zeit", "05.12.2026 09:30:00"},
                                            {"--zufall", "1"}}) {
      if (std::find(args.begin(), args.end(), option) == args.end()) {
        args.insert(args.begin(), {option, value});
      }
    }
    return args;
  }

  int runJob(std::ostream& out, std::ostream& err) {
    const auto machine = makeFileSystem();
    FaultyFileSystem files(*machine, program_,
                           parseFaults(file_.find("fehler") ? file_.find("fehler")->content : ""));
    // Retries wait for nothing; the time and names come from the options.
    test::FixedClock clock;
    test::SequenceRandom random;
    return replay::replayMain(arguments(), {files, clock, random}, out, err);
  }

  // Every file in the program folder but the catalogues still as they were placed.
  std::string filesLeft() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(program_)) {
      const auto placed = placed_.find(relative(entry.path()));
      if (entry.is_regular_file() &&
          (placed == placed_.end() || placed->second != readFile(entry.path()))) {
        names.push_back(relative(entry.path()) + "\n");
      }
    }
    std::sort(names.begin(), names.end());
    return std::accumulate(names.begin(), names.end(), std::string());
  }

  void check(const std::map<std::string, std::string>& results) {
    const auto firstExpected =
        std::find_if(file_.sections.begin(), file_.sections.end(),
                     [](const Section& s) { return kExpected.contains(s.name); });
    const auto at = firstExpected - file_.sections.begin();
    for (const auto& [name, fallback] : {std::pair{"meldungen", ""}, std::pair{"exit", "0\n"}}) {
      if (file_.find(name) == nullptr) {
        file_.sections.insert(file_.sections.begin() + at,
                              {name, "", std::string("-- ") + name + " --\n", fallback, true});
      }
    }
    std::string failures;
    for (Section& section : file_.sections) {
      const bool isFile = section.name == "erwartet";
      const fs::path path = fs::path(program_) / section.argument;
      if (!kExpected.contains(section.name)) {
        continue;
      }
      const std::string actual = !isFile            ? lines(results.at(section.name))
                                 : fs::exists(path) ? withoutFolder(renderFile(readFile(path)))
                                                    : "␄ fehlt\n";
      const std::string expected = isFile ? section.content : lines(section.content);
      if (actual != expected) {
        failures += section.header + unifiedDiff(expected, actual);
        // Blank lines before the next header stay.
        section.content = actual + section.content.substr(
                                       std::min(isFile ? section.content.size() : expected.size(),
                                                section.content.size()));
      }
    }
    if (!failures.empty() && !update_) {
      ADD_FAILURE_AT(path_.c_str(), 1)
          << "Fall " << path_.string() << " (- erwartet, + tatsächlich):\n"
          << failures;
    } else if (!failures.empty()) {
      std::erase_if(file_.sections, [](const Section& s) {
        return s.added && (s.content == "0\n" || s.content.empty());
      });
      std::ofstream(path_, std::ios::binary) << file_.text();
      std::cout << "aktualisiert: " << path_.string() << '\n';
    }
  }

  fs::path path_;
  bool update_;
  std::string temp_;
  std::string program_;
  CaseFile file_;
  std::map<std::string, std::string> placed_;
};

}  // namespace
}  // namespace kvotlk::cases

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const bool update =
      std::find(argv, argv + argc, std::string_view("--aktualisieren")) != argv + argc;
  // Cases lie in group folders, beside this folder's CMakeLists.txt.
  kvotlk::cases::registerFiles(KVOTLK_CASES, ".txt", "cases", [update](const auto& file) {
    return new kvotlk::cases::CaseTest(file, update);
  });
  return RUN_ALL_TESTS();
}
