// Where the texts of a page sit, in character cells of the printer page,
// counted back from its right edge (a column is W - n, W = the page's columns)
// and from its bottom edge (a line is H - n, H = the page's lines). Every
// position is rounded to a whole cell, halves to the even neighbour.
//
// The page header, the page body and the range of pages the book accepts all
// read these numbers, so a page the range lets through has every text on it.
#pragma once

#include <string>

namespace corvane {

// The printable area of a page in character cells of 120 x 240 twips, as the
// printer reports it (fractions included).
struct PageSize {
    double Columns = 96;  // Letter, quarter-inch margins
    double Lines = 63;
    bool operator==(const PageSize&) const = default;
};

// The header line, which the page number line shares, and the date below it.
inline constexpr int kHeaderLineFromBottom = 62;
inline constexpr int kDateLineFromBottom = 61;

// Header columns. The leftmost text of a page, "Project No: " in the header
// and every station header of the body, starts at W - 89.
inline constexpr int kLeftmostColumnFromRight = 89;
inline constexpr int kGeopakColumnFromRight = 65;
inline constexpr int kTitleColumnFromRightOnWindow = 57;
inline constexpr int kTitleColumnFromRightOnPrinter = 59;
inline constexpr int kBookColumnFromRight = 41;
inline constexpr int kDateColumnFromRight = 25;
inline constexpr int kPageNumberColumnFromRight = 30;

// The body: blocks of six lines from H - 56. A block is started only while the
// row laid out last lies above the fixed line 50, whatever the page's height.
inline constexpr int kFirstBlockLineFromBottom = 56;
inline constexpr int kBlockLines = 6;
inline constexpr int kPageLineLimit = 50;

// The point cells (and a message station's texts) from W - 60, 20 columns apart.
inline constexpr int kFirstCellColumnFromRight = 60;
inline constexpr int kCellColumnStep = 20;

// The range of pages on which every text lands. A position x - n rounds to 0
// or more exactly when x >= n - 0.5, since -0.5 rounds to the even 0; the first
// block row H - 56 rounds below the even limit 50 exactly when it is below 49.5.
inline constexpr double kFewestPageColumns = kLeftmostColumnFromRight - 0.5;
inline constexpr double kFewestPageLines = kHeaderLineFromBottom - 0.5;
static_assert(kPageLineLimit % 2 == 0, "an odd limit would let its lower half-line round under it");
inline constexpr double kPageLinesBelow = kFirstBlockLineFromBottom + kPageLineLimit - 0.5;
// Not a layout bound: a sanity cap on a mistyped or misreported page width.
inline constexpr double kMostPageColumns = 1000;

// Rounds to the nearest whole number, halves to the even neighbour; saturates
// at the int range, and a value that is no number gives 0.
int RoundHalfEven(double value);

// The whole cell W - fromRight, and the whole line H - fromBottom.
int ColumnFromRight(PageSize page, int fromRight);
int LineFromBottom(PageSize page, int fromBottom);

// Whether every text of the layout lands on a page this wide or this tall, and
// on the page. Only such a page may be paginated.
bool PageColumnsFit(double columns);
bool PageLinesFit(double lines);
bool PageFitsLayout(PageSize page);

// For messages about a page: "96x110" (columns x lines), and the range of
// pages the layout fits on, "88.5 to 1000 columns and 61.5 to under 105.5 lines".
std::string PageCellsText(PageSize page);
std::string AcceptedPageRangeText();

}  // namespace corvane
