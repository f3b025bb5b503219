#include "input/second_half.h"

#include <utility>

namespace corvane {

namespace {

// The part is worth joining only when it was read whole and said nothing: a
// message there would have to be shown in its turn, after those of the first
// part, and a stop there would end the read where the first thread may not.
std::optional<Roadway> ReadQuietly(const SecondHalf::Read& read, LineReader& lines,
                                   const std::atomic<bool>& stop) {
    RecordingMessages messages;
    ReadResult result = read(lines, stop, messages);
    if (result.Outcome != ReadOutcome::Read || !messages.shown.empty()) {
        return std::nullopt;
    }
    return std::move(result.Roadway);
}

}  // namespace

SecondHalf::SecondHalf(std::unique_ptr<LineReader> lines, uint64_t searchFrom, FindCut findCut,
                       Read read)
    : searchFrom_(searchFrom),
      lines_(std::move(lines)),
      roadway_([this, findCut, read = std::move(read)]() -> std::optional<Roadway> {
          bool found = false;
          try {
              found = findCut(*lines_);
          } catch (...) {
              cutFound_.set_value(kNoCut);  // the first thread reads on
              throw;
          }
          cutFound_.set_value(found ? lines_->LineStart() : kNoCut);
          if (!found) {
              return std::nullopt;
          }
          return ReadQuietly(read, *lines_, stop_);
      }) {}

SecondHalf::~SecondHalf() {
    stop_ = true;
    roadway_.wait();  // a thread whose result was taken is already joined
}

uint64_t SecondHalf::Cut() {
    if (!cut_) {
        cut_ = cutFuture_.get();
    }
    return *cut_;
}

std::optional<Roadway> SecondHalf::TakeAt(uint64_t lineStart) {
    if (lineStart == Cut()) {
        return roadway_.get();
    }
    stop_ = true;
    return std::nullopt;
}

}  // namespace corvane
