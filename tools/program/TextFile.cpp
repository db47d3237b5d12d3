#include "program/TextFile.h"

#include <fstream>
#include <system_error>

namespace kvotlk::program {

std::variant<std::string, FileProblem> readWholeFile(const std::filesystem::path& path,
                                                     std::uintmax_t maxSize) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return FileProblem::Missing;
  }
  const auto size = std::filesystem::file_size(path, error);
  if (error) {
    return FileProblem::Unreadable;
  }
  if (size > maxSize) {
    return FileProblem::TooLarge;
  }
  std::ifstream stream(path, std::ios::binary);
  std::string content(static_cast<std::size_t>(size), '\0');
  stream.read(content.data(), static_cast<std::streamsize>(content.size()));
  if (!stream || stream.gcount() != static_cast<std::streamsize>(content.size())) {
    return FileProblem::Unreadable;
  }
  return content;
}

std::string_view withoutByteOrderMark(std::string_view content) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    content.remove_prefix(kByteOrderMark.size());
  }
  return content;
}

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

}  // namespace kvotlk::program
