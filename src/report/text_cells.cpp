#include "report/text_cells.h"

#include <algorithm>

#include "common/text.h"

namespace corvane {

std::size_t CellLength(std::string_view text, std::size_t at) {
    return std::max<std::size_t>(Utf8CharacterLength(text, at), 1);
}

int CellCount(std::string_view text) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); at += CellLength(text, at)) {
        ++count;
    }
    return count;
}

}  // namespace corvane
