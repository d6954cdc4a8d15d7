// A null-modem cable made of two pseudo-terminals, for the Windows tests under wine: what is
// written to one slave arrives at the other, byte for byte and at once. The two slave paths
// are published as symbolic links (the names wine's COM1 and COM2 point at). Runs until it is
// terminated; prints "ready" when the links are in place.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Pty {
    int master = -1;
    int slave = -1;  // held open so that the master never sees a hangup between users
};

bool OpenPty(Pty& pty, const std::string& link) {
    pty.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0) {
        return false;
    }
    const char* name = ptsname(pty.master);
    if (name == nullptr) {
        return false;
    }
    pty.slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (pty.slave < 0 || tcgetattr(pty.slave, &tio) != 0) {
        return false;
    }
    cfmakeraw(&tio);
    tcsetattr(pty.slave, TCSANOW, &tio);
    std::error_code ec;
    const std::string temp = link + ".new";
    std::filesystem::remove(temp, ec);
    std::filesystem::create_symlink(name, temp, ec);
    if (ec) {
        return false;
    }
    std::filesystem::rename(temp, link, ec);
    return !ec;
}

// Copies what is waiting on `from` to `to`; false when `from` is gone for good.
bool Pass(int from, int to) {
    char buffer[4096];
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got < 0) {
        return errno == EINTR || errno == EAGAIN || errno == EIO;  // EIO: no slave user now
    }
    for (ssize_t done = 0; done < got;) {
        const ssize_t put = write(to, buffer + done, static_cast<std::size_t>(got - done));
        if (put < 0 && errno != EINTR && errno != EAGAIN) {
            return false;
        }
        done += put > 0 ? put : 0;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LINK1 LINK2\n", argv[0]);
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    Pty a, b;
    if (!OpenPty(a, argv[1]) || !OpenPty(b, argv[2])) {
        std::perror("pty_bridge");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        pollfd fds[2] = {{a.master, POLLIN, 0}, {b.master, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return 1;
        }
        if ((fds[0].revents & POLLIN) && !Pass(a.master, b.master)) {
            return 1;
        }
        if ((fds[1].revents & POLLIN) && !Pass(b.master, a.master)) {
            return 1;
        }
    }
}
