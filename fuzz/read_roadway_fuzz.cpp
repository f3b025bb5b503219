// The header check and both readers, from the bytes of a file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/messages.h"
#include "fuzz_checks.h"
#include "input/read_roadway.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    corvane::RecordingMessages messages;
    const corvane::ReadResult read = corvane::ReadRoadwayFromBytes(bytes, "fuzz.csv", messages);
    corvane::fuzz::CheckRead(read, messages.shown);
    return 0;
}
