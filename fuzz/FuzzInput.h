#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/modGlobaleVariablen.h"
#include "common/LocaleNumbers.h"
#include "entry/OrderForm.h"
#include "output/ValueText.h"

// The fuzzer's bytes read as a stream of small decisions. Past the end every read answers
// zero or empty, so a harness never has to test for the end itself.
namespace kvotlk::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size);

  bool empty() const { return pos_ >= bytes_.size(); }
  std::uint8_t byte() { return empty() ? 0 : static_cast<std::uint8_t>(bytes_[pos_++]); }
  bool flag() { return (byte() & 1U) != 0; }
  // A number from 0 to count - 1; count must be at least 1.
  std::size_t below(std::size_t count);
  std::int16_t int16() { return static_cast<std::int16_t>(bits(2)); }
  std::int32_t int32() { return static_cast<std::int32_t>(bits(4)); }
  // Mostly one of the values that test rounding and the ends of the range, else a measured
  // value of four decimals, else any bits: every NaN, infinity and denormal can come up.
  double value();
  // A length byte (at most maxLength) and that many bytes.
  std::string text(std::size_t maxLength);
  // Mostly a characteristic ID worth trying, else a few raw bytes.
  std::string characteristicId();

 private:
  // The next bytes, big-endian.
  std::uint64_t bits(int bytes);

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Reports a broken promise and aborts, so that libFuzzer keeps the input as a crash.
void expect(bool condition, std::string_view promise);

// The text reads back under the numbers' separator as the value rounded to the decimals
// (within half a unit of the last place and the 15-digit reduction) and gives the same
// text again: the value a result file shows is the value it means.
void expectRoundTrip(PortableLocaleNumbers& numbers, const std::string& text, double value,
                     int decimals);

// The result file of the data, checked against CaptureDataProblem: written exactly when it
// finds nothing, and then with the lines of the block format, every line ending in CR LF.
void checkResultFile(const modGlobaleVariablen& g, const OrderForm& form,
                     const ValueFormat& format);

}  // namespace kvotlk::fuzz
