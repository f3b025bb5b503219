// The undivided reader: one side, stations closed by separator rows, blank
// rows, rows that name no station and message rows.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "input/columns.h"
#include "input/data_lines.h"
#include "input/data_readers.h"

namespace corvane {

namespace {

constexpr std::string_view kRoutine = "GPKUndivided";
// Six empty columns in a row mark the end of a station, wherever they stand.
constexpr size_t kSeparatorCommas = 7;
constexpr size_t kPointRowColumns = 12;   // up to the elevation, column 11
constexpr size_t kMessageRowColumns = 4;  // up to the message text, column 3

bool IsMessageKind(std::string_view column) {
    return column == "ERROR" || column == "MESSAGE";
}

class UndividedReader {
  public:
    explicit UndividedReader(DataLines& lines) : lines_(lines) {}

    // The stations of the file; nothing (after a message) when it is refused.
    std::optional<std::vector<Station>> Read() {
        for (;;) {
            const DataLines::Result result = lines_.Read();
            if (result == DataLines::Result::End) {
                break;
            }
            if (result == DataLines::Result::Failed || !TakeRow(lines_.Text()) ||
                !CloseStationIfEnded()) {
                return std::nullopt;
            }
        }
        // The station open at the end is the last one, even when no row reached it.
        CloseStation();
        return std::move(stations_);
    }

  private:
    // Stores what the row holds; false (after a message) when the file must be refused.
    bool TakeRow(std::string_view line) {
        if (ContainsCommaRun(line, kSeparatorCommas)) {
            endOfStation_ = true;
            return true;
        }
        if (IsEmptyOrSpaces(line)) {
            CountPoint(/*rowNamesStation=*/false);
            return true;
        }
        columns_.Split(line);
        const bool messageRow = columns_.Has(2) && IsMessageKind(columns_[2]);
        const size_t needed = messageRow ? kMessageRowColumns : kPointRowColumns;
        if (columns_.Count() < needed) {
            lines_.Reject(std::string(messageRow ? "a message row" : "a point row") +
                          " needs at least " + std::to_string(needed) + " columns, this one has " +
                          std::to_string(columns_.Count()));
            return false;
        }
        KeepText(station_.ChainName, columns_[0]);
        KeepText(station_.StationText, columns_[1]);
        if (messageRow) {
            station_.MessageText = columns_[3];
            station_.MessageKind = columns_[2];
            endOfStation_ = true;
            points_ = 1;  // the message is the station's one entry
            return true;
        }
        if (points_ >= kMaxPoints) {
            lines_.Reject("a station holds at most " + std::to_string(kMaxPoints) +
                          " points, this row would be point " + std::to_string(points_ + 1));
            return false;
        }
        KeepText(station_.CrossSectionStation, columns_[5]);
        if (station_.Points.size() <= static_cast<size_t>(points_)) {
            station_.Points.resize(static_cast<size_t>(points_) + 1);
        }
        Point& point = station_.Points[static_cast<size_t>(points_)];
        point.Code = columns_[9];
        point.Offset = columns_[10];
        point.Elevation = columns_[11];
        CountPoint(!columns_[0].empty() || !columns_[1].empty());
        return true;
    }

    // A row that names no station (blank columns 0 and 1) ends the station
    // instead, and the point it may have stored is not counted.
    void CountPoint(bool rowNamesStation) {
        if (rowNamesStation) {
            ++points_;
        } else {
            endOfStation_ = true;
        }
    }

    // The station keeps its counted points only: a point stored by a row that
    // then ended the station is dropped.
    // Stations mostly hold as many points as the one before them, so the next
    // one starts with room for that many.
    void CloseStation() {
        const auto points = static_cast<size_t>(points_);
        station_.Points.resize(points);
        stations_.push_back(std::move(station_));
        station_ = Station{};
        station_.Points.reserve(points);
        points_ = 0;
    }

    bool CloseStationIfEnded() {
        if (!endOfStation_) {
            return true;
        }
        endOfStation_ = false;
        CloseStation();
        // Closing the last station a file may hold opens one beyond it.
        if (stations_.size() == static_cast<size_t>(kMaxStations)) {
            lines_.Reject("a file holds at most " + std::to_string(kMaxStations) +
                          " stations, and this line ends station " + std::to_string(kMaxStations) +
                          " and begins one more");
            return false;
        }
        return true;
    }

    DataLines& lines_;
    Columns columns_;
    std::vector<Station> stations_;
    Station station_;  // the station being read
    int points_ = 0;   // the points counted in it
    bool endOfStation_ = false;
};

}  // namespace

ReadResult ReadUndivided(LineReader& file, const std::string& path, Messages& messages) {
    DataLines lines(file, path, kRoutine, messages);
    std::optional<std::vector<Station>> stations = UndividedReader(lines).Read();
    if (!stations) {
        return {};
    }
    ReadResult result;
    result.Outcome = ReadOutcome::Read;
    result.Roadway.Type = RoadwayType::Undivided;
    result.Roadway.Left = std::move(*stations);
    return result;
}

}  // namespace corvane
