#include "common/second_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <vector>

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace corvane {
namespace {

TEST(SecondThread, GivesWhatTheWorkReturnedOnAnotherThread) {
    SecondThread<std::thread::id> second([] { return std::this_thread::get_id(); });
    EXPECT_TRUE(second.valid());
    EXPECT_NE(second.get(), std::this_thread::get_id());
    EXPECT_FALSE(second.valid());
}

TEST(SecondThread, ThrowsWhatTheWorkThrew) {
    SecondThread<int> second([]() -> int { throw std::runtime_error("no room"); });
    try {
        second.get();
        FAIL() << "nothing thrown";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "no room");
    }
}

TEST(SecondThread, WaitsForTheWorkBeforeGoingAway) {
    std::atomic<bool> done{false};
    {
        SecondThread<void> second([&done] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            done = true;
        });
    }
    EXPECT_TRUE(done);
}

#ifdef __linux__

std::vector<int> ProcessorsIn(const cpu_set_t& set) {
    std::vector<int> processors;
    for (int processor = 0; processor < CPU_SETSIZE; ++processor) {
        if (CPU_ISSET(processor, &set))
            processors.push_back(processor);
    }
    return processors;
}

std::vector<int> ProcessorsAllowed(pthread_t thread) {
    cpu_set_t set;
    CPU_ZERO(&set);
    EXPECT_EQ(pthread_getaffinity_np(thread, sizeof set, &set), 0);
    return ProcessorsIn(set);
}

// Holds this thread to one processor while it lives, so that "this processor"
// stays the same from one call to the next.
class HeldToOneProcessor {
  public:
    explicit HeldToOneProcessor(int processor) {
        CPU_ZERO(&before_);
        pthread_getaffinity_np(pthread_self(), sizeof before_, &before_);
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(processor, &one);
        EXPECT_EQ(pthread_setaffinity_np(pthread_self(), sizeof one, &one), 0);
    }
    ~HeldToOneProcessor() { pthread_setaffinity_np(pthread_self(), sizeof before_, &before_); }
    HeldToOneProcessor(const HeldToOneProcessor&) = delete;
    HeldToOneProcessor& operator=(const HeldToOneProcessor&) = delete;

  private:
    cpu_set_t before_;
};

// A thread that waits until it is let go.
struct WaitingThread {
    std::atomic<bool> go{false};
    std::thread thread{[this] {
        while (!go)
            std::this_thread::yield();
    }};
    ~WaitingThread() {
        go = true;
        thread.join();
    }
};

TEST(KeepOffThisProcessor, LeavesTheThreadEveryOtherProcessorItWasAllowed) {
    const std::vector<int> allowed = ProcessorsAllowed(pthread_self());
    if (allowed.size() < 2)
        GTEST_SKIP() << "one processor: there is none to keep off";
    WaitingThread waiting;  // allowed every processor, as its starter was
    const HeldToOneProcessor held(allowed.front());

    KeepOffThisProcessor(waiting.thread);

    EXPECT_EQ(ProcessorsAllowed(waiting.thread.native_handle()),
              std::vector<int>(allowed.begin() + 1, allowed.end()));
}

TEST(KeepOffThisProcessor, LeavesAThreadAllowedOnlyThisProcessorAsItIs) {
    const std::vector<int> allowed = ProcessorsAllowed(pthread_self());
    const HeldToOneProcessor held(allowed.back());
    WaitingThread waiting;  // held to the same processor as its starter

    KeepOffThisProcessor(waiting.thread);

    EXPECT_EQ(ProcessorsAllowed(waiting.thread.native_handle()), std::vector<int>{allowed.back()});
}

#endif

}  // namespace
}  // namespace corvane
