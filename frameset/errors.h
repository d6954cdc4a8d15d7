#pragma once

#include <stdexcept>
#include <string>

namespace kadr {

// An error that ends the command it was raised in; its message is what the user reads.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file that could not be read or written. The messages are the runtime's well-known texts
// ("File not found", "Disk full", ...) so that users meet the same words on every platform.
class FileError : public Error {
  public:
    FileError(int code, const std::string& message) : Error(message), code_(code) {}
    int Code() const { return code_; }

  private:
    int code_;
};

// Runtime code and text for a failed file operation; `path` helps to tell a missing file
// from a missing folder.
FileError FileErrorFromErrno(int err, const std::string& path = {});

inline constexpr int kReadBeyondEndOfFile = 100;
FileError ReadBeyondEndOfFile();

// A pipe, a device or a socket where a file was expected.
inline constexpr int kNotARegularFile = 1001;
FileError NotARegularFile();

}  // namespace kadr
