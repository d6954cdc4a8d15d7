#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kadr {

inline constexpr int kColumns = 28;
inline constexpr int kRows = 16;
// The rows that carry dots, every row but the two mark rows: the picture the display shows, the
// drawing tools draw in and a text line is written into.
inline constexpr int kDotRows = kRows - 2;            // 14
inline constexpr int kFrameBytes = kColumns * kRows;  // 448
inline constexpr int kMaxFrames = 256;
inline constexpr int kMinSpeed = 1;
inline constexpr int kMaxSpeed = 50;

// A cell holds 0 for a set dot (painted black) and 1 for a blank one.
inline constexpr std::uint8_t kDotSet = 0;
inline constexpr std::uint8_t kDotBlank = 1;

// Rows 0 and 8 are the top rows of the two module rows; the display reads the frame's kind
// from them, so they never hold picture dots.
inline constexpr int kUpperMarkRow = 0;
inline constexpr int kLowerMarkRow = 8;

using Frame = std::array<std::uint8_t, kFrameBytes>;
using FrameBuffer = std::array<Frame, kMaxFrames>;

// Frames are stored column by column so that the eight cells of one module column are
// adjacent bytes, which is what both file formats pack into one byte.
constexpr int CellIndex(int column, int row) {
    return column * kRows + row;
}
constexpr bool IsMarkRow(int row) {
    return row == kUpperMarkRow || row == kLowerMarkRow;
}

void FillBlank(Frame& frame);

// Speeds outside 1..50 are brought to the nearest bound, never rejected.
int ClampSpeed(long long value);

// The one document: 256 fixed frame slots plus the playback settings. Frames above
// LastFrame keep stale bytes; everything that brings a slot into use overwrites it first.
struct FrameSet {
    FrameBuffer Frames;
    std::int32_t LastFrame = 0;
    std::int32_t CurFrame = 0;
    std::string FileName;
    std::uint8_t OrientationFlag = 0;
    int SpeedAnim = kMinSpeed;
    int SpeedRow = kMinSpeed;

    // The start-up document: every slot blank, one frame in use, settings at their minimum.
    FrameSet();

    int FrameCount() const { return LastFrame + 1; }
    bool HasCurrentFrame() const { return CurFrame >= 0 && CurFrame <= LastFrame; }

    Frame& Current() { return Frames[static_cast<std::size_t>(CurFrame)]; }
    const Frame& Current() const { return Frames[static_cast<std::size_t>(CurFrame)]; }

    std::uint8_t& Cell(int frame, int column, int row) {
        return Frames[static_cast<std::size_t>(frame)]
                     [static_cast<std::size_t>(CellIndex(column, row))];
    }
    std::uint8_t Cell(int frame, int column, int row) const {
        return Frames[static_cast<std::size_t>(frame)]
                     [static_cast<std::size_t>(CellIndex(column, row))];
    }

    void FillAllBlank();
    void SetSpeedAnim(long long value) { SpeedAnim = ClampSpeed(value); }
    void SetSpeedRow(long long value) { SpeedRow = ClampSpeed(value); }
    // Any non-zero flag means "turned over"; only 0 and 1 are ever stored.
    void SetOrientation(int flag) { OrientationFlag = flag != 0 ? 1 : 0; }
};

}  // namespace kadr
