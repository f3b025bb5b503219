#include "report/grid_surface.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <numeric>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/text.h"
#include "report/text_cells.h"

namespace corvane {

namespace {

// The one transparent character. No byte of a multi-byte UTF-8 character is a
// blank, so a blank byte on a line is always a blank cell.
constexpr char kBlank = ' ';

// Draws a text of ASCII characters, each byte a cell, on a line whose every
// byte is a cell. Any other text is left to the caller: false, nothing drawn.
bool DrawOneByteCells(std::string& line, int column, std::string_view text) {
    if (!IsAscii(text)) {
        return false;
    }
    const std::size_t last = text.find_last_not_of(kBlank);
    const std::size_t drawnLength = last == std::string_view::npos ? 0 : last + 1;
    // Blanks at the end show what lies below them, so they never lengthen the line.
    text = text.substr(0, drawnLength);
    if (column < 0) {
        const auto dropped =
            std::min(text.size(), static_cast<std::size_t>(-static_cast<long long>(column)));
        text.remove_prefix(dropped);
        column += static_cast<int>(dropped);
    }
    if (text.empty()) {
        return true;
    }
    const auto start = static_cast<std::size_t>(column);
    if (start >= line.size()) {
        // Past the end of the line only blanks lie below: the text is copied as it is.
        line.append(start - line.size(), kBlank).append(text);
        return true;
    }
    if (start + text.size() > line.size()) {
        line.resize(start + text.size(), kBlank);
    }
    char* cell = line.data() + start;
    for (char character : text) {
        *cell = character == kBlank ? *cell : character;
        ++cell;
    }
    return true;
}

}  // namespace

GridSurface::GridSurface(int lineCount) : lines_(lineCount > 0 ? lineCount : 0) {}

// A text of up to 16 ASCII bytes on a line of one-byte cells, as nearly every
// text of a page is, drawn in a few vector steps: its 16 bytes, padded with
// blanks, over the 16 cells from its column, each blank showing the cell below.
// The line's bytes are kept blank beyond its end, so the cells past the line
// are there to draw on. False, nothing drawn, for any other text.
[[gnu::always_inline]] inline bool GridSurface::DrawShortText(
    [[maybe_unused]] Line& line, [[maybe_unused]] int column,
    [[maybe_unused]] std::string_view text) {
#if defined(__SSE2__)
    constexpr std::size_t kVectorBytes = 16;
    if (text.size() > kVectorBytes || column < 0) {
        return false;
    }
    const __m128i blank = _mm_set1_epi8(kBlank);
    alignas(kVectorBytes) char padded[kVectorBytes];
    _mm_store_si128(reinterpret_cast<__m128i*>(padded), blank);
    CopyShortBytes(padded, text.data(), text.size());
    const __m128i characters = _mm_load_si128(reinterpret_cast<const __m128i*>(padded));
    if (_mm_movemask_epi8(characters) != 0) {
        return false;  // a byte of a character of several
    }
    const __m128i blanks = _mm_cmpeq_epi8(characters, blank);
    constexpr unsigned kAllBytes = (1U << kVectorBytes) - 1;
    const unsigned shown = ~static_cast<unsigned>(_mm_movemask_epi8(blanks)) & kAllBytes;
    // Blanks at the end show what lies below them, so they never lengthen the line.
    const auto drawnLength = static_cast<std::size_t>(std::bit_width(shown));
    if (drawnLength == 0) {
        return true;
    }
    const auto start = static_cast<std::size_t>(column);
    if (line.bytes.size() < start + kVectorBytes) {
        line.bytes.resize(start + kVectorBytes, kBlank);
    }
    char* const cells = line.bytes.data() + start;
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells));
    const __m128i drawn =
        _mm_or_si128(_mm_and_si128(blanks, below), _mm_andnot_si128(blanks, characters));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells), drawn);
    line.length = std::max(line.length, start + drawnLength);
    return true;
#else
    return false;
#endif
}

void GridSurface::Print(std::string_view text) {
    if (y_ < 0 || y_ >= static_cast<int>(lines_.size())) {
        return;
    }
    Line& line = lines_[y_];
    if (!line.cellStarts.empty() || !DrawShortText(line, x_, text)) {
        DrawAnyText(line, x_, text);
    }
}

// Kept out of Print, so that the short texts' path stays a few steps.
[[gnu::noinline]] void GridSurface::DrawAnyText(Line& line, int column, std::string_view text) {
    // The blanks after the line are no part of it here.
    line.bytes.resize(line.length);
    if (!line.cellStarts.empty() || !DrawOneByteCells(line.bytes, column, text)) {
        DrawCells(line, column, text);
    }
    line.length = line.bytes.size();
}

void GridSurface::PrintInCell(int column, int line, std::string_view text) {
    x_ = column;
    y_ = line;
    GridSurface::Print(text);
}

// Any text, one character at a time.
void GridSurface::DrawCells(Line& line, int column, std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++column) {
        const std::string_view cell = text.substr(at, CellLength(text, at));
        at += cell.size();
        // Transparent drawing: a blank shows what lies below it.
        if (column >= 0 && cell != std::string_view(&kBlank, 1)) {
            SetCell(line, static_cast<std::size_t>(column), cell);
        }
    }
}

void GridSurface::SetCell(Line& line, std::size_t column, std::string_view cell) {
    std::string& bytes = line.bytes;
    std::vector<std::size_t>& starts = line.cellStarts;
    if (starts.empty()) {
        if (cell.size() == 1) {
            if (column >= bytes.size()) {
                bytes.resize(column + 1, kBlank);
            }
            bytes[column] = cell.front();
            return;
        }
        // The first cell of several bytes: from now on byte and cell differ.
        starts.resize(bytes.size());
        std::iota(starts.begin(), starts.end(), std::size_t{0});
    }
    while (column >= starts.size()) {
        starts.push_back(bytes.size());
        bytes += kBlank;
    }
    const std::size_t begin = starts[column];
    const std::size_t end = column + 1 < starts.size() ? starts[column + 1] : bytes.size();
    bytes.replace(begin, end - begin, cell);
    for (std::size_t later = column + 1; later < starts.size(); ++later) {
        starts[later] = starts[later] - (end - begin) + cell.size();
    }
}

void GridSurface::Clear() {
    for (Line& line : lines_) {
        if (line.cellStarts.empty()) {
            if (line.length != 0) {  // about half the lines of a page are empty
                std::memset(line.bytes.data(), kBlank, line.length);  // blank, ready to draw on
            }
        } else {
            line.bytes.clear();
            line.cellStarts.clear();
        }
        line.length = 0;
    }
}

std::string GridSurface::PageText() const {
    std::string page;
    AppendPageText(page);
    return page;
}

void GridSurface::AppendPageText(std::string& out) const {
    for (const Line& line : lines_) {
        const std::string_view bytes(line.bytes.data(), line.length);
        const std::size_t last = bytes.find_last_not_of(kBlank);
        if (last != std::string_view::npos) {  // about half the lines of a page are empty
            out.append(bytes.data(), last + 1);
        }
        out += '\n';
    }
}

}  // namespace corvane
