// The header check: is this a paving-grades file, and of which roadway?
#include "input/paving_grades_reader.h"

#include <algorithm>
#include <array>

#include "input/columns.h"
#include "input/data_readers.h"
#include "input/line_reader.h"
#include "input/reader_messages.h"

namespace corvane {

namespace {

constexpr std::string_view kRoutine = "GpkBlueTops";
constexpr std::string_view kTitle = "PAVING GRADES REPORT";
constexpr int kHeaderLines = 3;

// Lines 1 to 3 of the file, or a description of why they could not be read.
struct Header {
    std::array<std::string, kHeaderLines> lines;
    std::string problem;
};

// A file from an old Macintosh ends its lines with CR alone and so reads as a
// single line; saying that it is short would send the user looking in vain.
bool EndsLinesWithCrAlone(const std::array<std::string, kHeaderLines>& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](const std::string& line) { return line.find('\r') != line.npos; });
}

// Opens the file and reads its header; the readers go on from there.
Header ReadHeader(LineReader& reader, const std::string& path) {
    Header header;
    if (!reader.Open(path)) {
        header.problem = "cannot open " + path + " (" + reader.ErrorReason() + ")";
        return header;
    }
    for (std::string& line : header.lines) {
        switch (reader.Next()) {
            case LineReader::Status::Line:
                line = reader.Text();
                break;
            case LineReader::Status::End:
                header.problem = path + (EndsLinesWithCrAlone(header.lines)
                                             ? " ends its lines with CR alone (only LF and CR "
                                               "LF end a line)"
                                             : " has fewer than three lines");
                return header;
            case LineReader::Status::TooLong:
                header.problem = "line " + std::to_string(reader.LineNumber()) + " of " + path +
                                 " is longer than " + std::to_string(kMaxLineLength) +
                                 " characters";
                return header;
            case LineReader::Status::ReadError:
                header.problem = "cannot read " + path + " (" + reader.ErrorReason() + ")";
                return header;
        }
    }
    return header;
}

// Bytes taken by the first character of a UTF-8 text. The title's first
// character is not examined: files start it with a space, a quote or a byte
// order mark.
size_t FirstCharacterLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(text.front());
    const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, text.size());
}

// The title: from the second character up to the first comma, upper-cased and trimmed.
std::string TitleOf(std::string_view line) {
    const size_t comma = line.find(',');
    const size_t start = FirstCharacterLength(line);
    if (comma <= start) {
        return {};
    }
    return std::string(Trim(ToUpper(line.substr(start, comma - start))));
}

bool HasComma(std::string_view line) {
    return line.find(',') != std::string_view::npos;
}

}  // namespace

ReadOutcome GpkBlueTops(CrossSectionTables& tables, Settings& settings, Messages& messages) {
    LineReader file;
    const Header header = ReadHeader(file, settings.InputFile);
    if (!header.problem.empty()) {
        messages.Show(ProgramErrorText(header.problem, kRoutine));
        return ReadOutcome::Rejected;
    }
    const std::string& title_line = header.lines[0];
    const std::string& roadway_line = header.lines[2];
    if (!HasComma(title_line)) {
        messages.Show(ProgramErrorText("the title line of " + settings.InputFile + " has no comma",
                                       kRoutine));
        return ReadOutcome::Rejected;
    }
    if (TitleOf(title_line) != kTitle) {
        messages.Show(kInvalidFileType);
        return ReadOutcome::Rejected;
    }
    if (!HasComma(roadway_line)) {
        messages.Show(ProgramErrorText(
            "the roadway line (line 3) of " + settings.InputFile + " has no comma", kRoutine));
        return ReadOutcome::Rejected;
    }
    if (Trim(ToUpper(FirstColumn(roadway_line))) == kDivided) {
        settings.RoadwayType = kDivided;
        return ReadDividedData(file, settings.InputFile, tables, messages);
    }
    settings.RoadwayType = kUndivided;
    return ReadUndividedData(file, settings.InputFile, tables, messages);
}

}  // namespace corvane
