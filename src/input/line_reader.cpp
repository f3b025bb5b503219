#include "input/line_reader.h"

#include <cerrno>
#include <cstring>

#include "input/text_encoding.h"

namespace corvane {

namespace {

constexpr size_t kBufferSize = 64 * 1024;
// The limit is on a line's content: a CR LF line end may add its CR to a line
// of the longest length before the line is known to end there.
constexpr size_t kLineEndCarriageReturn = 1;

std::string SystemReason(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

}  // namespace

bool LineReader::Open(const std::string& path) {
    bytes_ = {};
    errno = 0;
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_) {
        error_reason_ = SystemReason(errno);
        return false;
    }
    buffer_.resize(kBufferSize);
    position_ = filled_ = 0;
    read_failed_ = false;
    line_number_ = 0;
    return true;
}

void LineReader::OpenBytes(std::string_view bytes) {
    file_.reset();
    bytes_ = bytes;
    bytes_taken_ = 0;
    position_ = filled_ = 0;
    read_failed_ = false;
    line_number_ = 0;
}

// Loads the next block of the file; false at the end of the file or on an error.
bool LineReader::Refill() {
    if (!file_) {
        // From memory, in the same blocks as from a file.
        const std::string_view block = bytes_.substr(bytes_taken_, kBufferSize);
        buffer_.assign(block);
        bytes_taken_ += block.size();
        filled_ = block.size();
        position_ = 0;
        return filled_ > 0;
    }
    if (read_failed_) {
        return false;
    }
    errno = 0;
    filled_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    position_ = 0;
    if (filled_ == 0 && std::ferror(file_.get())) {
        read_failed_ = true;
        error_reason_ = SystemReason(errno);
    }
    return filled_ > 0;
}

bool LineReader::AtEnd() {
    return position_ == filled_ && !Refill() && !read_failed_;
}

LineReader::Status LineReader::Next() {
    if (position_ == filled_ && !Refill()) {
        return read_failed_ ? Status::ReadError : Status::End;
    }
    line_.clear();
    bool line_end_found = false;
    while (!line_end_found) {
        const char* start = buffer_.data() + position_;
        const size_t available = filled_ - position_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        const size_t taken = newline ? static_cast<size_t>(newline - start) : available;
        if (line_.size() + taken > kMaxLineLength + kLineEndCarriageReturn) {
            ++line_number_;
            return Status::TooLong;
        }
        line_.append(start, taken);
        position_ += taken;
        if (newline) {
            ++position_;
            line_end_found = true;
        } else if (!Refill()) {
            if (read_failed_) {
                return Status::ReadError;
            }
            break;  // a last line without a line end
        }
    }
    if (!line_.empty() && line_.back() == '\r') {
        line_.pop_back();
    }
    ++line_number_;
    if (line_.size() > kMaxLineLength) {
        return Status::TooLong;
    }
    text_ = DecodeLine(line_, decoded_);
    return Status::Line;
}

}  // namespace corvane
