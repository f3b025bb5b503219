// What no export can avoid on this machine, measured without the program.
//
//   floor_probe io CSV BOOK OUT
//       Reads CSV in the reader's blocks; then writes BOOK's bytes (read into
//       memory before the clock starts) to a new file beside OUT, 64 pages a
//       write as the export hands them on, syncs it and renames it over OUT,
//       as the export does. Prints "READ_MS WRITE_MS".
//   floor_probe threads
//       A piece of work of about 5 ms on one thread, then the same piece on
//       each of two threads at once, 21 rounds. Prints the medians "ONE_MS
//       TWO_MS START_MS", then "SAME PINNED_MS": two as long as one when the
//       machine runs both threads at once, twice as long when it runs one
//       after the other; START_MS is how long a new thread took to begin,
//       SAME in how many rounds it began on the processor of the thread that
//       started it, PINNED_MS the two pieces' time when the new thread is
//       moved to another processor as soon as it exists.
//
// bench/compare.sh runs both in its rounds. Plain POSIX: the benchmarks are
// built and run on Linux only.
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/second_thread.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool ReadInBlocks(const char* path) {
    constexpr std::size_t kReadBlockSize = 256 * 1024;  // the reader's block
    std::vector<char> block(kReadBlockSize);
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    while (std::fread(block.data(), 1, block.size(), file) == block.size()) {
    }
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    return read;
}

// The book's text in the pieces the export writes: 64 pages each.
std::vector<std::string_view> PiecesOf(std::string_view book) {
    constexpr int kRunPages = 64;
    constexpr std::string_view kPageEnd = "\f\n";
    std::vector<std::string_view> pieces;
    std::size_t begin = 0;
    std::size_t at = 0;
    int pages = 0;
    while ((at = book.find(kPageEnd, at)) != std::string_view::npos) {
        at += kPageEnd.size();
        if (++pages % kRunPages == 0) {
            pieces.push_back(book.substr(begin, at - begin));
            begin = at;
        }
    }
    if (begin < book.size())
        pieces.push_back(book.substr(begin));
    return pieces;
}

bool WriteOver(const std::vector<std::string_view>& pieces, const std::string& target) {
    const std::string temporary = target + ".probe-new";
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0)
        return false;
    bool written = true;
    for (std::string_view piece : pieces) {
        while (written && !piece.empty()) {
            const ssize_t count = ::write(descriptor, piece.data(), piece.size());
            written = count > 0;
            if (written)
                piece.remove_prefix(static_cast<std::size_t>(count));
        }
    }
    written = ::fsync(descriptor) == 0 && written;
    written = ::close(descriptor) == 0 && written;
    return written && std::rename(temporary.c_str(), target.c_str()) == 0;
}

int ProbeInputOutput(const char* csv, const char* bookPath, const char* output) {
    std::ifstream bookFile(bookPath, std::ios::binary);
    const std::string book{std::istreambuf_iterator<char>(bookFile), {}};
    const std::vector<std::string_view> pieces = PiecesOf(book);

    const Clock::time_point start = Clock::now();
    if (!ReadInBlocks(csv)) {
        std::perror(csv);
        return 1;
    }
    const double read = MillisecondsSince(start);
    const Clock::time_point writeStart = Clock::now();
    if (!WriteOver(pieces, output)) {
        std::perror(output);
        return 1;
    }
    std::printf("%.3f %.3f\n", read, MillisecondsSince(writeStart));
    return 0;
}

// Work the compiler cannot leave out: a chain of multiplications.
unsigned long long Churn(unsigned long long steps) {
    unsigned long long value = 1;
    for (unsigned long long i = 0; i < steps; ++i)
        value = value * 6364136223846793005ULL + 1442695040888963407ULL;
    return value;
}

volatile unsigned long long sink;

struct TwoPieces {
    double milliseconds;
    double secondBeganAfter;
    bool onOneProcessor;  // the second thread began where the first ran
};

// One piece on this thread and one on a new thread, after a short rest; with
// `elsewhere` the new thread is moved off this thread's processor at once, the
// way SecondThread moves the program's own.
TwoPieces RunTwoPieces(unsigned long long steps, bool elsewhere) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const Clock::time_point start = Clock::now();
    const int here = sched_getcpu();
    TwoPieces pieces{};
    int secondProcessor = -1;
    std::atomic<bool> placed{false};  // moving a thread that has ended would move this one
    std::thread second([&] {
        pieces.secondBeganAfter = MillisecondsSince(start);
        secondProcessor = sched_getcpu();
        while (!placed)
            std::this_thread::yield();
        sink = Churn(steps);
    });
    if (elsewhere)
        corvane::KeepOffThisProcessor(second);  // as the program places its threads
    placed = true;
    sink = Churn(steps);
    second.join();
    pieces.milliseconds = MillisecondsSince(start);
    pieces.onOneProcessor = secondProcessor == here;
    return pieces;
}

int ProbeThreads() {
    // Steps for about 5 ms, the length of a stage the export splits in two.
    unsigned long long steps = 1'000'000;
    for (double taken = 0; taken < 5;) {
        steps = taken > 0.5
                    ? static_cast<unsigned long long>(static_cast<double>(steps) * 5 / taken)
                    : steps * 4;
        const Clock::time_point start = Clock::now();
        sink = Churn(steps);
        taken = MillisecondsSince(start);
    }
    std::vector<double> one, two, started, pinned;
    int sameProcessor = 0;
    for (int round = 0; round < 21; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const Clock::time_point start = Clock::now();
        sink = Churn(steps);
        one.push_back(MillisecondsSince(start));

        const TwoPieces free = RunTwoPieces(steps, false);
        two.push_back(free.milliseconds);
        started.push_back(free.secondBeganAfter);
        sameProcessor += free.onOneProcessor ? 1 : 0;
        pinned.push_back(RunTwoPieces(steps, true).milliseconds);
    }
    std::printf("%.3f %.3f %.3f\n%d %.3f\n", Median(one), Median(two), Median(started),
                sameProcessor, Median(pinned));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "io" && argc == 5)
        return ProbeInputOutput(argv[2], argv[3], argv[4]);
    if (command == "threads" && argc == 2)
        return ProbeThreads();
    std::fputs("usage: floor_probe io CSV BOOK OUT | floor_probe threads\n", stderr);
    return 2;
}
