#include "cli/file_commands.h"

#include <cstdio>
#include <string>

#include "frameset/frame_kinds.h"
#include "frameset/frame_set_files.h"
#include "frameset/module_files.h"

namespace kadr::cli {
namespace {

std::string KindName(const Frame& frame) {
    const auto kind = GetFrameKind(frame);
    return kind ? FrameKindName(*kind) : "other";
}

ReadReport ReadLikeEditor(Document& document, const std::string& path) {
    const ReadReport report = NamingFile(path, [&] { return document.Load(path); });
    document.LowerCurFrameTo(document.Set().LastFrame);
    return report;
}

void WarnTruncated(const ReadReport& report, const std::string& path) {
    if (report.truncated) {
        std::fprintf(stderr, "kadr: %s holds more than 256 frames; only the first 256 were read\n",
                     path.c_str());
    }
}

}  // namespace

ReadReport OpenLikeEditor(Document& document, const std::string& path) {
    const ReadReport report = ReadLikeEditor(document, path);
    if (!report.complete) {
        std::fprintf(stderr, "kadr: %s: the module file %s is missing; the read stopped there\n",
                     path.c_str(), report.missingFile.c_str());
    }
    WarnTruncated(report, path);
    return report;
}

void OpenWholeSet(Document& document, const std::string& path) {
    const ReadReport report = ReadLikeEditor(document, path);
    if (!report.complete) {
        // Some modules of the previous content and some of the files: nothing anyone named.
        throw Error(path + ": the module file " + report.missingFile +
                    " is missing; nothing was done");
    }
    WarnTruncated(report, path);
}

ReadReport OpenInputLikeEditor(Document& document, const std::string& path) {
    if (path == "-") {
        return ReadReport{};
    }
    return OpenLikeEditor(document, path);
}

int RunInfo(const Args& args) {
    bool json = false;
    std::string path;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option '" + arg + "'");
        } else if (path.empty()) {
            path = arg;
        } else {
            throw UsageError("info takes one FILE");
        }
    }
    if (path.empty()) {
        throw UsageError("info needs a FILE");
    }
    Document document;
    const ReadReport report = OpenLikeEditor(document, path);
    const FrameSet& set = document.Set();
    if (json) {
        std::string line = "{\"frames\":" + std::to_string(set.FrameCount()) +
                           ",\"orientation\":" + std::to_string(set.OrientationFlag) +
                           ",\"speedAnim\":" + std::to_string(set.SpeedAnim) +
                           ",\"speedRow\":" + std::to_string(set.SpeedRow) +
                           ",\"complete\":" + JsonBool(report.complete) + ",\"kinds\":[";
        for (int f = 0; f < set.FrameCount(); ++f) {
            line +=
                (f > 0 ? ",\"" : "\"") + KindName(set.Frames[static_cast<std::size_t>(f)]) + "\"";
        }
        line += "]}\n";
        std::fputs(line.c_str(), stdout);
        return kExitOk;
    }
    std::printf("file:               %s\n", path.c_str());
    std::printf("format:             %s\n",
                IsModuleFileSetPath(path) ? "module file set (8 .bin files)" : "display file");
    std::printf("frames:             %d\n", set.FrameCount());
    std::printf("orientation:        %d (%s)\n", set.OrientationFlag,
                set.OrientationFlag == 0 ? "normal" : "turned over");
    std::printf("animation speed:    %d frames/s\n", set.SpeedAnim);
    std::printf("running-line speed: %d cells/s\n", set.SpeedRow);
    if (!report.complete) {
        std::printf("complete:           no (stopped at a missing module file)\n");
    }
    for (int f = 0; f < set.FrameCount(); ++f) {
        std::printf("frame %3d:          %s\n", f + 1,
                    KindName(set.Frames[static_cast<std::size_t>(f)]).c_str());
    }
    return kExitOk;
}

int RunDump(const Args& args) {
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
        throw UsageError("dump takes one FILE");
    }
    Document document;
    OpenLikeEditor(document, args[0]);
    const FrameSet& set = document.Set();
    std::string out;
    for (int f = 0; f < set.FrameCount(); ++f) {
        out += "frame " + std::to_string(f) + "\n";
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                out += set.Cell(f, c, r) == kDotSet ? '#' : '.';
            }
            out += '\n';
        }
    }
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

int RunConvert(const Args& args) {
    if (args.size() != 2) {
        throw UsageError("convert takes IN and OUT");
    }
    Document document;
    OpenWholeSet(document, args[0]);
    NamingFile(args[1], [&] { WriteFrameSetFile(args[1], document.Set()); });
    return kExitOk;
}

}  // namespace kadr::cli
