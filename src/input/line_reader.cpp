#include "input/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "input/text_encoding.h"

namespace corvane {

namespace {

// The limit is on a line's content: a CR LF line end may add its CR to a line
// of the longest length before the line is known to end there.
constexpr size_t kLineEndCarriageReturn = 1;

std::string SystemReason(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

// std::fseek takes a long, which has 32 bits on Windows; there the 64-bit call.
bool SeekTo(std::FILE* file, uint64_t offset) {
#ifdef _WIN32
    return offset <= static_cast<uint64_t>(std::numeric_limits<__int64>::max()) &&
           _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return offset <= static_cast<uint64_t>(std::numeric_limits<long>::max()) &&
           std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

bool LineReader::Open(const std::string& path) {
    bytes_ = {};
    errno = 0;
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_) {
        errorReason_ = SystemReason(errno);
        return false;
    }
    buffer_.resize(kReadBlockSize);
    StartAtFirstLine();
    return true;
}

void LineReader::OpenBytes(std::string_view bytes) {
    file_.reset();
    bytes_ = bytes;
    StartAtFirstLine();
}

bool LineReader::OpenAt(const std::string& path, uint64_t offset) {
    if (!Open(path)) {
        return false;
    }
    if (!SeekTo(file_.get(), offset)) {
        errorReason_ = "cannot seek";
        file_.reset();
        return false;
    }
    blockStart_ = offset;
    return true;
}

void LineReader::OpenBytesAt(std::string_view bytes, uint64_t offset) {
    OpenBytes(bytes);
    bytesTaken_ = static_cast<size_t>(std::min<uint64_t>(offset, bytes.size()));
    blockStart_ = bytesTaken_;
}

void LineReader::StartAtFirstLine() {
    bytesTaken_ = 0;
    blockStart_ = 0;
    lineStart_ = 0;
    block_ = {};
    position_ = 0;
    readFailed_ = false;
    lineNumber_ = 0;
}

// Loads the next block of the file; false at the end of the file or on an error.
bool LineReader::Refill() {
    blockStart_ += block_.size();
    position_ = 0;
    if (!file_) {
        // From memory, in the same blocks as from a file, but without copying:
        // the bytes outlive the reading.
        block_ = bytes_.substr(bytesTaken_, kReadBlockSize);
        bytesTaken_ += block_.size();
        return !block_.empty();
    }
    if (readFailed_) {
        block_ = {};
        return false;
    }
    errno = 0;
    const size_t filled = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    block_ = std::string_view(buffer_.data(), filled);
    if (filled == 0 && std::ferror(file_.get())) {
        readFailed_ = true;
        errorReason_ = SystemReason(errno);
    }
    return filled > 0;
}

// A caller may still use Text() after asking AtEnd(), which can load the next
// block over the current line; the line moves out of the buffer first.
void LineReader::KeepTextBeforeRefill() {
    if (textInBuffer_) {
        line_.assign(text_);
        text_ = line_;
        textInBuffer_ = false;
    }
}

bool LineReader::AtEnd() {
    if (position_ < block_.size()) {
        return false;
    }
    KeepTextBeforeRefill();
    return !Refill() && !readFailed_;
}

LineReader::Status LineReader::Next() {
    textInBuffer_ = false;
    if (position_ == block_.size() && !Refill()) {
        return readFailed_ ? Status::ReadError : Status::End;
    }
    lineStart_ = blockStart_ + position_;
    // Almost every line lies whole in the block and is used where it lies.
    const std::string_view rest = block_.substr(position_);
    const size_t newline = rest.find('\n');
    if (newline == std::string_view::npos) {
        return ReadAcrossBlocks();
    }
    position_ += newline + 1;
    const Status status = Finish(rest.substr(0, newline));
    textInBuffer_ = file_ && status == Status::Line && text_.data() == rest.data();
    return status;
}

// Gathers a line that goes on in the next blocks (or ends the file without a
// line end), refusing it as soon as it is known to be too long.
LineReader::Status LineReader::ReadAcrossBlocks() {
    line_.clear();
    bool lineEndFound = false;
    while (!lineEndFound) {
        const std::string_view rest = block_.substr(position_);
        const size_t newline = rest.find('\n');
        const size_t taken = newline != std::string_view::npos ? newline : rest.size();
        if (line_.size() + taken > kMaxLineLength + kLineEndCarriageReturn) {
            ++lineNumber_;
            return Status::TooLong;
        }
        line_.append(rest.substr(0, taken));
        position_ += taken;
        if (newline != std::string_view::npos) {
            ++position_;
            lineEndFound = true;
        } else if (!Refill()) {
            if (readFailed_) {
                return Status::ReadError;
            }
            break;  // a last line without a line end
        }
    }
    return Finish(line_);
}

// The line without its line end, counted, checked for length and decoded.
LineReader::Status LineReader::Finish(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    ++lineNumber_;
    if (line.size() > kMaxLineLength) {
        return Status::TooLong;
    }
    const LineBytes bytes = ExamineBytes(line);
    textHasNul_ = bytes.nul;
    text_ = bytes.ascii ? line : DecodeLine(line, decoded_);
    return Status::Line;
}

}  // namespace corvane
