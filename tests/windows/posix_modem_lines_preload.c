/* Preloaded into wine by scripts/test-windows.sh: a pseudo-terminal has no modem lines and no
 * line-error counters, so wine's EscapeCommFunction fails and its WaitCommEvent ends at once.
 * Where a terminal refuses those requests, this answers them as a quiet serial port would:
 * DTR and RTS remembered, CTS, DSR and carrier up, no line errors counted. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <linux/serial.h>
#include <stdarg.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

typedef int (*ioctl_fn)(int, unsigned long, ...);

static int modem_bits = 0;

static int real_ioctl(int fd, unsigned long request, void* argument) {
    static ioctl_fn next = 0;
    if (next == 0) {
        next = (ioctl_fn)dlsym(RTLD_NEXT, "ioctl");
    }
    return next(fd, request, argument);
}

int ioctl(int fd, unsigned long request, ...) {
    va_list list;
    va_start(list, request);
    void* argument = va_arg(list, void*);
    va_end(list);

    const int result = real_ioctl(fd, request, argument);
    if (result == 0 || !isatty(fd)) {
        return result;
    }
    switch (request) {
        case TIOCMGET:
            *(int*)argument = modem_bits | TIOCM_CTS | TIOCM_DSR | TIOCM_CD;
            return 0;
        case TIOCMSET:
            modem_bits = *(const int*)argument;
            return 0;
        case TIOCMBIS:
            modem_bits |= *(const int*)argument;
            return 0;
        case TIOCMBIC:
            modem_bits &= ~*(const int*)argument;
            return 0;
        case TIOCGICOUNT:
            memset(argument, 0, sizeof(struct serial_icounter_struct));
            return 0;
        default:
            return result;
    }
}
