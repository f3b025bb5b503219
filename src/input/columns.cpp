#include "input/columns.h"

namespace corvane {

// Rows are short and commas dense, so one plain pass over the characters is
// faster than searching for each comma separately.
void Columns::Split(std::string_view line) {
    columns_.clear();
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ',') {
            columns_.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    columns_.push_back(line.substr(start));
}

// Every line is tested for a run of commas, so the test skips ahead: a run of
// `length` commas must cover one of the positions length-1, 2*length-1, ...
// and only a comma found at such a position needs a closer look.
bool ContainsCommaRun(std::string_view line, size_t length) {
    if (length == 0) {
        return true;
    }
    size_t probe = length - 1;
    while (probe < line.size()) {
        if (line[probe] != ',') {
            probe += length;
            continue;
        }
        size_t first = probe;
        while (first > 0 && line[first - 1] == ',') {
            --first;
        }
        size_t last = probe;
        while (last + 1 < line.size() && line[last + 1] == ',') {
            ++last;
        }
        if (last - first + 1 >= length) {
            return true;
        }
        probe = last + 1 + length;  // the next run starts after last + 1
    }
    return false;
}

std::string_view FirstColumn(std::string_view line) {
    return line.substr(0, line.find(','));
}

std::string_view AfterFirstComma(std::string_view line) {
    const size_t comma = line.find(',');
    return comma == std::string_view::npos ? std::string_view{} : line.substr(comma + 1);
}

}  // namespace corvane
