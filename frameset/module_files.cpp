#include "frameset/module_files.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "frameset/errors.h"
#include "frameset/file_streams.h"
#include "frameset/file_system.h"
#include "frameset/frame_codec.h"
#include "frameset/path_parts.h"

namespace kadr {
namespace {

struct ModulePlace {
    int mr;
    int mc;
};

// The order the files are visited in: upper row left to right, then lower row.
constexpr std::array<ModulePlace, kModuleCount> kOrder{{
    {0, 0},
    {0, 1},
    {0, 2},
    {0, 3},
    {1, 0},
    {1, 1},
    {1, 2},
    {1, 3},
}};

std::string ModuleCode(ModulePlace place) {
    static constexpr char kLetters[] = {'h', 'l'};
    return std::string{kLetters[place.mr], static_cast<char>('0' + (4 - place.mc))};
}

}  // namespace

bool IsModuleFileSetPath(const std::string& path) {
    std::string ext = ExtensionPart(path);
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext == ".bin";
}

std::array<std::string, kModuleCount> ModuleFileNames(const std::string& chosenPath) {
    const std::string folder = FolderPart(chosenPath);
    const std::string name = FileNamePart(chosenPath);
    const bool longForm = CharacterCount(name) >= 6;
    const std::string rest = longForm ? name.substr(CharacterOffset(name, 2)) : name;
    std::array<std::string, kModuleCount> names;
    for (std::size_t i = 0; i < kOrder.size(); ++i) {
        names[i] = folder + ModuleCode(kOrder[i]) + rest;
    }
    return names;
}

ReadReport ReadModuleFiles(const std::string& chosenPath, FrameSet& set) {
    const auto names = ModuleFileNames(chosenPath);
    ReadReport report;
    for (std::size_t i = 0; i < kOrder.size(); ++i) {
        std::error_code ec;
        const bool exists = std::filesystem::exists(PathFromUtf8(names[i]), ec);
        if (ec && ec != std::errc::no_such_file_or_directory) {
            throw FileErrorFromErrno(ec.value(), names[i]);
        }
        if (!exists) {
            report.complete = false;
            report.missingFile = names[i];
            return report;
        }
        InputFile in(names[i]);
        std::uint64_t count = in.Size() / kModuleRecordBytes;
        if (count > static_cast<std::uint64_t>(kMaxFrames)) {
            count = kMaxFrames;
            report.truncated = true;
        }
        set.LastFrame = static_cast<std::int32_t>(count) - 1;
        for (std::uint64_t f = 0; f < count; ++f) {
            ModuleRecord record;
            if (in.Read(record.data(), record.size()) != record.size()) {
                throw ReadBeyondEndOfFile();  // the file shrank while we read it
            }
            DecodeModule(record.data(), kOrder[i].mr, kOrder[i].mc, set.Frames[f]);
        }
    }
    return report;
}

void WriteModuleFiles(const std::string& chosenPath, const FrameSet& set) {
    const auto names = ModuleFileNames(chosenPath);
    std::vector<std::unique_ptr<AtomicFile>> files;
    std::vector<AtomicFile*> finished;
    for (std::size_t i = 0; i < kOrder.size(); ++i) {
        auto& file = files.emplace_back(std::make_unique<AtomicFile>(names[i]));
        for (int f = 0; f <= set.LastFrame; ++f) {
            const ModuleRecord record =
                EncodeModule(set.Frames[static_cast<std::size_t>(f)], kOrder[i].mr, kOrder[i].mc);
            file->Write(record);
        }
        file->Finish();
        finished.push_back(file.get());
    }
    PublishTogether(finished);
}

}  // namespace kadr
