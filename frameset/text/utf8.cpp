#include "frameset/text/utf8.h"

namespace kadr::text {

std::u32string DecodeUtf8(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 0;
        char32_t value = 0;
        char32_t lowest = 0;
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            value = lead & 0x1F;
            lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            value = lead & 0x0F;
            lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            value = lead & 0x07;
            lowest = 0x10000;
        } else {
            out.push_back(kReplacementCharacter);
            ++i;
            continue;
        }
        int taken = 1;
        while (taken < length && i + static_cast<std::size_t>(taken) < bytes.size()) {
            const auto next =
                static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(taken)]);
            if ((next & 0xC0) != 0x80) {
                break;
            }
            value = (value << 6) | (next & 0x3F);
            ++taken;
        }
        const bool valid = taken == length && value >= lowest && value <= 0x10FFFF &&
                           !(value >= 0xD800 && value <= 0xDFFF);
        out.push_back(valid ? value : kReplacementCharacter);
        i += static_cast<std::size_t>(taken);
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view characters) {
    std::string out;
    for (char32_t c : characters) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = kReplacementCharacter;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace kadr::text
