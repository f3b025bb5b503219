// The divided reader: every station is a left group of rows and a right group
// of rows, each ended by one terminator line. Station i of both sides is the
// same station.
#include <string>
#include <utility>
#include <vector>

#include "common/text.h"
#include "input/columns.h"
#include "input/data_lines.h"
#include "input/data_readers.h"
#include "input/divided_row.h"
#include "input/reader_messages.h"

namespace corvane {

namespace {

constexpr std::string_view kRoutine = "ReadDivided";
// Fourteen commas in a row make a line a terminator, whatever else it holds.
constexpr size_t kTerminatorCommas = 14;

// One side of the roadway as the reader walks it.
struct SideRows {
    Side side;
    std::string_view word;  // "LEFT" or "RIGHT": marks the side's data rows
};

constexpr SideRows kLeftRows{Side::Left, "LEFT"};
constexpr SideRows kRightRows{Side::Right, "RIGHT"};

bool Contains(std::string_view line, std::string_view word) {
    return line.find(word) != std::string_view::npos;
}

bool IsDataRow(std::string_view line, std::string_view sideWord) {
    return Contains(line, sideWord) && !IsEmptyOrSpaces(line) &&
           !ContainsCommaRun(line, kTerminatorCommas);
}

// A row's station text and the rest of the row after it. The station is the
// text after the first comma, trimmed, up to the next comma: a divided file
// pads its stations with spaces.
struct StationSplit {
    std::string_view station;
    std::string_view remainder;  // from file column 2 on
};

StationSplit SplitStation(std::string_view line) {
    const std::string_view rest = Trim(AfterFirstComma(line));
    const size_t comma = rest.find(',');
    if (comma == std::string_view::npos) {
        return {rest, {}};
    }
    return {rest.substr(0, comma), rest.substr(comma + 1)};
}

class DividedReader {
  public:
    DividedReader(DataLines& lines, Messages& messages) : messages_(messages), lines_(lines) {
        // Station 0 exists on both sides even when no row reaches it.
        roadway_.Type = RoadwayType::Divided;
        roadway_.Left.emplace_back();
        roadway_.Right.emplace_back();
    }

    // Reads the data part.
    ReadResult Read() {
        Step step = SkipColumnHeadings();
        while (step == Step::Go) {
            step = ReadStation();
        }
        ReadResult result;
        if (step == Step::EndOfFile) {
            result.Outcome = ReadOutcome::Read;
            result.Roadway = std::move(roadway_);
        } else {
            result.Outcome = outcome_;
        }
        return result;
    }

  private:
    // Where the walk through the file goes next.
    enum class Step { Go, EndOfFile, Stop };

    // Line 4, after the three header lines, names the columns.
    Step SkipColumnHeadings() {
        if (const Step step = StepAfter(lines_.Skip()); step != Step::Go) {
            return step;
        }
        return Advance();  // line 5: the first data row
    }

    Step ReadStation() {
        // A last line that would begin a station is not read: the station stays empty.
        if (lines_.AtEnd()) {
            return Step::EndOfFile;
        }
        for (const SideRows& side : {kLeftRows, kRightRows}) {
            if (const Step step = ReadGroup(side); step != Step::Go) {
                return step;
            }
        }
        return NextStation();
    }

    // One side of the station: its first row, its data rows, its terminator.
    Step ReadGroup(const SideRows& side) {
        Station& station = roadway_.StationsOf(side.side).back();
        Step step = BeginGroup(station);
        if (step == Step::Go) {
            step = ReadGroupRows(side, station);
        }
        if (step == Step::Go) {
            step = SkipRestOfGroup(side);
        }
        return step;
    }

    // The current line opens a group: its columns 0 and 1 name the station.
    Step BeginGroup(Station& station) {
        const std::string_view line = lines_.Text();
        if (!Contains(line, ",")) {
            return SomethingWrong();
        }
        station.ChainName = FirstColumn(line);
        const StationSplit split = SplitStation(line);
        station.StationText = split.station;
        stationText_ = split.station;
        remainder_ = split.remainder;
        return Step::Go;
    }

