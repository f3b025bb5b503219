// The undivided reader: one side, stations closed by separator rows, blank
// rows, rows that name no station and message rows.
#include <algorithm>
#include <atomic>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "input/columns.h"
#include "input/data_lines.h"
#include "input/data_readers.h"
#include "input/second_half.h"

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

// A cut for a read on two threads: from the reader's position on, the first
// line after a separator row, where any file begins a station. The reader is
// left on that line. The first line, which the reader may have been opened
// inside of, is passed over.
bool FindCut(LineReader& lines) {
    bool afterSeparator = false;
    for (int read = 0; read <= kCutSearchLines; ++read) {
        if (lines.Next() != LineReader::Status::Line || lines.TextHasNul()) {
            return false;
        }
        if (afterSeparator) {
            return true;
        }
        afterSeparator = read > 0 && ContainsCommaRun(lines.Text(), kSeparatorCommas);
    }
    return false;
}

class UndividedReader {
  public:
    // With `secondHalf`, the stations from its cut on may be its stations.
    explicit UndividedReader(DataLines& lines, SecondHalf* secondHalf = nullptr)
        : lines_(lines), secondHalf_(secondHalf) {}

    // The stations of the file; nothing (after a message) when it is refused.
    std::optional<std::vector<Station>> Read() { return ReadFrom(lines_.Read()); }

    // Reads from the current line, a cut, to the end, as if a station began
    // there; gives up once `stop` is set.
    std::optional<std::vector<Station>> ReadFromCut(const std::atomic<bool>& stop) {
        stop_ = &stop;
        return ReadFrom(DataLines::Result::Line);
    }

    bool JoinedSecondHalf() const { return joined_; }

  private:
    // Reads on from the line read with `result`.
    std::optional<std::vector<Station>> ReadFrom(DataLines::Result result) {
        for (;; result = lines_.Read()) {
            if (result == DataLines::Result::End) {
                break;
            }
            if (atStationStart_ && result == DataLines::Result::Line) {
                if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) {
                    return std::nullopt;
                }
                if (secondHalf_ != nullptr && TakeSecondHalf()) {
                    return std::move(stations_);
                }
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

    // The current line, not yet taken, begins a station: the second thread's
    // stations are the last ones when this line is the cut, the second thread
    // read to the end without a message and the two parts together hold no
    // more stations than a file may. That is what reading on would give, for
    // the reasons the divided reader gives: the same lines from here on, and
    // the second thread began on this line in the state this reader is in at
    // every station's start (a fresh station_, no points, no end seen). Only
    // the count of stations differs: with N closed here and M in the second
    // part, reading on refuses the file exactly when N + M > kMaxStations.
    bool TakeSecondHalf() {
        const uint64_t here = lines_.LineStart();
        if (!secondHalf_->Reached(here)) {
            return false;
        }
        std::optional<Roadway> rest = secondHalf_->TakeAt(here);
        secondHalf_ = nullptr;
        if (!rest || stations_.size() + rest->Left.size() > static_cast<size_t>(kMaxStations)) {
            return false;
        }
        stations_.reserve(stations_.size() + rest->Left.size());
        std::move(rest->Left.begin(), rest->Left.end(), std::back_inserter(stations_));
        joined_ = true;
        return true;
    }

    // Stores what the row holds; false (after a message) when the file must be refused.
    bool TakeRow(std::string_view line) {
        atStationStart_ = false;
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
        atStationStart_ = true;
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
    bool atStationStart_ = true;               // no line of the station taken yet
    SecondHalf* secondHalf_ = nullptr;         // first thread: the part after the cut
    const std::atomic<bool>* stop_ = nullptr;  // second thread: set when not wanted
    bool joined_ = false;
};

ReadResult Result(std::optional<std::vector<Station>> stations) {
    if (!stations) {
        return {};
    }
    ReadResult result;
    result.Outcome = ReadOutcome::Read;
    result.Roadway.Type = RoadwayType::Undivided;
    result.Roadway.Left = std::move(*stations);
    return result;
}

}  // namespace

ReadResult ReadUndivided(LineReader& file, const std::string& path, Messages& messages,
                         MiddleOfFile* middle) {
    std::optional<SecondHalf> secondHalf;
    if (middle != nullptr && middle->lines) {
        secondHalf.emplace(
            std::move(middle->lines), middle->searchFrom, FindCut,
            [path](LineReader& rest, const std::atomic<bool>& stop, Messages& quiet) {
                DataLines lines(rest, path, kRoutine, quiet);
                return Result(UndividedReader(lines).ReadFromCut(stop));
            });
    }
    DataLines lines(file, path, kRoutine, messages);
    UndividedReader reader(lines, secondHalf ? &*secondHalf : nullptr);
    ReadResult result = Result(reader.Read());
    if (middle != nullptr) {
        middle->joined = reader.JoinedSecondHalf();
    }
    return result;
}

}  // namespace corvane
