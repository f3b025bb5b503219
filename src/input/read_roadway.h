// Reading a paving-grades file: the header check and the two readers.
#pragma once

#include <string>
#include <string_view>

#include "common/messages.h"
#include "input/roadway.h"

namespace corvane {

enum class ReadOutcome {
    Read,        // Roadway holds the file's stations
    Rejected,    // a message has been shown; the run stops
    EndProgram,  // wrong side marker: the message has been shown, the program ends
};

struct ReadResult {
    ReadOutcome Outcome = ReadOutcome::Rejected;
    corvane::Roadway Roadway;  // meaningful only when Outcome is Read
};

// Opens the file once, checks its title line and reads it with the reader of
// its roadway type. A refused file gives Rejected after exactly one message.
ReadResult ReadRoadway(const std::string& path, Messages& messages);

// The same for a file already in memory: `bytes` are the file's bytes, `name`
// names it in messages.
ReadResult ReadRoadwayFromBytes(std::string_view bytes, const std::string& name,
                                Messages& messages);

}  // namespace corvane
