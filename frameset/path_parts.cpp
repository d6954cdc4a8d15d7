#include "frameset/path_parts.h"

namespace kadr {
namespace {

#if defined(_WIN32)
constexpr std::string_view kSeparators = "\\/:";
#else
constexpr std::string_view kSeparators = "/";
#endif

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string FolderPart(std::string_view path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FileNamePart(std::string_view path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtensionPart(std::string_view path) {
    const std::string name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        count += IsContinuationByte(c) ? 0 : 1;
    }
    return count;
}

std::size_t CharacterOffset(std::string_view utf8, std::size_t index) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuationByte(utf8[i])) {
            if (seen == index) {
                return i;
            }
            ++seen;
        }
    }
    return utf8.size();
}

}  // namespace kadr
