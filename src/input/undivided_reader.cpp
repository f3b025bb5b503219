// The undivided reader: one table, stations closed by separator rows, blank
// rows and message rows.
#include <string>

#include "input/columns.h"
#include "input/data_lines.h"
#include "input/data_readers.h"
#include "input/paving_grades_reader.h"

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
    UndividedReader(SectionTable& sections, DataLines& lines)
        : sections_(sections), lines_(lines) {}

    // Reads the data rows; on success `station_count` is the last record's index.
    bool Read(int32_t& station_count) {
        for (;;) {
            const DataLines::Result result = lines_.Read();
            if (result == DataLines::Result::End) {
                break;
            }
            if (result == DataLines::Result::Failed || !TakeRow(lines_.Text()) ||
                !CloseStationIfEnded()) {
                return false;
            }
        }
        sections_[station_].LastPoint = k_ - 1;
        station_count = station_;
        return true;
    }

  private:
    // Stores what the row holds; false (after a message) when the file must be refused.
    bool TakeRow(std::string_view line) {
        if (ContainsCommaRun(line, kSeparatorCommas)) {
            end_of_station_ = true;
            return true;
        }
        if (IsBlank(line)) {
            CountPoint(/*row_names_station=*/false);
            return true;
        }
        columns_.Split(line);
        const bool message_row = columns_.Has(2) && IsMessageKind(columns_[2]);
        const size_t needed = message_row ? kMessageRowColumns : kPointRowColumns;
        if (columns_.Count() < needed) {
            lines_.Reject(std::string(message_row ? "a message row" : "a point row") +
                          " needs at least " + std::to_string(needed) + " columns, this one has " +
                          std::to_string(columns_.Count()));
            return false;
        }
        CrossSection& record = sections_[station_];
        record.Column0Text = columns_[0];
        record.Station = columns_[1];
        if (message_row) {
            record.MessageText = columns_[3];
            record.MessageKind = columns_[2];
            end_of_station_ = true;
            k_ = 1;  // the message is the station's one entry
            return true;
        }
        if (k_ > kMaxPointIndex) {
            lines_.Reject("a station holds at most " + std::to_string(kPointCapacity) +
                          " points, this row would be point " + std::to_string(k_ + 1));
            return false;
        }
        record.Column4Text = columns_[4];
        record.CrossSectionStation = columns_[5];
        record.PointCode[k_] = columns_[9];
        record.PointOffset[k_] = columns_[10];
        record.PointElevation[k_] = columns_[11];
        CountPoint(!columns_[0].empty() || !columns_[1].empty());
        return true;
    }

    // A row that names no station (blank columns 0 and 1) ends the station
    // instead, and the point it may have stored is not counted.
    void CountPoint(bool row_names_station) {
        if (row_names_station) {
            ++k_;
        } else {
            end_of_station_ = true;
        }
    }

    bool CloseStationIfEnded() {
        if (!end_of_station_) {
            return true;
        }
        sections_[station_].LastPoint = k_ - 1;
        k_ = 0;
        end_of_station_ = false;
        // Closing the last record of the table opens one beyond it.
        if (station_ == kMaxStationIndex) {
            lines_.Reject("a file holds at most " + std::to_string(kStationCapacity) +
                          " stations, and this line ends station " +
                          std::to_string(kStationCapacity) + " and begins one more");
            return false;
        }
        ++station_;
        return true;
    }

    SectionTable& sections_;
    DataLines& lines_;
    Columns columns_;
    int32_t station_ = 0;
    int32_t k_ = 0;
    bool end_of_station_ = false;
};

}  // namespace

ReadOutcome ReadUndividedData(LineReader& file, const std::string& path, CrossSectionTables& tables,
                              Messages& messages) {
    ClearTables(tables);
    DataLines lines(file, path, kRoutine, messages);
    UndividedReader reader(tables.Sections, lines);
    int32_t station_count = 0;
    if (!reader.Read(station_count)) {
        ClearTables(tables);  // nothing of a refused file reaches the book
        tables.StationCount = 0;
        return ReadOutcome::Rejected;
    }
    tables.StationCount = station_count;
    return ReadOutcome::Read;
}

ReadOutcome GPKUndivided(CrossSectionTables& tables, const Settings& settings, Messages& messages) {
    LineReader file;
    if (!DataLines(file, settings.InputFile, kRoutine, messages).OpenPastHeader()) {
        ClearTables(tables);
        tables.StationCount = 0;
        return ReadOutcome::Rejected;
    }
    return ReadUndividedData(file, settings.InputFile, tables, messages);
}

}  // namespace corvane
