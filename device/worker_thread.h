#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace kadr {

// Lifts the calling thread `steps` steps above normal priority: 2 is the highest a normal
// process may ask for on Windows, 1 is above normal. Where the system refuses (Linux asks for
// a privilege) the thread stays at normal priority; the result says whether it was lifted.
bool RaiseThisThreadPriority(int steps);

// A worker thread whose end can be awaited with a time limit. Destroying it waits for the
// end without limit: no worker may outlive the objects it was given.
class WorkerThread {
  public:
    WorkerThread() = default;
    ~WorkerThread() { Join(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Throws std::system_error when the thread cannot be created. `raise` lifts the thread
    // that many steps above normal before its body runs (RaiseThisThreadPriority).
    void Start(std::function<void()> body, int raise = 0) {
        std::promise<void> done;
        ended_ = done.get_future();
        thread_ = std::thread([body = std::move(body), done = std::move(done), raise]() mutable {
            if (raise > 0) {
                RaiseThisThreadPriority(raise);
            }
            body();
            done.set_value();
        });
    }
    bool WaitFor(std::chrono::milliseconds limit) {
        return !ended_.valid() || ended_.wait_for(limit) == std::future_status::ready;
    }
    void Join() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

  private:
    std::thread thread_;
    std::future<void> ended_;
};

}  // namespace kadr
