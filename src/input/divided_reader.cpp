// The divided reader: every station is a left group of rows and a right group
// of rows, each ended by one terminator line. Station i of both sides is the
// same station.
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
#include "input/divided_row.h"
#include "input/reader_messages.h"
#include "input/second_half.h"

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

// The current line of the file, split at its commas once: every test the
// reader makes of a line reads this split rather than searching the line again.
class DividedLine {
  public:
    void Take(std::string_view text) {
        text_ = text;
        columns_.Split(text);
    }
    std::string_view Text() const { return text_; }
    const Columns& Split() const { return columns_; }

    bool IsBlank() const { return IsEmptyOrSpaces(text_); }
    bool IsTerminator() const { return columns_.HasCommaRun(kTerminatorCommas); }
    bool HasComma() const { return columns_.Count() > 1; }
    // Column 0: the chain of a group's first row.
    std::string_view ChainName() const { return columns_[0]; }

    // A row of the side marked by `sideWord` anywhere in it that is neither
    // blank nor a terminator. A data row holds the word as its column 8, which
    // spares searching the line.
    bool IsDataRow(std::string_view sideWord) const {
        const bool marked =
            (columns_.Has(kSideColumn) && SameText(columns_[kSideColumn], sideWord)) ||
            text_.find(sideWord) != std::string_view::npos;
        return marked && !IsBlank() && !IsTerminator();
    }
    bool Mentions(std::string_view word) const {
        return text_.find(word) != std::string_view::npos;
    }

    // The row's station: the text after the first comma, trimmed, up to the
    // next comma (a divided file pads its stations with spaces). Trimming the
    // text after the first comma as a whole trims column 1 at both ends only
    // when no comma follows it.
    std::string_view Station() const {
        const std::string_view column1 = columns_.Has(1) ? columns_[1] : std::string_view{};
        return columns_.Count() > 2 ? TrimLeadingSpaces(column1) : Trim(column1);
    }

  private:
    static constexpr size_t kSideColumn = 8;

    static std::string_view TrimLeadingSpaces(std::string_view text) {
        const size_t first = text.find_first_not_of(' ');
        return first == std::string_view::npos ? std::string_view{} : text.substr(first);
    }

    std::string_view text_;
    Columns columns_;
};

// A cut for a read on two threads: from the reader's position on, the first
// left row with a comma that follows a right row and its terminator, as a
// station of a plain file begins. The reader is left on that line. The first
// line, which the reader may have been opened inside of, is passed over.
bool FindCut(LineReader& lines) {
    DividedLine line;
    bool afterRightRow = false;
    bool afterTerminator = false;
    for (int read = 0; read <= kCutSearchLines; ++read) {
        if (lines.Next() != LineReader::Status::Line || lines.TextHasNul()) {
            return false;
        }
        if (read == 0) {
            continue;
        }
        line.Take(lines.Text());
        if (afterTerminator && line.HasComma() && line.IsDataRow(kLeftRows.word)) {
            return true;
        }
        afterTerminator = afterRightRow && line.IsTerminator();
        afterRightRow = line.IsDataRow(kRightRows.word);
    }
    return false;
}

class DividedReader {
  public:
    // With `secondHalf`, the stations from its cut on may be its stations.
    DividedReader(DataLines& lines, Messages& messages, SecondHalf* secondHalf = nullptr)
        : messages_(messages), lines_(lines), secondHalf_(secondHalf) {
        // Station 0 exists on both sides even when no row reaches it.
        roadway_.Type = RoadwayType::Divided;
        roadway_.Left.emplace_back();
        roadway_.Right.emplace_back();
    }

    // Reads the data part.
    ReadResult Read() { return ReadStationsAfter(SkipColumnHeadings()); }

    // Reads from the current line, a cut, to the end, as if a station began
    // there; gives up once `stop` is set.
    ReadResult ReadFromCut(const std::atomic<bool>& stop) {
        stop_ = &stop;
        line_.Take(lines_.Text());
        return ReadStationsAfter(Step::Go);
    }

    bool JoinedSecondHalf() const { return joined_; }

  private:
    // Where the walk through the file goes next.
    enum class Step { Go, EndOfFile, Stop };

