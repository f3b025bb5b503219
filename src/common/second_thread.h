// Work run on a thread of its own, as std::async(std::launch::async) runs it:
// get() gives its result or throws what it threw, and the object waits for
// the thread before it goes away.
//
// One difference: where the system lets a program say so, the new thread is
// started on another processor than the thread that starts it. Left to
// itself, Linux may queue the new thread on its starter's processor, where it
// waits until the starter rests: two halves of a stage meant to run side by
// side then run one after the other. bench/floor_probe measures how often.
#pragma once

#include <atomic>
#include <future>
#include <thread>
#include <utility>

namespace corvane {

// Keeps `thread` off the processor this thread runs on, when there is another
// it may use; does nothing where the system offers no such choice. The thread
// must not have ended: the system would take the request as one for the
// thread asking.
void KeepOffThisProcessor(std::thread& thread) noexcept;

template <typename Result>
class SecondThread {
  public:
    template <typename Work>
    explicit SecondThread(Work work) {
        std::packaged_task<Result()> task(std::move(work));
        result_ = task.get_future();
        // The work waits until its thread is placed, so the thread is alive
        // while it is.
        thread_ = std::thread([this, task = std::move(task)]() mutable {
            while (!placed_.load(std::memory_order_acquire))
                std::this_thread::yield();
            task();
        });
        KeepOffThisProcessor(thread_);
        placed_.store(true, std::memory_order_release);
    }
    ~SecondThread() { wait(); }
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    // Whether get() has not been called yet.
    bool valid() const { return result_.valid(); }
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }
    Result get() {
        wait();
        return result_.get();
    }

  private:
    std::future<Result> result_;
    std::atomic<bool> placed_{false};
    std::thread thread_;
};

}  // namespace corvane
