#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace kadr::testing {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
}

ChildProcess::~ChildProcess() {
    if (status_ < 0 && pid_ > 0) {
        kill(pid_, SIGKILL);
        Wait();
    }
    if (outFd_ >= 0) {
        close(outFd_);
    }
    if (errFd_ >= 0) {
        close(errFd_);
    }
}

bool ChildProcess::Pump(int timeoutMs) {
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    if (outFd_ < 0 && errFd_ < 0) {
        return false;
    }
    if (poll(fds, 2, timeoutMs) <= 0) {
        return false;
    }
    int* fdOf[2] = {&outFd_, &errFd_};
    std::string* sink[2] = {&out_, &err_};
    for (int i = 0; i < 2; ++i) {
        if (*fdOf[i] >= 0 && fds[i].revents != 0) {
            char buffer[4096];
            const ssize_t n = read(*fdOf[i], buffer, sizeof buffer);
            if (n <= 0) {
                close(*fdOf[i]);
                *fdOf[i] = -1;
            } else {
                sink[i]->append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    return true;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const std::size_t newline = out_.find('\n', consumed_);
        if (newline != std::string::npos) {
            std::string line = out_.substr(consumed_, newline - consumed_);
            consumed_ = newline + 1;
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || (outFd_ < 0 && errFd_ < 0)) {
            return std::nullopt;
        }
        Pump(static_cast<int>(left.count()));
    }
}

void ChildProcess::Signal(int signal) {
    if (status_ < 0) {
        kill(pid_, signal);
    }
}

int ChildProcess::Wait() {
    while (outFd_ >= 0 || errFd_ >= 0) {
        Pump(-1);
    }
    if (status_ < 0) {
        int status = 0;
        waitpid(pid_, &status, 0);
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return status_;
}

}  // namespace kadr::testing
