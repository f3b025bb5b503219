// Reads a text file one line at a time, without ever holding more than one
// line and a fixed buffer in memory. Accepts LF and CRLF line ends; a last
// line without a line end is still a line. Each line comes out as UTF-8.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

// No line of a real paving-grades file comes near this; a longer one means
// the file is not such a file, and reading it whole could exhaust memory.
inline constexpr size_t kMaxLineLength = 1024 * 1024;

// The file is read in blocks of this size; a larger block costs fewer reads.
inline constexpr size_t kReadBlockSize = 256 * 1024;

class LineReader {
  public:
    enum class Status {
        Line,       // Text() holds the next line
        End,        // no line is left
        TooLong,    // the line, without its line end, is longer than kMaxLineLength
        ReadError,  // the system could not read the file; ErrorReason() says why
    };

    // Opens the file; on failure returns false and ErrorReason() says why.
    bool Open(const std::string& path);
    // Reads the lines of a file already in memory, exactly as from the file;
    // `bytes` must outlive the reading.
    void OpenBytes(std::string_view bytes);
    // The same, reading from byte `offset` on as if the file began there;
    // line numbers count from there, LineStart() from the file's start.
    bool OpenAt(const std::string& path, uint64_t offset);
    void OpenBytesAt(std::string_view bytes, uint64_t offset);

    Status Next();

    // True when no further line can be read: the last line has been read.
    bool AtEnd();

    // The current line without its line end, as UTF-8.
    std::string_view Text() const { return text_; }
    bool TextHasNul() const { return textHasNul_; }

    // 1-based number of the current line; 0 before the first.
    int64_t LineNumber() const { return lineNumber_; }
    // Where in the file the current line begins, in bytes.
    uint64_t LineStart() const { return lineStart_; }

    const std::string& ErrorReason() const { return errorReason_; }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void StartAtFirstLine();  // nothing read yet, no failure
    bool Refill();
    Status ReadAcrossBlocks();
    Status Finish(std::string_view line);
    void KeepTextBeforeRefill();

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string_view bytes_;  // the file in memory, when not read from a FILE
    size_t bytesTaken_ = 0;
    std::string buffer_;
    std::string_view block_;  // the current block: in buffer_, or in bytes_
    size_t position_ = 0;
    uint64_t blockStart_ = 0;  // the file offset of block_
    uint64_t lineStart_ = 0;
    bool readFailed_ = false;
    bool textInBuffer_ = false;  // Text() views buffer_, which the next block overwrites
    std::string line_;           // a line that spans blocks, gathered
    std::string decoded_;
    std::string_view text_;
    bool textHasNul_ = false;
    int64_t lineNumber_ = 0;
    std::string errorReason_;
};

}  // namespace corvane
