#include "CaseFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "common/Text.h"

namespace kvotlk::cases {
namespace {

constexpr char32_t kPictures = 0x2400;  // the control picture of byte c is U+2400 + c
constexpr char32_t kDeletePicture = 0x2421;
const std::string kEndOfText = "\xE2\x90\x83";  // ␃
const std::string kLineFeed = "\xE2\x90\x8A";   // ␊

bool isControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

std::string picture(unsigned char c) {
  return encodeUtf8(std::u32string(1, c == 0x7F ? kDeletePicture : kPictures + c));
}

}  // namespace

const Section* CaseFile::find(std::string_view name, std::string_view argument) const {
  const auto found = std::find_if(sections.begin(), sections.end(), [&](const Section& s) {
    return s.name == name && s.argument == argument;
  });
  return found == sections.end() ? nullptr : &*found;
}

std::string CaseFile::text() const {
  std::string out = preamble;
  for (const Section& section : sections) {
    out += section.header + section.content;
  }
  return out;
}

CaseFile parseCase(std::string_view text) {
  CaseFile file;
  std::string* content = &file.preamble;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end);
    const std::string_view bare = line.substr(0, line.find_last_not_of("\r\n") + 1);
    if (bare.size() > 6 && bare.starts_with("-- ") && bare.ends_with(" --")) {
      const std::string_view inner = bare.substr(3, bare.size() - 6);
      const std::size_t blank = std::min(inner.find(' '), inner.size());
      file.sections.push_back({std::string(inner.substr(0, blank)),
                               std::string(inner.substr(std::min(blank + 1, inner.size()))),
                               std::string(line),
                               {}});
      content = &file.sections.back().content;
    } else {
      *content += line;
    }
  }
  // A last line without its line end reads as if it had one.
  if (!content->empty() && !content->ends_with('\n')) {
    *content += '\n';
  }
  return file;
}

std::string renderFile(std::string_view bytes) {
  std::string out;
  std::string plain;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (!isControl(c)) {
      plain += bytes[i];
      continue;
    }
    out += fromCp1252(plain);
    plain.clear();
    if (bytes.substr(i, 2) == "\r\n") {
      out += '\n';
      ++i;
    } else {
      out += picture(c) + (c == '\n' ? "\n" : "");
    }
  }
  out += fromCp1252(plain);
  return out.empty() || out.back() == '\n' ? out : out + kEndOfText + "\n";
}

std::string fileBytes(std::string_view section) {
  std::string out;
  for (std::string line : splitLines(section)) {
    const bool open = line.ends_with(kEndOfText) || line.ends_with(kLineFeed);
    if (line.ends_with(kEndOfText)) {
      line.resize(line.size() - kEndOfText.size());
    }
    std::u32string plain;
    for (const char32_t c : decodeUtf8(line)) {
      if ((c >= kPictures && c < kPictures + 0x20) || c == kDeletePicture) {
        out += toCp1252(encodeUtf8(plain));
        plain.clear();
        out += static_cast<char>(c == kDeletePicture ? 0x7F : c - kPictures);
      } else {
        plain += c;
      }
    }
    out += toCp1252(encodeUtf8(plain)) + (open ? "" : "\r\n");
  }
  return out;
}

std::string unifiedDiff(std::string_view expected, std::string_view actual) {
  const std::vector<std::string> a = splitLines(expected);
  const std::vector<std::string> b = splitLines(actual);
  // common[i][j]: the longest common subsequence of a[i..] and b[j..].
  std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (std::size_t i = a.size(); i-- > 0;) {
    for (std::size_t j = b.size(); j-- > 0;) {
      common[i][j] =
          a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  std::vector<std::pair<std::string, std::size_t>> lines;  // marked line, line in a
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      lines.emplace_back(" " + a[i], i + 1);
      ++i;
      ++j;
    } else if (j < b.size() && (i == a.size() || common[i][j + 1] >= common[i + 1][j])) {
      lines.emplace_back("+" + b[j], i + 1);
      ++j;
    } else {
      lines.emplace_back("-" + a[i], i + 1);
      ++i;
    }
  }
  // Three lines of context around each change; "@@ -N @@" where lines are left out.
  std::string out;
  bool skipped = false;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const auto from = lines.begin() + static_cast<std::ptrdiff_t>(k < 3 ? 0 : k - 3);
    const auto to = lines.begin() + static_cast<std::ptrdiff_t>(std::min(k + 4, lines.size()));
    if (std::none_of(from, to, [](const auto& l) { return l.first[0] != ' '; })) {
      skipped = true;
      continue;
    }
    out +=
        (skipped ? "@@ -" + std::to_string(lines[k].second) + " @@\n" : "") + lines[k].first + "\n";
    skipped = false;
  }
  return out;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void registerFiles(const std::filesystem::path& folder, const std::string& extension,
                   const char* suite,
                   const std::function<testing::Test*(const std::filesystem::path&)>& make) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().extension() == extension && entry.path().filename() != "CMakeLists.txt") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::string name = fs::relative(file, folder).replace_extension().generic_string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) == 0; }, '_');
    ::testing::RegisterTest(suite, name.c_str(), nullptr, nullptr, file.c_str(), 1,
                            [file, make] { return make(file); });
  }
}

}  // namespace kvotlk::cases
