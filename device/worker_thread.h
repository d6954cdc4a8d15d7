#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace kadr {

// A worker thread whose end can be awaited with a time limit. Destroying it waits for the
// end without limit: no worker may outlive the objects it was given.
class WorkerThread {
  public:
    WorkerThread() = default;
    ~WorkerThread() { Join(); }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Throws std::system_error when the thread cannot be created.
    void Start(std::function<void()> body) {
        std::promise<void> done;
        ended_ = done.get_future();
        thread_ = std::thread([body = std::move(body), done = std::move(done)]() mutable {
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
