#include "frameset/display_file.h"

#include <algorithm>
#include <array>

#include "frameset/file_streams.h"
#include "frameset/frame_codec.h"

namespace kadr {

ReadReport ReadDisplayFile(const std::string& path, FrameSet& set) {
    InputFile in(path);
    ReadReport report;
    // The count comes from the length alone, never from the header's count field. The "+ 4"
    // makes 47 to 55 bytes after the last whole record count as one more frame, which files
    // written by earlier tools rely on.
    std::uint64_t count = (in.Size() + 4) / kRecordBytes;
    if (count > static_cast<std::uint64_t>(kMaxFrames)) {
        count = kMaxFrames;
        report.truncated = true;
    }
    if (in.Size() >= static_cast<std::uint64_t>(kHeaderBytes)) {
        Header header{};
        if (in.Read(header.data(), header.size()) == header.size()) {
            ApplyHeader(header.data(), set);
        }
    }
    set.LastFrame = static_cast<std::int32_t>(count) - 1;
    for (std::uint64_t f = 0; f < count; ++f) {
        FrameRecord record;
        const std::size_t got = in.Read(record.data(), record.size());
        // Bytes a cut-short last record lacks read as blank cells rather than as stale data.
        std::fill(record.begin() + static_cast<std::ptrdiff_t>(got), record.end(), 0xFF);
        DecodeFrame(record.data(), set.Frames[f]);
    }
    return report;
}

void WriteDisplayFile(const std::string& path, const FrameSet& set) {
    AtomicFile out(path);
    const Header header = EncodeHeader(set);
    out.Write(header);
    for (int f = 0; f <= set.LastFrame; ++f) {
        const FrameRecord record = EncodeFrame(set.Frames[static_cast<std::size_t>(f)]);
        out.Write(record);
    }
    out.Finish();
    out.Publish();
}

}  // namespace kadr
