#include "common/TemporaryName.h"

#include "common/Clock.h"
#include "common/FileSystem.h"
#include "common/Text.h"

namespace kvotlk {
namespace {

constexpr std::size_t kLongestFileName = 255;
constexpr std::size_t kHexDigits = 8;
constexpr std::size_t kRandomLetters = 4;
constexpr std::string_view kEnd = ".tmp";
constexpr std::uint32_t kLetters = 26;

std::string tag(FileSystem& files, RandomSource& random) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  const std::uint32_t id = files.processId();
  std::string text;
  for (std::size_t k = kHexDigits; k-- > 0;) {
    text += kHex[(id >> (4 * k)) & 0xFU];
  }
  for (std::size_t k = 0; k < kRandomLetters; ++k) {
    text += static_cast<char>('A' + random.below(kLetters));
  }
  return text;
}

}  // namespace

std::string TemporaryNameOf(FileSystem& files, RandomSource& random, std::string_view name) {
  const std::size_t room = kLongestFileName - 2 - kHexDigits - kRandomLetters - kEnd.size();
  // Appended piece by piece: "~" + std::string trips a false -Wrestrict of GCC 12 at -O3.
  std::string result(1, '~');
  result += leftChars(name, room);
  result += '.';
  result += tag(files, random);
  result += kEnd;
  return result;
}

}  // namespace kvotlk
