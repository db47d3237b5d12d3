#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace testing {
class Test;
}

// A case file: free text, then sections "-- NAME [ARGUMENT] --" whose content is every line
// up to the next header. docs/testing.md describes the sections.
namespace kvotlk::cases {

struct Section {
  std::string name;
  std::string argument;
  // The header line and the content exactly as in the file, line ends included.
  std::string header;
  std::string content;
  // Added by the runner to compare a default (exit 0, no message); not from the file.
  bool added = false;
};

struct CaseFile {
  std::string preamble;
  std::vector<Section> sections;

  // The first section of that name and argument; nullptr when there is none.
  const Section* find(std::string_view name, std::string_view argument = {}) const;
  // The file again, byte for byte as read when nothing was changed.
  std::string text() const;
};

CaseFile parseCase(std::string_view text);

// File bytes (Windows-1252) as section text: CR LF ends a line, a lone CR is "␍", a lone
// LF "␊" and a line end, another control byte its control picture; a file not ending in
// a line end gets "␃" and a line end.
std::string renderFile(std::string_view bytes);
// The other way round.
std::string fileBytes(std::string_view section);

// The lines that differ, as a unified diff of expected (-) against actual (+).
std::string unifiedDiff(std::string_view expected, std::string_view actual);

// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
// One test of that suite for each file ending in extension below folder, sorted, named by
// its path without the extension, every character but letters and digits as "_".
void registerFiles(const std::filesystem::path& folder, const std::string& extension,
                   const char* suite,
                   const std::function<testing::Test*(const std::filesystem::path&)>& make);

}  // namespace kvotlk::cases
