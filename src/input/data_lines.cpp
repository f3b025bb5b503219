#include "input/data_lines.h"

#include "common/text.h"
#include "input/reader_messages.h"

namespace corvane {

DataLines::DataLines(LineReader& file, const std::string& path, std::string_view routine,
                     Messages& messages)
    : lines_(file), path_(path), routine_(routine), messages_(messages) {}

DataLines::Result DataLines::Read() {
    return Next(true);
}

DataLines::Result DataLines::Skip() {
    return Next(false);
}

DataLines::Result DataLines::Next(bool checkContent) {
    switch (lines_.Next()) {
        case LineReader::Status::Line:
            if (checkContent && lines_.TextHasNul()) {
                Reject("the line holds a NUL character, which no text file has");
                return Result::Failed;
            }
            return Result::Line;
        case LineReader::Status::End:
            return Result::End;
        case LineReader::Status::TooLong:
            Reject("the line is longer than " + std::to_string(kMaxLineLength) + " characters");
            return Result::Failed;
        case LineReader::Status::ReadError:
            messages_.Show(ProgramErrorText(
                kReaderErrorPrefix, "cannot read " + path_ + " (" + lines_.ErrorReason() + ")",
                routine_));
            return Result::Failed;
    }
    return Result::Failed;
}

void DataLines::Reject(std::string_view what) {
    messages_.Show(LineRejectionText(path_, lines_.LineNumber(), what));
}

}  // namespace corvane
