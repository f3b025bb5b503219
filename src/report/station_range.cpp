#include "report/station_range.h"

#include <algorithm>
#include <iterator>

#include "common/text.h"

namespace corvane {
namespace {

// One bound: open (no station) when its text is empty, else its station, or
// why it is none.
struct BoundReading {
    std::optional<TaggedStation> Station;
    std::string Refusal;
};

BoundReading ReadBound(const std::string& name, const std::string& text,
                       std::optional<int> stationDigits) {
    if (text.empty()) {
        return {};
    }
    const std::string quoted = name + " \"" + text + "\"";
    const std::optional<StationText> parts = ParseStationText(text);
    if (!parts) {
        return {std::nullopt,
                quoted + " is not a station text (A+B with an optional tag, such as 512+50.00)."};
    }
    const int digits = static_cast<int>(parts->BWhole.size());
    if (stationDigits && digits > *stationDigits) {
        return {std::nullopt, quoted + " has " + std::to_string(digits) +
                                  " digits after the \"+\" where the file's stations have " +
                                  std::to_string(*stationDigits) + "."};
    }
    std::optional<TaggedStation> station = StationValueOf(text, stationDigits.value_or(digits));
    if (!station) {
        return {std::nullopt, quoted + " has more digits than a station can hold."};
    }
    return {std::move(station), ""};
}

// Why the bounds make no range, or empty when they make one.
std::string RefusalOfBounds(const BoundReading& from, const BoundReading& to) {
    if (!from.Refusal.empty() || !to.Refusal.empty()) {
        return from.Refusal.empty() ? to.Refusal : from.Refusal;
    }
    if (from.Station && to.Station && !from.Station->Tag.empty() && !to.Station->Tag.empty() &&
        from.Station->Tag != to.Station->Tag) {
        return "FROM and TO carry different tags, \"" + from.Station->Tag + "\" and \"" +
               to.Station->Tag + "\".";
    }
    if (from.Station && to.Station && from.Station->Value > to.Station->Value) {
        return "FROM lies above TO.";
    }
    return "";
}

std::optional<StationValue> ValueOf(const BoundReading& bound) {
    if (!bound.Station) {
        return std::nullopt;
    }
    return bound.Station->Value;
}

std::string TagOf(const BoundReading& bound) {
    return bound.Station ? bound.Station->Tag : "";
}

// Whether a station text counts as one of the file's stations in the message
// about an empty range: it has a value, or, in a file where none has one, any
// station text.
bool NamesTheFileRun(const std::string& text, std::optional<int> stationDigits) {
    return stationDigits ? StationValueOf(text, *stationDigits).has_value() : !text.empty();
}

}  // namespace

bool StationRange::Holds(std::string_view stationText) const {
    if (IsWholeBook()) {
        return true;
    }
    if (!StationDigits) {
        return false;
    }
    const std::optional<TaggedStation> station = StationValueOf(stationText, *StationDigits);
    return station && (Tag.empty() || station->Tag == Tag) && (!From || station->Value >= *From) &&
           (!To || station->Value <= *To);
}

StationRangeReading ReadStationRange(std::string_view text, std::optional<int> stationDigits) {
    const std::string quoted = "Station range \"" + std::string(text) + "\": ";
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos) {
        return {std::nullopt,
                quoted + "write it as FROM..TO, for example 512+00..530+00, 512+00.. or ..530+00."};
    }
    StationRange range;
    range.Text = std::string(text);
    range.FromText = std::string(TrimBlanks(text.substr(0, dots)));
    range.ToText = std::string(TrimBlanks(text.substr(dots + 2)));
    const BoundReading from = ReadBound("FROM", range.FromText, stationDigits);
    const BoundReading to = ReadBound("TO", range.ToText, stationDigits);
    if (const std::string refusal = RefusalOfBounds(from, to); !refusal.empty()) {
        return {std::nullopt, quoted + refusal};
    }
    range.From = ValueOf(from);
    range.To = ValueOf(to);
    range.Tag = TagOf(from).empty() ? TagOf(to) : TagOf(from);
    range.StationDigits = stationDigits;
    return {std::move(range), ""};
}

Book RangeBook(const Book& whole, const StationRange& range) {
    Book book{whole.Side, whole.Type, {}};
    std::copy_if(whole.Stations.begin(), whole.Stations.end(), std::back_inserter(book.Stations),
                 [&](const ReportStation& station) { return range.Holds(station.StationText); });
    return book;
}

std::vector<Book> RangeBooks(const std::vector<Book>& whole, const StationRange& range) {
    std::vector<Book> books;
    for (const Book& book : whole) {
        books.push_back(RangeBook(book, range));
    }
    return books;
}

std::optional<std::string> NoStationInRangeMessage(const std::vector<Book>& whole,
                                                   const StationRange& range) {
    std::vector<const Book*> books;
    for (const Book& book : whole) {
        books.push_back(&book);
    }
    return NoStationInRangeMessage(books, range);
}

std::optional<std::string> NoStationInRangeMessage(const std::vector<const Book*>& whole,
                                                   const StationRange& range) {
    std::vector<const std::string*> run;  // the file's station texts that name its run
    for (const Book* book : whole) {
        for (const ReportStation& station : book->Stations) {
            if (range.Holds(station.StationText)) {
                return std::nullopt;
            }
            if (NamesTheFileRun(station.StationText, range.StationDigits)) {
                run.push_back(&station.StationText);
            }
        }
    }
    if (range.IsWholeBook()) {
        return std::nullopt;
    }
    const std::string first = run.empty() ? "" : *run.front();
    const std::string last = run.empty() ? "" : *run.back();
    return "No station lies in " + range.Text + "; the file runs from " + first + " to " + last +
           ".";
}

}  // namespace corvane
