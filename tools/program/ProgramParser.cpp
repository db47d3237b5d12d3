#include "program/ProgramParser.h"

#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "common/Text.h"
#include "program/ProgramLine.h"
#include "program/ProgramStatements.h"

namespace kvotlk::program {
namespace {

// Whether the bytes are well-formed UTF-8 (shortest forms, no surrogates).
bool isUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    int follow = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
      follow = 0;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      follow = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      follow = 2;
      low = lead == 0xE0 ? 0xA0 : 0x80;
      high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      follow = 3;
      low = lead == 0xF0 ? 0x90 : 0x80;
      high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      return false;
    }
    ++pos;
    for (int i = 0; i < follow; ++i, ++pos) {
      if (pos >= bytes.size()) {
        return false;
      }
      const auto next = static_cast<unsigned char>(bytes[pos]);
      if (next < low || next > high) {
        return false;
      }
      low = 0x80;
      high = 0xBF;
    }
  }
  return true;
}

std::string asUtf8(std::string_view content) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    content.remove_prefix(kByteOrderMark.size());
  }
  return isUtf8(content) ? std::string(content) : fromCp1252(content);
}

}  // namespace

std::string ProgramError::text() const {
  if (line <= 0) {
    return file + ": " + message;
  }
  return file + ", Zeile " + std::to_string(line) + ": " + message;
}

ProgramOrError parseProgram(std::string_view content, const std::string& fileName) {
  const std::vector<std::string> lines = splitLines(asUtf8(content));
  ProgramBuilder builder;
  int number = 0;
  for (const std::string& line : lines) {
    ++number;
    auto tokens = tokenizeLine(line);
    std::optional<std::string> error;
    if (const auto* message = std::get_if<std::string>(&tokens)) {
      error = *message;
    } else {
      error = builder.add(number, std::get<LineTokens>(tokens));
    }
    if (error) {
      return ProgramError{fileName, number, *error};
    }
  }
  if (auto error = builder.finish(number)) {
    return ProgramError{fileName, error->first, error->second};
  }
  return builder.take();
}

ProgramOrError readProgramFile(const std::filesystem::path& path) {
  const auto u8 = path.u8string();
  const std::string name(u8.begin(), u8.end());
  std::error_code code;
  const auto size = std::filesystem::file_size(path, code);
  if (code) {
    return ProgramError{name, 0, "Die Datei kann nicht gelesen werden."};
  }
  if (size > kMaxProgramFileSize) {
    return ProgramError{name, 0, "Die Datei ist zu groß für ein Messprogramm (mehr als 16 MB)."};
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  if (!in) {
    return ProgramError{name, 0, "Die Datei kann nicht gelesen werden."};
  }
  return parseProgram(content.str(), name);
}

}  // namespace kvotlk::program
