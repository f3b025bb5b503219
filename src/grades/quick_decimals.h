// Fast paths for the numbers a paving-grades file is made of: short plain
// decimals in, fixed decimals out. Each gives exactly the result of the
// general conversion or declines, so callers fall back to it; they exist
// because every point's offset and elevation is read several times a run.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The value of a text of the form [sign] digits [. digits] with at most 18
// digits, or nothing when the text is longer or has an exponent.
std::optional<double> ParsePlainDecimal(std::string_view text);

// The value with `decimals` fixed decimals, half away from zero, without
// leading zero and without "-" on zero, as the 15-digit rule gives it. Returns
// false, leaving `text` alone, when the value is too large or lies so close to
// a half that only the exact digits can decide.
bool FormatFixedQuickly(double value, int decimals, std::string& text);

}  // namespace corvane
