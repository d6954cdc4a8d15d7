#pragma once

#include <array>
#include <cstdint>

#include "frameset/frame_set.h"

namespace kadr {

inline constexpr int kRecordBytes = 56;       // one frame in the display file and on the wire
inline constexpr int kHeaderBytes = 5;        // orientation, two speeds, 16-bit frame count
inline constexpr int kModuleRecordBytes = 7;  // one module of one frame in a module file
inline constexpr int kModuleRows = 2;
inline constexpr int kModuleColumns = 4;
inline constexpr int kModuleWidth = 7;
inline constexpr int kModuleHeight = 8;

using FrameRecord = std::array<std::uint8_t, kRecordBytes>;
using Header = std::array<std::uint8_t, kHeaderBytes>;
using ModuleRecord = std::array<std::uint8_t, kModuleRecordBytes>;

// Where the module column byte of column k of module (mr, mc) sits in a frame record: seven
// groups of eight, lower modules first, modules right to left within a row.
constexpr int RecordOffset(int k, int mr, int mc) {
    return 8 * k + 4 * (1 - mr) + (3 - mc);
}

// The eight cells of one module column, the module's top (mark) row in bit 7.
std::uint8_t PackModuleColumn(const Frame& frame, int column, int mr);
void UnpackModuleColumn(std::uint8_t byte, int column, int mr, Frame& frame);

FrameRecord EncodeFrame(const Frame& frame);
// Overwrites all 448 cells, mark rows included; only the lowest bit of each cell is kept.
void DecodeFrame(const std::uint8_t* record, Frame& frame);

Header EncodeHeader(const FrameSet& set);
// Takes orientation and speeds from a header; the frame count field is not trusted.
void ApplyHeader(const std::uint8_t* header, FrameSet& set);

ModuleRecord EncodeModule(const Frame& frame, int mr, int mc);
// Overwrites the 56 cells of one module; the other seven modules are not touched.
void DecodeModule(const std::uint8_t* record, int mr, int mc, Frame& frame);

}  // namespace kadr
