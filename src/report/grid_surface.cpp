#include "report/grid_surface.h"

#include "report/text_cells.h"

namespace corvane {

GridSurface::GridSurface(int lineCount) : lines_(lineCount > 0 ? lineCount : 0) {}

void GridSurface::Print(std::string_view text) {
    if (y_ < 0 || y_ >= static_cast<int>(lines_.size())) {
        return;
    }
    std::u32string& line = lines_[y_];
    int column = x_;
    for (char32_t character : DecodeCells(text)) {
        // Transparent drawing: a blank shows what lies below it.
        if (column >= 0 && character != U' ') {
            if (column >= static_cast<int>(line.size())) {
                line.resize(column + 1, U' ');
            }
            line[column] = character;
        }
        ++column;
    }
}

void GridSurface::Clear() {
    for (std::u32string& line : lines_) {
        line.clear();
    }
}

std::string GridSurface::PageText() const {
    std::string page;
    for (const std::u32string& line : lines_) {
        const auto end = line.find_last_not_of(U' ');
        const size_t length = end == std::u32string::npos ? 0 : end + 1;
        page += EncodeCells(std::u32string_view(line).substr(0, length));
        page += '\n';
    }
    return page;
}

}  // namespace corvane
