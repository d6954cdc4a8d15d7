#pragma once

#include <string>
#include <string_view>

namespace kadr::text {

// Bytes that are no valid UTF-8 (a stray continuation byte, an overlong or truncated sequence, a
// surrogate) each become U+FFFD, so that no input is silently dropped.
std::u32string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view characters);

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

}  // namespace kadr::text
