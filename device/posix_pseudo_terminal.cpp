#include "device/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kadr {
namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (master_ < 0) {
        Fail("posix_openpt");
    }
    char name[128];
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        ptsname_r(master_, name, sizeof name) != 0) {
        const int error = errno;
        close(master_);
        errno = error;
        Fail("pseudo-terminal set-up");
    }
    slavePath_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (slave_ < 0) {
        const int error = errno;
        close(master_);
        errno = error;
        Fail("open pseudo-terminal slave");
    }
    MakeRaw(master_);
    MakeRaw(slave_);
}

PseudoTerminal::~PseudoTerminal() {
    CloseSlave();
    CloseMaster();
}

void PseudoTerminal::CloseSlave() {
    if (slave_ >= 0) {
        close(slave_);
        slave_ = -1;
    }
}

void PseudoTerminal::CloseMaster() {
    if (master_ >= 0) {
        close(master_);
        master_ = -1;
    }
}

}  // namespace kadr
