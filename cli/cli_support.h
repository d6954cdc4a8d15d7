#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kadr::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

using Args = std::vector<std::string>;

// Bad command line: the usage text goes to stderr and nothing is written.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The value after option args[i]; advances i past it. A usage error when there is none.
const std::string& OptionValue(const Args& args, std::size_t& i);

// Whole decimal numbers only, an optional sign in front; anything else is a usage error.
long long ParseInteger(std::string_view text, std::string_view what);
// As ParseInteger, within [low, high].
int ParseIntegerIn(std::string_view text, long long low, long long high, std::string_view what);

// Splits "name:value" style words; empty when there is no ':'.
std::optional<std::pair<std::string_view, std::string_view>> SplitOnce(std::string_view word,
                                                                       char sep);

std::string JsonBool(bool value);

// The value a named choice stands for, by the model's own parser; a usage error naming the option
// and the choices otherwise.
template <typename Value>
Value Choice(const std::string& word, std::optional<Value> (*parse)(std::string_view),
             const std::string& option, const std::string& choices) {
    const std::optional<Value> value = parse(word);
    if (!value) {
        throw UsageError("bad " + option + ": '" + word + "' (" + choices + ")");
    }
    return *value;
}

}  // namespace kadr::cli
