#include <locale.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/comms_log.h"

namespace kadr {
namespace {

// glibc answers every unknown number with "Unknown error N" rather than failing, so that text
// is how it says it has none.
bool IsUnknownErrorText(const char* text) {
    return std::strncmp(text, "Unknown error", 13) == 0;
}

}  // namespace

std::string FormatLastError(int error) {
    // The C locale's texts are the English ones, whatever language the user runs in.
    static const locale_t english = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (english != static_cast<locale_t>(nullptr)) {
        const char* text = strerror_l(error, english);
        if (text != nullptr && !IsUnknownErrorText(text)) {
            return text;
        }
    }
    return "FormatMessage failed on error " + std::to_string(error) +
           " for the following reason: " +
           std::to_string(english == static_cast<locale_t>(nullptr) ? errno : EINVAL);
}

void DebugOutput(std::string_view text) {
    static const bool enabled = std::getenv("KADR_COMM_DEBUG") != nullptr;
    if (enabled) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
}

}  // namespace kadr
