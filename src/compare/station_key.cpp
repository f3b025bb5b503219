#include "compare/station_key.h"

#include "common/text.h"
#include "report/station_value.h"

namespace corvane {

namespace {

// The value without the trailing zeros of its decimals, so that equal values
// give equal keys; the prefixes keep a value apart from a text.
std::string KeyOf(const std::string& text, std::optional<int> stationDigits) {
    const std::optional<TaggedStation> station =
        stationDigits ? StationValueOf(text, *stationDigits) : std::nullopt;
    if (!station) {
        return "text " + std::string(Trim(text));
    }
    StationValue value = station->Value;
    while (value.Decimals > 0 && value.Scaled % 10 == 0) {
        value.Scaled /= 10;
        --value.Decimals;
    }
    return "value " + FormatStationValue(value) + " " + station->Tag;
}

}  // namespace

std::vector<std::string> StationKeys(const Book& book, std::optional<int> stationDigits) {
    std::vector<std::string> keys;
    keys.reserve(book.Stations.size());
    for (const ReportStation& station : book.Stations) {
        keys.push_back(KeyOf(station.StationText, stationDigits));
    }
    return keys;
}

}  // namespace corvane
