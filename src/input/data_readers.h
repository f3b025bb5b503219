// The two readers of a paving-grades file's data, taking over the open file
// from the header check: the file is opened once and read front to back, so a
// file that can be read only once, such as a named pipe, is read whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/messages.h"
#include "input/line_reader.h"
#include "input/read_roadway.h"

namespace corvane {

// Each reads the rest of `file`, whose three header lines have been read;
// `path` names the file in messages. A refused file gives Rejected (or
// EndProgram) after its one message, and no roadway.

// A second reader of the same file, opened in its middle: the reader may read
// the part after a cut found there on a second thread. `joined` tells whether
// that part became the roadway's last stations.
struct MiddleOfFile {
    std::unique_ptr<LineReader> lines;
    uint64_t searchFrom = 0;  // where `lines` was opened: no cut lies before it
    bool joined = false;
};

// The stations of an undivided roadway: one side, each station closed by a
// separator row, a blank row, a row that names no station or a message row.
// With `middle`, the file may be read on two threads, with the same result.
ReadResult ReadUndivided(LineReader& file, const std::string& path, Messages& messages,
                         MiddleOfFile* middle = nullptr);

// The stations of a divided roadway: for each station a left group of rows and
// a right group of rows, each ended by one terminator line. With `middle`, the
// file may be read on two threads, with the same result.
ReadResult ReadDivided(LineReader& file, const std::string& path, Messages& messages,
                       MiddleOfFile* middle = nullptr);

}  // namespace corvane
