// What must hold whatever bytes a paving-grades file holds. A check that fails
// aborts with its reason, so libFuzzer reports it as a crash and keeps the input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/read_roadway.h"

#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : ::corvane::fuzz::CheckFailed(#condition, __FILE__, __LINE__))

namespace corvane::fuzz {

[[noreturn]] void CheckFailed(const char* condition, const char* file, int line);

// The readers' promises: a refused file shows exactly one message saying why
// (after any "Error in StoreSide" of short divided rows, the only message that
// lets reading go on); a file read has one to 2001 stations on each of its
// sides, at most 31 points a station, every text valid UTF-8, and no offset
// point yet.
void CheckRead(const ReadResult& read, const std::vector<std::string>& shown);

// Whether two roadways hold the same stations with the same texts.
bool SameRoadway(const Roadway& a, const Roadway& b);

// A text the program computed: empty, or a plain decimal number (an optional
// minus, digits, at most one decimal point), never "inf", "nan" or an exponent.
bool IsPlainNumberText(std::string_view text);

}  // namespace corvane::fuzz
