#include "report/text_cells.h"

#include <algorithm>

#include "common/text.h"

namespace corvane {

std::size_t CellLength(std::string_view text, std::size_t at) {
    return std::max<std::size_t>(Utf8CharacterLength(text, at), 1);
}

// Every point cell of every page is measured, and nearly every character is
// ASCII, whose cell is its one byte.
int CellCount(std::string_view text) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        at += static_cast<unsigned char>(text[at]) < 0x80 ? 1 : CellLength(text, at);
    }
    return count;
}

}  // namespace corvane
