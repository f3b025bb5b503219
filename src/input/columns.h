// A row of the paving-grades file is split at every comma; quotes have no
// special meaning and a column may be empty. The columns are views into the
// line, and the splitter keeps its storage from row to row, so splitting
// allocates nothing once the first rows have been read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace corvane {

class Columns {
  public:
    // Splits `line`; the views stay valid as long as the line's text does.
    void Split(std::string_view line);

    size_t Count() const { return columns_.size(); }
    bool Has(size_t column) const { return column < columns_.size(); }
    std::string_view operator[](size_t column) const { return columns_[column]; }

    // True when `length` commas follow each other somewhere in the split
    // line, as ContainsCommaRun tells of the line itself: such a run leaves
    // length - 1 empty columns in a row between two commas.
    bool HasCommaRun(size_t length) const;

  private:
    std::vector<std::string_view> columns_;
};

// Stores a column's text into `field`. The rows of a station repeat its texts,
// so a text equal to the one held is not copied again.
inline void KeepText(std::string& field, std::string_view text) {
    if (!SameText(field, text)) {
        field = text;
    }
}

// The text before the first comma (the whole text when there is none).
std::string_view FirstColumn(std::string_view line);

// The text after the first comma, or nothing when there is no comma.
std::string_view AfterFirstComma(std::string_view line);

// True when `length` commas follow each other somewhere in the line.
bool ContainsCommaRun(std::string_view line, size_t length);

}  // namespace corvane
