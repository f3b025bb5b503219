// The lines of a paving-grades file as a reader walks them. Every failure of
// the file itself (it cannot be read, a line is absurdly long or holds a NUL
// character) becomes one message for the user and a stop.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "input/line_reader.h"

namespace corvane {

class DataLines {
  public:
    enum class Result { Line, End, Failed };

    // Walks `file`, which the header check has opened and read up to the
    // data. `routine` names the reader in messages about the file as a whole.
    DataLines(LineReader& file, const std::string& path, std::string_view routine,
              Messages& messages);

    // The next line, checked for content no text file has.
    Result Read();
    // The next line, unchecked: for header lines whose content is not used.
    Result Skip();

    // True when the current line is the file's last one.
    bool AtEnd() { return lines_.AtEnd(); }

    std::string_view Text() const { return lines_.Text(); }
    int64_t LineNumber() const { return lines_.LineNumber(); }
    // Where in the file the current line begins, in bytes.
    uint64_t LineStart() const { return lines_.LineStart(); }

    // Refuses the file because of the current line, saying what is wrong.
    void Reject(std::string_view what);

  private:
    Result Next(bool checkContent);

    LineReader& lines_;
    const std::string& path_;
    std::string_view routine_;
    Messages& messages_;
};

}  // namespace corvane
