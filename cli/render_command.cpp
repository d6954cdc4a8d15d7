#include "cli/render_command.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

#include "cli/file_commands.h"
#include "cli/gif_writer.h"
#include "cli/png_writer.h"
#include "frameset/file_streams.h"
#include "frameset/playback/led_image.h"
#include "frameset/playback/timeline.h"

namespace kadr::cli {
namespace {

constexpr int kMaxScale = 32;

enum class Format { Gif, Png };

struct RenderOptions {
    std::string in;
    std::string out;
    Format format = Format::Gif;
    int scale = 8;
    playback::LedColour colour = playback::LedColour::Red;
    std::optional<int> frame;  // from 1
};

std::optional<Format> FormatOf(const std::string& path) {
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == ".gif") {
        return Format::Gif;
    }
    if (tail == ".png") {
        return Format::Png;
    }
    return std::nullopt;
}

RenderOptions ParseOptions(const Args& args) {
    RenderOptions options;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--scale") {
            options.scale = ParseIntegerIn(OptionValue(args, i), 1, kMaxScale, "scale");
        } else if (arg == "--colour" || arg == "--color") {
            const std::string& name = OptionValue(args, i);
            const auto colour = playback::ParseLedColour(name);
            if (!colour) {
                throw UsageError("unknown colour '" + name +
                                 "' (red, green, amber, white or blue)");
            }
            options.colour = *colour;
        } else if (arg == "--frame") {
            options.frame = ParseIntegerIn(OptionValue(args, i), 1, kMaxFrames, "frame");
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("unknown option '" + arg + "'");
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        throw UsageError("render takes IN and OUT");
    }
    options.in = paths[0];
    options.out = paths[1];
    const auto format = FormatOf(options.out);
    if (!format) {
        throw UsageError("render writes OUT ending in .gif or .png, not '" + options.out + "'");
    }
    options.format = *format;
    if (options.frame && options.format != Format::Png) {
        throw UsageError("--frame picks one frame for a .png");
    }
    return options;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    NamingFile(path, [&] {
        AtomicFile file(path);
        file.Write(bytes);
        file.Finish();
        file.Publish();
    });
}

}  // namespace

int RunRender(const Args& args) {
    const RenderOptions options = ParseOptions(args);
    Document document;
    OpenInputLikeEditor(document, options.in);
    const FrameSet& set = document.Set();
    const playback::LedPainter painter(options.colour, options.scale);

    if (options.format == Format::Png) {
        if (options.frame && *options.frame > set.FrameCount()) {
            throw UsageError("--frame " + std::to_string(*options.frame) + ": the set has " +
                             std::to_string(set.FrameCount()) + " frames");
        }
        if (set.FrameCount() == 0) {
            std::fprintf(stderr, "kadr: %s: the frame set is empty; there is nothing to draw\n",
                         options.in.c_str());
            return kExitFailed;
        }
        playback::IndexedImage image;
        if (options.frame) {
            image = painter.Paint(
                playback::PictureOf(set.Frames[static_cast<std::size_t>(*options.frame - 1)]));
        } else {
            std::vector<playback::Picture> pictures;
            for (int f = 0; f < set.FrameCount(); ++f) {
                pictures.push_back(playback::PictureOf(set.Frames[static_cast<std::size_t>(f)]));
            }
            image = painter.Sheet(pictures);
        }
        WriteBytes(options.out, EncodePng(image));
        return kExitOk;
    }

    const playback::Timeline timeline = playback::BuildTimeline(set);
    for (const playback::Note& note : timeline.notes) {
        std::fprintf(stderr, "kadr: %s: %s\n", options.in.c_str(),
                     playback::NoteText(note).c_str());
    }
    if (timeline.Empty()) {
        std::fprintf(stderr, "kadr: %s: nothing to play; no GIF written\n", options.in.c_str());
        return kExitFailed;
    }
    NamingFile(options.out, [&] {
        AtomicFile file(options.out);
        EncodeGif(timeline, painter,
                  [&file](std::span<const std::uint8_t> bytes) { file.Write(bytes); });
        file.Finish();
        file.Publish();
    });
    return kExitOk;
}

}  // namespace kadr::cli
