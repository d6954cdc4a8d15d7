#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kadr {

// Path helpers that work on the text of a path as the user chose it, without touching the
// file system.

// Everything up to and including the last folder separator; empty when there is none.
std::string FolderPart(std::string_view path);
// Everything after the last folder separator, extension included.
std::string FileNamePart(std::string_view path);
// From the last "." of the file-name part on ("" when there is none).
std::string ExtensionPart(std::string_view path);

// Number of characters in UTF-8 text (continuation bytes do not count).
std::size_t CharacterCount(std::string_view utf8);
// Byte offset at which character `index` begins (the text's size when it has fewer).
std::size_t CharacterOffset(std::string_view utf8, std::size_t index);

}  // namespace kadr
