// The header check and both readers, from the bytes of a file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "fuzz_checks.h"
#include "input/read_roadway.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    corvane::RecordingMessages messages;
    const corvane::ReadResult read = corvane::ReadRoadwayFromBytes(bytes, "fuzz.csv", messages);
    corvane::fuzz::CheckRead(read, messages.shown);

    // CR LF line ends read exactly as LF ones: same roadway, same messages.
    if (bytes.find('\r') != std::string_view::npos) {
        return 0;
    }
    std::string crlf;
    crlf.reserve(size + static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
    for (const char c : bytes) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    corvane::RecordingMessages crlfMessages;
    const corvane::ReadResult crlfRead =
        corvane::ReadRoadwayFromBytes(crlf, "fuzz.csv", crlfMessages);
    FUZZ_CHECK(crlfRead.Outcome == read.Outcome && crlfMessages.shown == messages.shown);
    FUZZ_CHECK(corvane::fuzz::SameRoadway(crlfRead.Roadway, read.Roadway));
    return 0;
}
