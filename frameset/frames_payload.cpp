#include "frameset/frames_payload.h"

#include <string>

#include "frameset/errors.h"

namespace kadr {
namespace {

[[noreturn]] void Refuse(const std::string& what) {
    throw Error("Кадры в буфере обмена не прочитаны: " + what +
                ". Ничего не вставлено; скопируйте кадры заново");
}

}  // namespace

std::vector<std::uint8_t> EncodeFramesPayload(const std::vector<Frame>& frames) {
    const std::size_t count = frames.size();
    std::vector<std::uint8_t> block;
    block.reserve(kFramesPayloadHeader + count * kFrameBytes);
    block.push_back(kFramesPayloadVersion);
    block.push_back(0);
    block.push_back(static_cast<std::uint8_t>(count & 0xFF));
    block.push_back(static_cast<std::uint8_t>(count >> 8));
    for (const Frame& frame : frames) {
        block.insert(block.end(), frame.begin(), frame.end());
    }
    return block;
}

std::vector<Frame> DecodeFramesPayload(std::span<const std::uint8_t> block) {
    if (block.size() < static_cast<std::size_t>(kFramesPayloadHeader)) {
        Refuse("в них нет заголовка (" + std::to_string(block.size()) + " байт)");
    }
    if (block[0] != kFramesPayloadVersion || block[1] != 0) {
        Refuse("их записала программа другой версии (" + std::to_string(block[0]) + ")");
    }
    const int count = block[2] | (block[3] << 8);
    if (count < 1 || count > kMaxFrames) {
        Refuse("в заголовке " + std::to_string(count) + " кадров, а бывает от 1 до " +
               std::to_string(kMaxFrames));
    }
    const std::size_t body = block.size() - kFramesPayloadHeader;
    if (body / kFrameBytes != static_cast<std::size_t>(count)) {
        Refuse("в заголовке " + std::to_string(count) + " кадров, а данных на " +
               std::to_string(body / kFrameBytes));
    }
    std::vector<Frame> frames(static_cast<std::size_t>(count));
    const std::uint8_t* cell = block.data() + kFramesPayloadHeader;
    for (int f = 0; f < count; ++f) {
        for (std::uint8_t& target : frames[static_cast<std::size_t>(f)]) {
            if (*cell != kDotSet && *cell != kDotBlank) {
                Refuse("в кадре " + std::to_string(f + 1) + " ячейка со значением " +
                       std::to_string(*cell) + " (бывает 0 или 1)");
            }
            target = *cell++;
        }
    }
    return frames;
}

}  // namespace kadr
