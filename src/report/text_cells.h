// Texts as rows of character cells. The report font is fixed-pitch, so one
// character takes one cell whatever its byte length in UTF-8.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvane {

// The number of bytes of the cell that starts at text[at] (at < text.size()):
// the length of the valid UTF-8 character there, or else 1. A byte that does
// not begin a valid character (a text in a Windows code page) is a cell of its own.
std::size_t CellLength(std::string_view text, std::size_t at);

// The number of cells the text takes.
int CellCount(std::string_view text);

}  // namespace corvane
