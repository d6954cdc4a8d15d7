#pragma once

#include <string>
#include <string_view>

#include "frameset/errors.h"
#include "frameset/messages/message.h"

namespace kadr::messages {

// A program file that is not one: the message names the field by its path, as in
// "messages[1].hold: must be 0 to 60".
class ProgramFormatError : public Error {
  public:
    using Error::Error;
};

// The largest program file read; a program of 256 frames needs a few kilobytes.
inline constexpr std::uint64_t kMaxProgramFileBytes = 1 << 20;

// A program from its JSON text. Omitted fields take the Message defaults, never settings
// remembered anywhere; unknown fields and names, bad types and numbers out of range are
// refused with ProgramFormatError.
Program ParseProgram(std::string_view json);
// Every field written out, in the order of the file's description, readable by ParseProgram.
std::string ProgramJson(const Program& program);

// Throw FileError for the file itself, ProgramFormatError for what it holds. Writing replaces
// an old file only once the new one is complete.
Program ReadProgramFile(const std::string& path);
void WriteProgramFile(const std::string& path, const Program& program);

}  // namespace kadr::messages