    // Stores the group's data rows; the first line that is not one ends the group.
    Step ReadGroupRows(const SideRows& side, Station& station) {
        int rows = 0;  // every data row takes a point index, message rows included
        while (IsDataRow(lines_.Text(), side.word)) {
            if (const Step step = Store(side, rows, station); step != Step::Go) {
                return step;
            }
            ++rows;
            if (const Step step = Advance(); step != Step::Go) {
                if (step == Step::EndOfFile) {
                    CloseGroup(station, rows);  // the file ended inside the group
                }
                return step;
            }
            const std::string_view line = lines_.Text();
            if (IsEmptyOrSpaces(line)) {
                continue;  // a blank line ends the group
            }
            if (!Contains(line, ",")) {
                return SomethingWrong();
            }
            if (const std::string_view column0 = FirstColumn(line); !IsEmptyOrSpaces(column0)) {
                KeepText(station.ChainName, column0);
            }
            const StationSplit split = SplitStation(line);
            if (!IsEmptyOrSpaces(split.station)) {
                KeepText(station.StationText, split.station);
                KeepText(stationText_, split.station);
            }
            remainder_ = split.remainder;
        }
        CloseGroup(station, rows);
        return Step::Go;
    }

    Step Store(const SideRows& side, int pointIndex, Station& station) {
        switch (StoreDividedRow(remainder_, side.side, pointIndex, station, columns_)) {
            case DividedRowResult::Stored:
                return Step::Go;
            case DividedRowResult::TooShort:
                messages_.Show(kDividedRowTooShort);
                return Step::Go;
            case DividedRowResult::PointLimit:
                lines_.Reject("a group holds at most " + std::to_string(kMaxPoints) +
                              " points, this row would be point " + std::to_string(pointIndex + 1));
                return Stop(ReadOutcome::Rejected);
            case DividedRowResult::WrongMarker:
                messages_.Show(WrongSideMarkerText(side.side, stationText_, pointIndex));
                return Stop(ReadOutcome::EndProgram);
        }
        return Stop(ReadOutcome::Rejected);
    }

    // A message group shows two entries, whatever it holds; any other group
    // keeps one point a data row.
    static void CloseGroup(Station& station, int rows) {
        station.Points.resize(station.MessageKind.empty() ? static_cast<size_t>(rows) : 2);
    }

    // Moves past a group's terminator. When the group goes on after it (a blank
    // line cut it), its remaining rows are passed over together with their own
    // terminator, so the next group starts at its first row. Without that last
    // step on the right side, the terminator would open the next station and
    // push its left rows onto the wrong station.
    Step SkipRestOfGroup(const SideRows& side) {
        Step step = Advance();
        if (step != Step::Go || !Contains(lines_.Text(), side.word)) {
            return step;
        }
        while (step == Step::Go && IsDataRow(lines_.Text(), side.word)) {
            step = Advance();
        }
        if (step != Step::Go || OpensNextStation(side)) {
            return step;
        }
        return Advance();
    }

    // Stray right rows after a complete station may run straight into the next
    // station's first left row; that row is no terminator and must stay.
    bool OpensNextStation(const SideRows& passedSide) const {
        return passedSide.side == Side::Right && IsDataRow(lines_.Text(), kLeftRows.word);
    }

    Step NextStation() {
        if (roadway_.Left.size() == static_cast<size_t>(kMaxStations)) {
            lines_.Reject("a file holds at most " + std::to_string(kMaxStations) +
                          " stations, and this line begins one more");
            return Stop(ReadOutcome::Rejected);
        }
        roadway_.Left.emplace_back();
        roadway_.Right.emplace_back();
        return Step::Go;
    }

    Step Advance() { return StepAfter(lines_.Read()); }

    Step StepAfter(DataLines::Result result) {
        switch (result) {
            case DataLines::Result::Line:
                return Step::Go;
            case DataLines::Result::End:
                return Step::EndOfFile;
            case DataLines::Result::Failed:
                break;
        }
        return Stop(ReadOutcome::Rejected);
    }

    Step SomethingWrong() {
        messages_.Show(SomethingWrongText(stationText_));
        return Stop(ReadOutcome::Rejected);
    }

    Step Stop(ReadOutcome outcome) {
        outcome_ = outcome;
        return Step::Stop;
    }

    Messages& messages_;
    DataLines& lines_;
    Roadway roadway_;
    Columns columns_;
    std::string stationText_;  // of the last row that named one
    std::string_view remainder_;
    ReadOutcome outcome_ = ReadOutcome::Rejected;
};

}  // namespace

ReadResult ReadDivided(LineReader& file, const std::string& path, Messages& messages) {
    DataLines lines(file, path, kRoutine, messages);
    return DividedReader(lines, messages).Read();
}

}  // namespace corvane
