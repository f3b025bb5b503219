// The windows' error trap: a handler that fails shows one message made of a
// fixed prefix, the error's description and a suffix naming the handler, and
// stops. What the handler changed before the failure stays changed.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "common/messages.h"

namespace corvane {

template <typename Handler>
void RunTrapped(Messages& messages, const std::string& prefix, const std::string& suffix,
                Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        messages.Show(prefix + error.what() + suffix);
    }
}

}  // namespace corvane
