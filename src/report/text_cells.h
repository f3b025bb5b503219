// Texts as rows of character cells. The report font is fixed-pitch, so one
// character takes one cell whatever its byte length in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// One character a cell. A byte that does not begin a valid UTF-8 sequence (a
// text in a Windows code page) becomes a cell of its own, held as a lone
// surrogate so that EncodeCells gives the very same byte back.
std::u32string DecodeCells(std::string_view text);
std::string EncodeCells(std::u32string_view cells);

// The number of cells the text takes.
int CellCount(std::string_view text);

}  // namespace corvane
