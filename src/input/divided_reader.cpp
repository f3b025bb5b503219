// The divided reader: every station is a left group of rows and a right group
// of rows, each ended by one terminator line. Record i of both side tables is
// station i.
#include <string>

#include "input/columns.h"
#include "input/data_lines.h"
#include "input/data_readers.h"
#include "input/paving_grades_reader.h"
#include "input/reader_messages.h"
#include "input/store_side.h"

namespace corvane {

namespace {

constexpr std::string_view kRoutine = "ReadDivided";
// Fourteen commas in a row make a line a terminator, whatever else it holds.
constexpr size_t kTerminatorCommas = 14;

struct Side {
    SectionTable& table;
    std::string_view word;  // "LEFT" or "RIGHT": marks the side's data rows
    const std::string& name;
};

bool Contains(std::string_view line, std::string_view word) {
    return line.find(word) != std::string_view::npos;
}

bool IsDataRow(std::string_view line, std::string_view side_word) {
    return Contains(line, side_word) && !IsBlank(line) &&
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
    DividedReader(CrossSectionTables& tables, DataLines& lines, Messages& messages)
        : tables_(tables),
          messages_(messages),
          lines_(lines),
          left_{tables.SectionsLeft, "LEFT", kLeftSide},
          right_{tables.SectionsRight, "RIGHT", kRightSide} {}

    // Reads the data part; on success `station_count` is the last record's index.
    ReadOutcome Read(int32_t& station_count) {
        Step step = SkipColumnHeadings();
        while (step == Step::Go) {
            step = ReadStation();
        }
        if (step == Step::EndOfFile) {
            station_count = station_;
            return ReadOutcome::Read;
        }
        return outcome_;
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
        // A last line that would begin a station is not read into the tables.
        if (lines_.AtEnd()) {
            return Step::EndOfFile;
        }
        if (const Step step = ReadGroup(left_, k_); step != Step::Go) {
            return step;
        }
        k_ = 0;
        kR_ = 0;
        if (const Step step = ReadGroup(right_, kR_); step != Step::Go) {
            return step;
        }
        return NextStation();
    }

    // One side of the station: its first row, its data rows, its terminator.
    Step ReadGroup(const Side& side, int32_t& k) {
        Step step = BeginGroup(side);
        if (step == Step::Go) {
            step = ReadGroupRows(side, k);
        }
        if (step == Step::Go) {
            step = SkipRestOfGroup(side);
        }
        return step;
    }

    // The current line opens a group: its columns 0 and 1 name the record.
    Step BeginGroup(const Side& side) {
        const std::string_view line = lines_.Text();
        if (!Contains(line, ",")) {
            return SomethingWrong();
        }
        CrossSection& record = side.table[station_];
        record.Column0Text = FirstColumn(line);
        const StationSplit split = SplitStation(line);
        record.Station = split.station;
        station_text_ = split.station;
        remainder_ = split.remainder;
        return Step::Go;
    }

    // Stores the group's data rows; the first line that is not one ends the group.
    Step ReadGroupRows(const Side& side, int32_t& k) {
        CrossSection& record = side.table[station_];
        while (IsDataRow(lines_.Text(), side.word)) {
            if (const Step step = Store(side, k); step != Step::Go) {
                return step;
            }
            ++k;
            if (const Step step = Advance(); step != Step::Go) {
                if (step == Step::EndOfFile) {
                    CloseGroup(record, k);  // the file ended inside the group
                }
                return step;
            }
            const std::string_view line = lines_.Text();
            if (IsBlank(line)) {
                continue;  // a blank line ends the group
            }
            if (!Contains(line, ",")) {
                return SomethingWrong();
            }
            if (const std::string_view column0 = FirstColumn(line); !IsBlank(column0)) {
                record.Column0Text = column0;
            }
            const StationSplit split = SplitStation(line);
            if (!IsBlank(split.station)) {
                record.Station = split.station;
                station_text_ = split.station;
            }
            remainder_ = split.remainder;
        }
        CloseGroup(record, k);
        return Step::Go;
    }

    Step Store(const Side& side, int32_t k) {
        switch (StoreSide(station_text_, remainder_, station_, side.name, k, tables_, messages_,
                          columns_)) {
            case StoreSideResult::Stored:
            case StoreSideResult::StoreError:
                return Step::Go;
            case StoreSideResult::PointLimit:
                lines_.Reject("a group holds at most " + std::to_string(kPointCapacity) +
                              " points, this row would be point " + std::to_string(k + 1));
                return Stop(ReadOutcome::Rejected);
            case StoreSideResult::WrongSideMarker:
                return Stop(ReadOutcome::EndProgram);
        }
        return Stop(ReadOutcome::Rejected);
    }

    // A message group counts as points 0 and 1, whatever it holds.
    static void CloseGroup(CrossSection& record, int32_t k) {
        record.LastPoint = record.MessageKind.empty() ? k - 1 : 1;
    }

    // Moves past a group's terminator. When the group goes on after it (a blank
    // line cut it), its remaining rows are passed over together with their own
    // terminator, so the next group starts at its first row. Without that last
    // step on the right side, the terminator would open the next station and
    // push its left rows onto the wrong record.
    Step SkipRestOfGroup(const Side& side) {
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
    bool OpensNextStation(const Side& passed_side) const {
        return &passed_side == &right_ && IsDataRow(lines_.Text(), left_.word);
    }

    Step NextStation() {
        // Moving past the table's last record would open one beyond it.
        if (station_ == kMaxStationIndex) {
            lines_.Reject("a file holds at most " + std::to_string(kStationCapacity) +
                          " stations, and this line begins one more");
            return Stop(ReadOutcome::Rejected);
        }
        ++station_;
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
        messages_.Show(SomethingWrongText(station_text_));
        return Stop(ReadOutcome::Rejected);
    }

    Step Stop(ReadOutcome outcome) {
        outcome_ = outcome;
        return Step::Stop;
    }

    CrossSectionTables& tables_;
    Messages& messages_;
    DataLines& lines_;
    Side left_;
    Side right_;
    Columns columns_;
    int32_t station_ = 0;
    int32_t k_ = 0;   // point index of the left group
    int32_t kR_ = 0;  // point index of the right group
    std::string station_text_;
    std::string_view remainder_;
    ReadOutcome outcome_ = ReadOutcome::Rejected;
};

}  // namespace

ReadOutcome ReadDividedData(LineReader& file, const std::string& path, CrossSectionTables& tables,
                            Messages& messages) {
    ClearTables(tables);
    DataLines lines(file, path, kRoutine, messages);
    DividedReader reader(tables, lines, messages);
    int32_t station_count = 0;
    const ReadOutcome outcome = reader.Read(station_count);
    if (outcome != ReadOutcome::Read) {
        ClearTables(tables);  // nothing of a refused file reaches the book
        tables.StationCount = 0;
        return outcome;
    }
    tables.StationCount = station_count;
    return ReadOutcome::Read;
}

ReadOutcome ReadDivided(CrossSectionTables& tables, const Settings& settings, Messages& messages) {
    LineReader file;
    if (!DataLines(file, settings.InputFile, kRoutine, messages).OpenPastHeader()) {
        ClearTables(tables);
        tables.StationCount = 0;
        return ReadOutcome::Rejected;
    }
    return ReadDividedData(file, settings.InputFile, tables, messages);
}

}  // namespace corvane
