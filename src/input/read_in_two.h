// Reading a large file on two threads: the second reads the part after a cut
// near the middle while the first reads up to it, and the result is the one
// reading on one thread gives (each reader's TakeSecondHalf says why). ReadRoadway and
// ReadRoadwayFromBytes do so from this size on; tests place the cut anywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "input/read_roadway.h"

namespace corvane {

inline constexpr uint64_t kTwoThreadReadSize = 512 * 1024;

// As ReadRoadway and ReadRoadwayFromBytes, whatever the size, with the cut
// looked for from byte `cutSearchFrom` on. `joined` tells whether the second
// thread's part became the roadway's end.
ReadResult ReadRoadwayCutFrom(const std::string& path, Messages& messages, uint64_t cutSearchFrom,
                              bool& joined);
ReadResult ReadRoadwayFromBytesCutFrom(std::string_view bytes, const std::string& name,
                                       Messages& messages, uint64_t cutSearchFrom, bool& joined);

}  // namespace corvane
