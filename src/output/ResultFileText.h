#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "output/ValueText.h"

// The text of the result file in the block format of the CAQ system: Windows-1252 bytes,
// CR LF after every line. Pure functions of the order data and the captured samples.
namespace kvotlk {

struct modGlobaleVariablen;
struct OrderForm;

// The decimals the file can carry; any other setting gives three.
inline constexpr int kLeastDecimals = 1;
inline constexpr int kMostDecimals = 5;

// 1 to 5 decimals as set; three for any other setting (0, negative, 6 and above).
int DecimalsFor(std::int16_t intAnzNachkomma);
ValueFormat MakeValueFormat(std::int16_t intAnzNachkomma, std::string_view decimalSeparatorUtf8);

// Why the captured data cannot be written, as one German sentence for the operator, or
// nullopt when they can. The writer needs: counters not below zero; at least one sample
// when a characteristic was counted; sample 1 with at least m names; samples 1..n with at
// least m values each; every value a finite number (the CAQ system cannot read "nan").
std::optional<std::string> CaptureDataProblem(const modGlobaleVariablen& g);

// Whether the head carries the "CHARGE=" line: nest ticked (or greyed) and the nest
// number not appended to the characteristics.
bool NestIdInHead(const modGlobaleVariablen& g, const OrderForm& form);

// The head: lines 1 to 7 and, when NestIdInHead, "CHARGE=" and its empty line.
std::string ResultFileHead(const modGlobaleVariablen& g, const OrderForm& form);

// Appends the block of characteristic i (1..m). The data must have passed
// CaptureDataProblem.
void AppendResultBlock(std::string& out, const modGlobaleVariablen& g, int i,
                       const ValueFormat& format);

inline constexpr std::string_view kResultFileEnd = "ENDE_MESSUNG\r\n";

// The whole file; nullopt when CaptureDataProblem finds a problem.
std::optional<std::string> ResultFileText(const modGlobaleVariablen& g, const OrderForm& form,
                                          const ValueFormat& format);

// A whole number in decimal, without sign padding or grouping.
std::string DecimalText(long long value);

}  // namespace kvotlk
