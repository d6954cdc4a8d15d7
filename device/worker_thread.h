#pragma once

#include <sys/resource.h>
#include <unistd.h>

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

    // Throws std::system_error when the thread cannot be created. `raise` lifts the thread
    // that many steps above normal where the system lets us (it takes a privilege on Linux);
    // without it the thread simply runs at normal priority.
    void Start(std::function<void()> body, int raise = 0) {
        std::promise<void> done;
        ended_ = done.get_future();
        thread_ = std::thread([body = std::move(body), done = std::move(done), raise]() mutable {
            if (raise > 0) {
                setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -raise);
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
