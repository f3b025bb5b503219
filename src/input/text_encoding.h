// Lines of a paving-grades file come from programs of two eras: newer ones
// write UTF-8, older ones the Windows code page 1252. Each line is kept as
// UTF-8 inside the program.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The line as UTF-8: itself when it already is valid UTF-8 (plain ASCII
// included), otherwise its Windows-1252 reading, written into `scratch`.
std::string_view DecodeLine(std::string_view bytes, std::string& scratch);

// What one pass over a line's bytes tells: whether all are ASCII (the line is
// then its own UTF-8) and whether one is NUL (in the line as read and as
// decoded alike, since both encodings keep NUL as it is).
struct LineBytes {
    bool ascii = true;
    bool nul = false;
};
LineBytes ExamineBytes(std::string_view bytes);

}  // namespace corvane
