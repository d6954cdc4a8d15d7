#include "cli/import_command.h"

#include <cstdio>

#include "cli/file_commands.h"
#include "frameset/frame_set_files.h"
#include "frameset/picture_dots.h"
#include "pictures/picture_reader.h"

namespace kadr::cli {

int RunImport(const Args& args) {
    std::vector<std::string> files;
    PictureToDots options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--threshold") {
            options.threshold = ParseIntegerIn(OptionValue(args, i), 0, 255, "threshold");
        } else if (arg == "--crop") {
            options.crop = true;
        } else if (arg == "--dither") {
            options.dither = true;
        } else if (arg == "--invert") {
            options.invert = true;
        } else if (arg == "--line") {
            options.runningLine = true;
        } else if (arg.size() > 1 && arg.starts_with("--")) {
            throw UsageError("unknown option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 3) {
        throw UsageError("import needs IN, IMAGE and OUT");
    }
    const std::string& image = files[1];
    const std::string& out = files[2];
    Document document;
    OpenInputLikeEditor(document, files[0]);
    std::vector<Frame> frames;
    try {
        frames = FramesOfPictures(ReadPictures(image), options);
    } catch (const Error& e) {
        throw Error(image + ": " + e.what());
    }
    const EditResult result = document.InsertFrames(document.Set().FrameCount(), frames);
    if (result.status == EditStatus::Full) {
        throw Error(image + ": " + std::to_string(frames.size()) + " frames do not fit after " +
                    std::to_string(document.Set().FrameCount()) + " (at most " +
                    std::to_string(kMaxFrames) + ")");
    }
    if (out != "-") {
        NamingFile(out, [&] { WriteFrameSetFile(out, document.Set()); });
    }
    const FrameSet& set = document.Set();
    std::printf("{\"lastFrame\":%d,\"curFrame\":%d,\"added\":%zu}\n", set.LastFrame, set.CurFrame,
                frames.size());
    return kExitOk;
}

}  // namespace kadr::cli
