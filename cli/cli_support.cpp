#include "cli/cli_support.h"

#include <charconv>

namespace kadr::cli {

const std::string& OptionValue(const Args& args, std::size_t& i) {
    if (i + 1 >= args.size()) {
        throw UsageError(args[i] + " needs a value");
    }
    return args[++i];
}

long long ParseInteger(std::string_view text, std::string_view what) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    long long value = 0;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc() || ptr != end) {
        throw UsageError("bad " + std::string(what) + ": '" + std::string(text) + "'");
    }
    return value;
}

int ParseIntegerIn(std::string_view text, long long low, long long high, std::string_view what) {
    const long long value = ParseInteger(text, what);
    if (value < low || value > high) {
        throw UsageError(std::string(what) + " out of range " + std::to_string(low) + ".." +
                         std::to_string(high) + ": '" + std::string(text) + "'");
    }
    return static_cast<int>(value);
}

std::optional<std::pair<std::string_view, std::string_view>> SplitOnce(std::string_view word,
                                                                       char sep) {
    const std::size_t at = word.find(sep);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return std::make_pair(word.substr(0, at), word.substr(at + 1));
}

std::string JsonBool(bool value) {
    return value ? "true" : "false";
}

}  // namespace kadr::cli