    ReadResult ReadStationsAfter(Step step) {
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

    // Line 4, after the three header lines, names the columns.
    Step SkipColumnHeadings() {
        if (const Step step = StepAfter(lines_.Skip()); step != Step::Go) {
            return step;
        }
        return Advance();  // line 5: the first data row
    }

    Step ReadStation() {
        if (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) {
            return Stop(ReadOutcome::Rejected);
        }
        if (secondHalf_ != nullptr && TakeSecondHalf()) {
            return Step::EndOfFile;
        }
        // A last line that would begin a station is not read: the station stays empty.
        if (lines_.AtEnd()) {
            return Step::EndOfFile;
        }
        // Asking for the end may have moved the current line out of the read buffer.
        if (lines_.Text().data() != line_.Text().data()) {
            line_.Take(lines_.Text());
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
        Step step = BeginGroup(station, side);
        if (step == Step::Go) {
            step = ReadGroupRows(side, station);
        }
        if (step == Step::Go) {
            step = SkipRestOfGroup(side);
        }
        return step;
    }

    // The current line opens a group: its columns 0 and 1 name the station.
    Step BeginGroup(Station& station, const SideRows& side) {
        if (!line_.HasComma()) {
            return SomethingWrong();
        }
        station.ChainName = line_.ChainName();
        station.StationText = line_.Station();
        KeepText(stationText_, line_.Station());
        ReservePointsAsBefore(station, side);
        return Step::Go;
    }

    // Stations of a side mostly hold as many points as the one before them;
    // room for that many spares growing the points one doubling at a time.
    void ReservePointsAsBefore(Station& station, const SideRows& side) {
        const std::vector<Station>& stations = roadway_.StationsOf(side.side);
        if (stations.size() >= 2) {
            station.Points.reserve(stations[stations.size() - 2].Points.size());
        }
    }

    // Stores the group's data rows; the first line that is not one ends the group.
    Step ReadGroupRows(const SideRows& side, Station& station) {
        int rows = 0;  // every data row takes a point index, message rows included
        while (line_.IsDataRow(side.word)) {
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
            if (line_.IsBlank()) {
                continue;  // a blank line ends the group
            }
            if (!line_.HasComma()) {
                return SomethingWrong();
            }
            if (const std::string_view column0 = line_.ChainName(); !IsEmptyOrSpaces(column0)) {
                KeepText(station.ChainName, column0);
            }
            if (const std::string_view name = line_.Station(); !IsEmptyOrSpaces(name)) {
                KeepText(station.StationText, name);
                KeepText(stationText_, name);
            }
        }
        CloseGroup(station, rows);
        return Step::Go;
    }

    Step Store(const SideRows& side, int pointIndex, Station& station) {
        switch (StoreDividedRow(line_.Split(), side.side, pointIndex, station)) {
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
        if (step != Step::Go || !line_.Mentions(side.word)) {
            return step;
        }
        while (step == Step::Go && line_.IsDataRow(side.word)) {
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
        return passedSide.side == Side::Right && line_.IsDataRow(kLeftRows.word);
    }

    // At the start of a station, the current line not yet read: the second
    // thread's stations are these stations' last ones when this line is the
    // cut, the second thread read to the end without a message and the two
    // parts together hold no more stations than a file may.
    //
    // Why that is exactly what reading on would give: from here the reader's
    // steps depend on the lines from here on and on its members. The lines are
    // the same bytes, split the same way (the cut is a line's first byte), and
    // the second thread began on this line in the same state: the last station
    // of each side fresh (NextStation made it, or the constructor), `line_`
    // this line, `outcome_` unset. `stationText_` differs but is overwritten
    // before it is read: the cut line has a comma, so BeginGroup stores its
    // station. The earlier stations are read only for the room a station
    // reserves, which changes no value, and for their count in NextStation:
    // with N stations here (the fresh one counted) and M in the second part,
    // reading on refuses a station exactly when N + M - 1 > kMaxStations. Line
    // numbers differ, but appear only in messages, and there were none.
    bool TakeSecondHalf() {
        const uint64_t here = lines_.LineStart();
        if (!secondHalf_->Reached(here)) {
            return false;
        }
        std::optional<Roadway> rest = secondHalf_->TakeAt(here);
        secondHalf_ = nullptr;
        if (!rest ||
            roadway_.Left.size() + rest->Left.size() - 1 > static_cast<size_t>(kMaxStations)) {
            return false;
        }
        Join(std::move(*rest));
        return true;
    }

    // The fresh station at the cut is the first one of `rest`.
    void Join(Roadway rest) {
        for (const Side side : {Side::Left, Side::Right}) {
            std::vector<Station>& stations = roadway_.StationsOf(side);
            std::vector<Station>& more = rest.StationsOf(side);
            stations.pop_back();
            stations.reserve(stations.size() + more.size());
            std::move(more.begin(), more.end(), std::back_inserter(stations));
        }
        joined_ = true;
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

    Step Advance() {
        const Step step = StepAfter(lines_.Read());
        if (step == Step::Go) {
            line_.Take(lines_.Text());
        }
        return step;
    }

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
    DividedLine line_;
    std::string stationText_;  // of the last row that named one
    ReadOutcome outcome_ = ReadOutcome::Rejected;
    SecondHalf* secondHalf_ = nullptr;         // first thread: the part after the cut
    const std::atomic<bool>* stop_ = nullptr;  // second thread: set when not wanted
    bool joined_ = false;
};

}  // namespace

ReadResult ReadDivided(LineReader& file, const std::string& path, Messages& messages,
                       MiddleOfFile* middle) {
    std::optional<SecondHalf> secondHalf;
    if (middle != nullptr && middle->lines) {
        secondHalf.emplace(
            std::move(middle->lines), middle->searchFrom, FindCut,
            [path](LineReader& rest, const std::atomic<bool>& stop, Messages& quiet) {
                DataLines lines(rest, path, kRoutine, quiet);
                return DividedReader(lines, quiet).ReadFromCut(stop);
            });
    }
    DataLines lines(file, path, kRoutine, messages);
    DividedReader reader(lines, messages, secondHalf ? &*secondHalf : nullptr);
    ReadResult result = reader.Read();
    if (middle != nullptr) {
        middle->joined = reader.JoinedSecondHalf();
    }
    return result;
}

}  // namespace corvane
