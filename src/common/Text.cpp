#include "common/Text.h"

#include <array>

namespace kvotlk {
namespace {

constexpr char32_t kReplacement = U'\uFFFD';

// Code points of the bytes 0x80..0x9F; unassigned bytes keep their own number.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char cp1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    return static_cast<char>(static_cast<unsigned char>(c));
  }
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == c) {
      return static_cast<char>(static_cast<unsigned char>(0x80 + i));
    }
  }
  return '?';
}

// Decodes one code point at pos and advances pos; a broken sequence gives kReplacement
// and consumes one byte.
char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t len = 0;
  char32_t cp = 0;
  if ((lead & 0xE0U) == 0xC0U) {
    len = 2;
    cp = lead & 0x1FU;
  } else if ((lead & 0xF0U) == 0xE0U) {
    len = 3;
    cp = lead & 0x0FU;
  } else if ((lead & 0xF8U) == 0xF0U) {
    len = 4;
    cp = lead & 0x07U;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + len > s.size()) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < len; ++i) {
    const auto cont = static_cast<unsigned char>(s[pos + i]);
    if ((cont & 0xC0U) != 0x80U) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6U) | (cont & 0x3FU);
  }
  const bool overlong =
      (len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += len;
  return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0U | (cp >> 6U));
    out += static_cast<char>(0x80U | (cp & 0x3FU));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0U | (cp >> 12U));
    out += static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU));
    out += static_cast<char>(0x80U | (cp & 0x3FU));
  } else {
    out += static_cast<char>(0xF0U | (cp >> 18U));
    out += static_cast<char>(0x80U | ((cp >> 12U) & 0x3FU));
    out += static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU));
    out += static_cast<char>(0x80U | (cp & 0x3FU));
  }
}

// Byte offset of character index n (or the end).
std::size_t offsetOfChar(std::string_view s, std::size_t n) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < n && pos < s.size(); ++i) {
    nextCodePoint(s, pos);
  }
  return pos;
}

}  // namespace

std::string toCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = nextCodePoint(utf8, pos);
    out += cp == kReplacement ? '?' : cp1252Byte(cp);
  }
  return out;
}

std::string fromCp1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b < 0xA0) {
      appendUtf8(out, kCp1252High[b - 0x80U]);
    } else {
      appendUtf8(out, b);
    }
  }
  return out;
}

void appendLine(std::string& out, std::string_view line) {
  out += line;
  out += "\r\n";
}

std::vector<std::string> splitLines(std::string_view content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(content.substr(start));
      break;
    }
    lines.emplace_back(content.substr(start, end - start));
    const bool crLf = content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n';
    start = end + (crLf ? 2 : 1);
  }
  return lines;
}

std::string trimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::size_t charCount(std::string_view utf8) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    nextCodePoint(utf8, pos);
    ++count;
  }
  return count;
}

std::string leftChars(std::string_view utf8, std::size_t n) {
  return std::string(utf8.substr(0, offsetOfChar(utf8, n)));
}

std::string rightChars(std::string_view utf8, std::size_t n) {
  const std::size_t count = charCount(utf8);
  return count <= n ? std::string(utf8) : std::string(utf8.substr(offsetOfChar(utf8, count - n)));
}

std::string midChars(std::string_view utf8, std::size_t start, std::size_t n) {
  const std::size_t from = offsetOfChar(utf8, start);
  const std::string_view rest = utf8.substr(from);
  return n == std::string::npos ? std::string(rest)
                                : std::string(rest.substr(0, offsetOfChar(rest, n)));
}

std::string lowerCase(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = nextCodePoint(utf8, pos);
    if ((cp >= U'A' && cp <= U'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) {
      cp += 0x20;
    }
    appendUtf8(out, cp);
  }
  return out;
}

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    out += nextCodePoint(utf8, pos);
  }
  return out;
}

std::string encodeUtf8(std::u32string_view text) {
  std::string out;
  for (const char32_t cp : text) {
    appendUtf8(out, cp);
  }
  return out;
}

void appendEscapedField(std::string& out, std::string_view field) {
  for (const char c : field) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
}

std::optional<char> unescapedChar(char c) {
  switch (c) {
    case '\\':
      return '\\';
    case 't':
      return '\t';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    default:
      return std::nullopt;
  }
}

}  // namespace kvotlk
