// How writing a table to a file ended.
#pragma once

#include <string>

namespace corvane {

struct WriteOutcome {
    bool Written = false;
    std::string Reason;  // why not, in the system's words when it gave one

    explicit operator bool() const { return Written; }
};

}  // namespace corvane
