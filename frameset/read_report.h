#pragma once

#include <string>

namespace kadr {

// What a reader tells its caller beyond the frames themselves.
struct ReadReport {
    // False when a module file set read stopped at a missing file.
    bool complete = true;
    // The file the incomplete read stopped at, as derived from the chosen name.
    std::string missingFile;
    // True when the file held more frames than the set's 256 slots; only the first 256 were read.
    bool truncated = false;
};

}  // namespace kadr
