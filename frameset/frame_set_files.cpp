#include "frameset/frame_set_files.h"

#include "frameset/display_file.h"
#include "frameset/module_files.h"

namespace kadr {

ReadReport ReadFrameSetFile(const std::string& path, FrameSet& set) {
    return IsModuleFileSetPath(path) ? ReadModuleFiles(path, set) : ReadDisplayFile(path, set);
}

void WriteFrameSetFile(const std::string& path, const FrameSet& set) {
    if (IsModuleFileSetPath(path)) {
        WriteModuleFiles(path, set);
    } else {
        WriteDisplayFile(path, set);
    }
}

}  // namespace kadr
