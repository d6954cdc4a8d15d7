#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kadr::testing {

// A program run in the background with its stdout and stderr collected, for commands that
// must be watched (read line by line) or signalled while they run.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess();  // kills the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next whole line of stdout (without its newline), or nothing when none comes in time.
    std::optional<std::string> ReadLine(std::chrono::milliseconds limit = std::chrono::seconds(10));
    void Signal(int signal);
    pid_t Pid() const { return pid_; }
    // Waits for the end and returns the exit status (128 + signal when killed by one).
    int Wait();
    const std::string& Out() const { return out_; }  // everything read from stdout so far
    const std::string& Err() const { return err_; }

  private:
    bool Pump(int timeoutMs);

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string out_;
    std::string err_;
    std::size_t consumed_ = 0;
    int status_ = -1;
};

}  // namespace kadr::testing
