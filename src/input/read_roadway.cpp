// The header check: is this a paving-grades file, and of which roadway? The
// reader of that roadway goes on from the same open file.
#include "input/read_roadway.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "common/text.h"
#include "input/columns.h"
#include "input/data_readers.h"
#include "input/line_reader.h"
#include "input/read_in_two.h"
#include "input/reader_messages.h"

namespace corvane {

namespace {

constexpr std::string_view kRoutine = "GpkBlueTops";
constexpr std::string_view kTitle = "PAVING GRADES REPORT";
constexpr std::string_view kDividedWord = "DIVIDED";
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

// Reads the header of the open file; the readers go on from there.
Header ReadHeader(LineReader& reader, const std::string& path) {
    Header header;
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

// The title: from the second character up to the first comma, upper-cased and
// trimmed. The first character is not examined: files start the title line
// with a space, a quote or a byte order mark. Lines arrive as UTF-8.
std::string TitleOf(std::string_view line) {
    const size_t comma = line.find(',');
    const size_t start = line.empty() ? 0 : std::max<size_t>(1, Utf8CharacterLength(line, 0));
    if (comma <= start) {
        return {};
    }
    return std::string(Trim(ToUpper(line.substr(start, comma - start))));
}

bool HasComma(std::string_view line) {
    return line.find(',') != std::string_view::npos;
}

// Checks the header of the open file and reads it with its roadway's reader.
ReadResult ReadOpenFile(LineReader& file, const std::string& path, Messages& messages,
                        MiddleOfFile* middle) {
    const Header header = ReadHeader(file, path);
    if (!header.problem.empty()) {
        messages.Show(ProgramErrorText(kReaderErrorPrefix, header.problem, kRoutine));
        return {};
    }
    const std::string& titleLine = header.lines[0];
    const std::string& roadwayLine = header.lines[2];
    if (!HasComma(titleLine)) {
        messages.Show(ProgramErrorText(kReaderErrorPrefix,
                                       "the title line of " + path + " has no comma", kRoutine));
        return {};
    }
    if (TitleOf(titleLine) != kTitle) {
        messages.Show(kInvalidFileType);
        return {};
    }
    if (!HasComma(roadwayLine)) {
        messages.Show(ProgramErrorText(kReaderErrorPrefix,
                                       "the roadway line (line 3) of " + path + " has no comma",
                                       kRoutine));
        return {};
    }
    if (Trim(ToUpper(FirstColumn(roadwayLine))) == kDividedWord) {
        return ReadDivided(file, path, messages, middle);
    }
    return ReadUndivided(file, path, messages, middle);
}

// A file that can be read again from any point, large enough to be read on
// two threads: the middle, where the search for a cut starts.
std::optional<uint64_t> MiddleOfLargeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size < kTwoThreadReadSize) {
        return std::nullopt;
    }
    return size / 2;
}

ReadResult ReadFile(const std::string& path, Messages& messages, MiddleOfFile* middle) {
    LineReader file;
    if (!file.Open(path)) {
        messages.Show(ProgramErrorText(
            kReaderErrorPrefix, "cannot open " + path + " (" + file.ErrorReason() + ")", kRoutine));
        return {};
    }
    return ReadOpenFile(file, path, messages, middle);
}

ReadResult ReadBytes(std::string_view bytes, const std::string& name, Messages& messages,
                     MiddleOfFile* middle) {
    LineReader file;
    file.OpenBytes(bytes);
    return ReadOpenFile(file, name, messages, middle);
}

}  // namespace

ReadResult ReadRoadwayCutFrom(const std::string& path, Messages& messages, uint64_t cutSearchFrom,
                              bool& joined) {
    MiddleOfFile middle{std::make_unique<LineReader>(), cutSearchFrom};
    if (!middle.lines->OpenAt(path, cutSearchFrom)) {
        middle.lines.reset();  // read on one thread
    }
    ReadResult result = ReadFile(path, messages, &middle);
    joined = middle.joined;
    return result;
}

ReadResult ReadRoadwayFromBytesCutFrom(std::string_view bytes, const std::string& name,
                                       Messages& messages, uint64_t cutSearchFrom, bool& joined) {
    MiddleOfFile middle{std::make_unique<LineReader>(), cutSearchFrom};
    middle.lines->OpenBytesAt(bytes, cutSearchFrom);
    ReadResult result = ReadBytes(bytes, name, messages, &middle);
    joined = middle.joined;
    return result;
}

ReadResult ReadRoadway(const std::string& path, Messages& messages) {
    if (const std::optional<uint64_t> middle = MiddleOfLargeFile(path)) {
        bool joined = false;
        return ReadRoadwayCutFrom(path, messages, *middle, joined);
    }
    return ReadFile(path, messages, nullptr);
}

ReadResult ReadRoadwayFromBytes(std::string_view bytes, const std::string& name,
                                Messages& messages) {
    if (bytes.size() >= kTwoThreadReadSize) {
        bool joined = false;
        return ReadRoadwayFromBytesCutFrom(bytes, name, messages, bytes.size() / 2, joined);
    }
    return ReadBytes(bytes, name, messages, nullptr);
}

}  // namespace corvane
