// The part of a large file after a cut, read on a second thread while the
// first thread reads up to the cut. The second thread looks for the cut too,
// so the first starts reading at once. Its reading is only a proposal: the
// first thread takes it when it arrives at the cut in the state the second
// thread began in, and otherwise reads on past the cut itself.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>

#include "common/messages.h"
#include "common/second_thread.h"
#include "input/line_reader.h"
#include "input/read_roadway.h"

namespace corvane {

// A cut is looked for among this many lines from the middle of the file on; a
// station has some sixty.
inline constexpr int kCutSearchLines = 4096;

class SecondHalf {
  public:
    // Leaves `lines` on the first line of a cut; false when there is none.
    using FindCut = bool (*)(LineReader& lines);
    // Reads `lines` from the cut to the end of the file, showing its messages
    // on `messages`; it may give up once `stop` is set.
    using Read = std::function<ReadResult(LineReader& lines, const std::atomic<bool>& stop,
                                          Messages& messages)>;

    // On another thread: `findCut` in `lines`, opened at byte `searchFrom`
    // (no cut lies before it), then `read` from the cut it found.
    SecondHalf(std::unique_ptr<LineReader> lines, uint64_t searchFrom, FindCut findCut, Read read);
    // Tells the reading to stop and waits for it.
    ~SecondHalf();
    SecondHalf(const SecondHalf&) = delete;
    SecondHalf& operator=(const SecondHalf&) = delete;

    // Whether the first thread, about to read the line that starts at
    // `lineStart`, has come as far as the cut. From where the search began
    // on, it waits for the search to end (the first thread gets there long
    // after on a large file), so the cut is never passed unknowing.
    bool Reached(uint64_t lineStart) { return lineStart >= searchFrom_ && lineStart >= Cut(); }

    // Once reached: at the cut, waits for the reading and gives its roadway
    // when it read to the end of the file without a message; past the cut (it
    // lay inside a station) tells the reading to stop. Nothing means the part
    // must be read on by the first thread.
    std::optional<Roadway> TakeAt(uint64_t lineStart);

  private:
    static constexpr uint64_t kNoCut = UINT64_MAX;  // beyond any line: never reached

    // The cut, once the search ended.
    uint64_t Cut();

    uint64_t searchFrom_;
    std::optional<uint64_t> cut_;
    // Declared before the thread: it uses them until joined.
    std::unique_ptr<LineReader> lines_;
    std::atomic<bool> stop_{false};
    std::promise<uint64_t> cutFound_;
    std::future<uint64_t> cutFuture_ = cutFound_.get_future();
    SecondThread<std::optional<Roadway>> roadway_;
};

}  // namespace corvane
