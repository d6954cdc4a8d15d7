#include "frameset/frame_codec.h"

namespace kadr {

std::uint8_t PackModuleColumn(const Frame& frame, int column, int mr) {
    const std::uint8_t* cells = frame.data() + CellIndex(column, kModuleHeight * mr);
    unsigned byte = 0;
    for (int i = 0; i < kModuleHeight; ++i) {
        byte = (byte << 1) | (cells[i] != 0 ? 1U : 0U);
    }
    return static_cast<std::uint8_t>(byte);
}

void UnpackModuleColumn(std::uint8_t byte, int column, int mr, Frame& frame) {
    std::uint8_t* cells = frame.data() + CellIndex(column, kModuleHeight * mr);
    for (int i = kModuleHeight - 1; i >= 0; --i) {
        cells[i] = byte & 1U;
        byte = static_cast<std::uint8_t>(byte >> 1);
    }
}

FrameRecord EncodeFrame(const Frame& frame) {
    FrameRecord record{};
    int out = 0;
    for (int k = 0; k < kModuleWidth; ++k) {
        for (int mr = 1; mr >= 0; --mr) {
            for (int mc = kModuleColumns - 1; mc >= 0; --mc) {
                record[static_cast<std::size_t>(out++)] =
                    PackModuleColumn(frame, kModuleWidth * mc + k, mr);
            }
        }
    }
    return record;
}

void DecodeFrame(const std::uint8_t* record, Frame& frame) {
    int in = 0;
    for (int k = 0; k < kModuleWidth; ++k) {
        for (int mr = 1; mr >= 0; --mr) {
            for (int mc = kModuleColumns - 1; mc >= 0; --mc) {
                UnpackModuleColumn(record[in++], kModuleWidth * mc + k, mr, frame);
            }
        }
    }
}

Header EncodeHeader(const FrameSet& set) {
    const unsigned count = static_cast<unsigned>(set.LastFrame + 1);
    return Header{
        set.OrientationFlag,
        static_cast<std::uint8_t>(set.SpeedAnim & 0xFF),
        static_cast<std::uint8_t>(set.SpeedRow & 0xFF),
        static_cast<std::uint8_t>(count & 0xFF),
        static_cast<std::uint8_t>((count >> 8) & 0xFF),
    };
}

void ApplyHeader(const std::uint8_t* header, FrameSet& set) {
    set.SetOrientation(header[0]);
    set.SetSpeedAnim(header[1]);
    set.SetSpeedRow(header[2]);
}

ModuleRecord EncodeModule(const Frame& frame, int mr, int mc) {
    ModuleRecord record{};
    for (int k = 0; k < kModuleWidth; ++k) {
        record[static_cast<std::size_t>(k)] = PackModuleColumn(frame, kModuleWidth * mc + k, mr);
    }
    return record;
}

void DecodeModule(const std::uint8_t* record, int mr, int mc, Frame& frame) {
    for (int k = 0; k < kModuleWidth; ++k) {
        UnpackModuleColumn(record[k], kModuleWidth * mc + k, mr, frame);
    }
}

}  // namespace kadr
