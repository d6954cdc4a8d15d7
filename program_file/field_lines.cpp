#include "program_file/field_lines.h"

#include <filesystem>

#include "frameset/errors.h"
#include "frameset/file_streams.h"
#include "frameset/file_system.h"
#include "frameset/text/utf8.h"

namespace kadr::messages {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

FileLine ReadFieldLine(const std::string& path) {
    std::string head(kMaxFieldLineBytes + kByteOrderMark.size() + 1, '\0');
    try {
        InputFile in(path);
        head.resize(in.Read(head.data(), head.size()));
    } catch (const FileError& e) {
        return {std::nullopt, e.what()};
    }
    std::string_view text = head;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos && text.size() > kMaxFieldLineBytes) {
        return {std::nullopt,
                "the first line is longer than " + std::to_string(kMaxFieldLineBytes) + " bytes"};
    }
    const std::string_view line = Trimmed(text.substr(0, end));
    if (text::EncodeUtf8(text::DecodeUtf8(line)) != line) {
        return {std::nullopt, "the first line is not UTF-8 text"};
    }
    return {std::string(line), {}};
}

std::string FieldFilePath(const std::string& folder, const std::string& path) {
    const std::filesystem::path name = PathFromUtf8(path);
    if (folder.empty() || name.is_absolute()) {
        return path;
    }
    return Utf8FromPath(PathFromUtf8(folder) / name);
}

FileLineReader FieldLinesIn(const std::string& folder) {
    return [folder](const std::string& path) { return ReadFieldLine(FieldFilePath(folder, path)); };
}

}  // namespace kadr::messages
