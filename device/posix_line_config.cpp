#include "device/line_config.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace kadr {
namespace {

int Ioctl(int fd, unsigned long request, termios2* tio) {
    int result;
    do {
        result = ioctl(fd, request, tio);
    } while (result < 0 && errno == EINTR);
    return result < 0 ? errno : 0;
}

}  // namespace

int ConfigureLine(int fd, const LineSettings& settings) {
    termios2 tio{};
    if (const int error = Ioctl(fd, TCGETS2, &tio); error != 0) {
        return error;
    }
    int result = 0;

    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = static_cast<speed_t>(settings.baud);
    tio.c_ospeed = static_cast<speed_t>(settings.baud);

    if (settings.dataBits >= 5 && settings.dataBits <= 8) {
        static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
        tio.c_cflag = (tio.c_cflag & ~static_cast<tcflag_t>(CSIZE)) | kSizes[settings.dataBits - 5];
    } else {
        result = EINVAL;  // no terminal carries 4-bit characters; the size stays as it was
    }

    tio.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
    switch (settings.parity) {
        case TParity::None:
            break;
        case TParity::Odd:
            tio.c_cflag |= PARENB | PARODD;
            break;
        case TParity::Even:
            tio.c_cflag |= PARENB;
            break;
        case TParity::Mark:
            tio.c_cflag |= PARENB | CMSPAR | PARODD;
            break;
        case TParity::Space:
            tio.c_cflag |= PARENB | CMSPAR;
            break;
    }
    // 1.5 stop bits exist only beside 5-bit characters, where drivers read CSTOPB as 1.5.
    if (settings.stopBits == TStopBits::_1) {
        tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    } else {
        tio.c_cflag |= CSTOPB;
    }

    // A Windows port hands every byte through untouched; a terminal's line discipline would
    // echo, edit, translate CR/NL and swallow XON/XOFF and signal characters, all of which
    // occur in frame data. Hardware flow control (CRTSCTS) is left as the port had it.
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF | IXANY | IMAXBEL | IUCLC);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    // Receive at all, and ignore the carrier line as a Windows port does.
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;

    if (const int error = Ioctl(fd, TCSETS2, &tio); error != 0) {
        return error;
    }
    return result;
}

int ReadLineSpeed(int fd, int& baud) {
    termios2 tio{};
    if (const int error = Ioctl(fd, TCGETS2, &tio); error != 0) {
        return error;
    }
    baud = static_cast<int>(tio.c_ospeed);
    return 0;
}

}  // namespace kadr
