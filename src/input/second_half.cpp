#include "input/second_half.h"

#include <utility>

namespace corvane {

namespace {

// The part is worth joining only when it was read whole and said nothing: a
// message there would have to be shown in its turn, after those of the first
// part, and a stop there would end the read where the first thread may not.
std::optional<Roadway> ReadQuietly(const SecondHalf::Read& read, const std::atomic<bool>& stop) {
    RecordingMessages messages;
    ReadResult result = read(stop, messages);
    if (result.Outcome != ReadOutcome::Read || !messages.shown.empty()) {
        return std::nullopt;
    }
    return std::move(result.Roadway);
}

}  // namespace

SecondHalf::SecondHalf(uint64_t searchFrom, FindCut findCut, Read read)
    : searchFrom_(searchFrom),
      roadway_(std::async(
          std::launch::async,
          [this, findCut = std::move(findCut), read = std::move(read)]() -> std::optional<Roadway> {
              std::optional<uint64_t> cut;
              try {
                  cut = findCut();
              } catch (...) {
                  cutFound_.set_value(kNoCut);  // the first thread reads on
                  throw;
              }
              cutFound_.set_value(cut.value_or(kNoCut));
              if (!cut) {
                  return std::nullopt;
              }
              return ReadQuietly(read, stop_);
          })) {}

SecondHalf::~SecondHalf() {
    stop_ = true;
    if (roadway_.valid()) {
        roadway_.wait();
    }
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
