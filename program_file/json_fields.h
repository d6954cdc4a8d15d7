#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "frameset/file_streams.h"

namespace kadr::json_fields {

// The readers of the JSON files (programs, schedules) refuse what they cannot take with the
// field's path in front of the reason, as in "messages[1].hold: must be 0 to 60", thrown as
// the file kind's own error type.

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

template <typename FormatError>
[[noreturn]] void Refuse(const std::string& path, const std::string& what) {
    throw FormatError(path + ": " + what);
}

// The document, or FormatError with the library's own words after `what` ("not a JSON
// program: ..."), without its "[json.exception.parse_error.101]" tag.
template <typename FormatError>
Json Parse(std::string_view text, const std::string& what) {
    try {
        return Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& e) {
        const std::string reason = e.what();
        const std::size_t tag = reason.find("] ");
        throw FormatError(what + ": " +
                          (tag == std::string::npos ? reason : reason.substr(tag + 2)));
    }
}

inline std::optional<double> Number(const Json& value) {
    if (value.is_number()) {
        return value.get<double>();
    }
    return std::nullopt;
}

// A whole number in [low, high]; "must be LOW to HIGH" otherwise, whatever the type.
template <typename FormatError>
int WholeIn(const Json& value, const std::string& path, int low, int high) {
    const std::optional<double> number = Number(value);
    if (!number || *number != std::floor(*number) || *number < low || *number > high) {
        Refuse<FormatError>(path, "must be " + std::to_string(low) + " to " + std::to_string(high));
    }
    return static_cast<int>(*number);
}

template <typename FormatError>
std::string Text(const Json& value, const std::string& path) {
    if (!value.is_string()) {
        Refuse<FormatError>(path, "must be a string");
    }
    return value.get<std::string>();
}

// Text that is not UTF-8 cannot come from a file; it is written with U+FFFD.
inline std::string Dump(const OrderedJson& json) {
    return json.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

// A whole file of at most `limit` bytes (FileError for the file, FormatError with `tooLarge`
// beyond the limit), so that a huge file is refused before it is read.
template <typename FormatError>
std::string ReadText(const std::string& path, std::uint64_t limit, const std::string& tooLarge) {
    InputFile in(path);
    if (in.Size() > limit) {
        throw FormatError(tooLarge);
    }
    std::string text(static_cast<std::size_t>(in.Size()), '\0');
    text.resize(in.Read(text.data(), text.size()));
    return text;
}

// Replaces the file only once the new text is complete on the disk.
inline void WriteText(const std::string& path, const std::string& text) {
    AtomicFile out(path);
    out.Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    out.Finish();
    out.Publish();
}

}  // namespace kadr::json_fields
