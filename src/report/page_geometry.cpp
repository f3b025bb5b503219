#include "report/page_geometry.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <iterator>
#include <optional>

namespace corvane {

namespace {

// Written without the locale, which may want a decimal comma.
std::string LocaleFreeText(double value, std::optional<int> decimals = std::nullopt) {
    char text[400];  // room for any double in fixed notation
    const std::to_chars_result written =
        decimals ? std::to_chars(text, std::end(text), value, std::chars_format::fixed, *decimals)
                 : std::to_chars(text, std::end(text), value);
    return std::string(text, written.ptr);
}

// A size in cells as short as it can be written: at most two decimals, unless
// those would put it on the other side of its bound ("61.496", not "61.5").
std::string CellsText(double cells, bool (*fits)(double)) {
    constexpr double kShownPrecision = 0.005;
    constexpr int kMostDecimals = 6;
    for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
        const std::string text = LocaleFreeText(cells, decimals);
        double shown = 0;
        std::from_chars(text.data(), text.data() + text.size(), shown);
        if (std::fabs(shown - cells) < kShownPrecision && fits(shown) == fits(cells)) {
            return text;
        }
    }
    return LocaleFreeText(cells);
}

}  // namespace

int RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(std::nearbyint(value));  // the default rounding: halves to even
}

int ColumnFromRight(PageSize page, int fromRight) {
    return RoundHalfEven(page.Columns - fromRight);
}

int LineFromBottom(PageSize page, int fromBottom) {
    return RoundHalfEven(page.Lines - fromBottom);
}

// The bounds are compared as numbers rather than by rounding the positions, so
// that a size that is no number at all fits nowhere.
bool PageColumnsFit(double columns) {
    return columns >= kFewestPageColumns && columns <= kMostPageColumns;
}

bool PageLinesFit(double lines) {
    return lines >= kFewestPageLines && lines < kPageLinesBelow;
}

bool PageFitsLayout(PageSize page) {
    return PageColumnsFit(page.Columns) && PageLinesFit(page.Lines);
}

std::string AcceptedPageRangeText() {
    return LocaleFreeText(kFewestPageColumns) + " to " + LocaleFreeText(kMostPageColumns) +
           " columns and " + LocaleFreeText(kFewestPageLines) + " to under " +
           LocaleFreeText(kPageLinesBelow) + " lines";
}

std::string PageCellsText(PageSize page) {
    return CellsText(page.Columns, PageColumnsFit) + "x" + CellsText(page.Lines, PageLinesFit);
}

}  // namespace corvane
