#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The fuzzer's bytes read as a stream of small decisions. Past the end every read answers
// zero or empty, so a harness never has to test for the end itself.
namespace kvotlk::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size);

  bool empty() const { return pos_ >= bytes_.size(); }
  std::uint8_t byte();
  bool flag() { return (byte() & 1U) != 0; }
  // A number from 0 to count - 1; count must be at least 1.
  std::size_t below(std::size_t count);
  std::int16_t int16();
  std::int32_t int32();
  // Eight bytes as the bits of a double: every NaN, infinity and denormal can come up.
  double rawDouble();
  // Mostly one of the values that test rounding and the ends of the range, else raw bits.
  double value();
  // A length byte (at most maxLength) and that many bytes.
  std::string text(std::size_t maxLength);
  // Mostly a characteristic ID worth trying, else a few raw bytes.
  std::string characteristicId();
  // Everything not read yet.
  std::string rest();

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Reports a broken promise and aborts, so that libFuzzer keeps the input as a crash.
void expect(bool condition, std::string_view promise);

}  // namespace kvotlk::fuzz
