#include "compare/station_key.h"

#include "common/text.h"

namespace corvane {

// For now a station is known by its whole text, blanks around it aside.
std::vector<std::string> StationKeys(const Book& book) {
    std::vector<std::string> keys;
    keys.reserve(book.Stations.size());
    for (const ReportStation& station : book.Stations) {
        keys.emplace_back(Trim(station.StationText));
    }
    return keys;
}

}  // namespace corvane
