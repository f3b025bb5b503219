// The part of a large file after a cut, read on a second thread while the
// first thread reads up to the cut. Its reading is only a proposal: the first
// thread takes it when it arrives at the cut in the state the second thread
// began in, and otherwise reads on past the cut itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>

#include "common/messages.h"
#include "input/read_roadway.h"

namespace corvane {

// A cut is looked for among this many lines from the middle of the file on; a
// station has some sixty.
inline constexpr int kCutSearchLines = 4096;

class SecondHalf {
  public:
    // Reads from the cut to the end of the file, showing its messages on
    // `messages`; it may give up once `stop` is set.
    using Read = std::function<ReadResult(const std::atomic<bool>& stop, Messages& messages)>;

    // Starts `read` on another thread; `cut` is where in the file it begins.
    SecondHalf(uint64_t cut, Read read);
    // Tells the reading to stop and waits for it.
    ~SecondHalf();
    SecondHalf(const SecondHalf&) = delete;
    SecondHalf& operator=(const SecondHalf&) = delete;

    // Whether the first thread, about to read the line that starts at
    // `lineStart`, has come as far as the cut.
    bool Reached(uint64_t lineStart) const { return lineStart >= cut_; }

    // Once reached: at the cut, waits for the reading and gives its roadway
    // when it read to the end of the file without a message; past the cut (it
    // lay inside a station) tells the reading to stop. Nothing means the part
    // must be read on by the first thread.
    std::optional<Roadway> TakeAt(uint64_t lineStart);

  private:
    std::atomic<bool> stop_{false};  // declared first: the thread reads it until joined
    uint64_t cut_;
    std::future<std::optional<Roadway>> roadway_;
};

}  // namespace corvane
