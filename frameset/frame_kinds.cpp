#include "frameset/frame_kinds.h"

namespace kadr {
namespace {

constexpr int kKindColumnA = 5;
constexpr int kKindColumnB = 6;

bool IsLastColumnOfModule(int column) {
    return column % 7 == 6;
}

void WriteMarks(Frame& frame, std::uint8_t inner, std::uint8_t last) {
    for (int c = 0; c < kColumns; ++c) {
        const std::uint8_t mark = IsLastColumnOfModule(c) ? last : inner;
        frame[CellIndex(c, kUpperMarkRow)] = mark;
        frame[CellIndex(c, kLowerMarkRow)] = mark;
    }
}

}  // namespace

std::optional<FrameKind> GetFrameKind(const Frame& frame) {
    const std::uint8_t a = frame[CellIndex(kKindColumnA, kUpperMarkRow)];
    const std::uint8_t b = frame[CellIndex(kKindColumnB, kUpperMarkRow)];
    if (a == 1 && b == 1) {
        return fkAnim;
    }
    if (a == 1 && b == 0) {
        return fkBegStr;
    }
    if (a == 0 && b == 0) {
        return fkStr;
    }
    if (a == 0 && b == 1) {
        return fkEndStr;
    }
    return std::nullopt;
}

bool IsRunningLineBoundary(const Frame& frame) {
    const auto kind = GetFrameKind(frame);
    return kind == fkBegStr || kind == fkEndStr;
}

void SetAnim(Frame& frame) {
    WriteMarks(frame, 1, 1);
}

void SetBegStr(Frame& frame) {
    FillBlank(frame);
    WriteMarks(frame, 1, 0);
}

void SetStr(Frame& frame) {
    WriteMarks(frame, 0, 0);
}

void SetEndStr(Frame& frame) {
    FillBlank(frame);
    WriteMarks(frame, 0, 1);
}

const char* FrameKindName(FrameKind kind) {
    switch (kind) {
        case fkAnim:
            return "anim";
        case fkBegStr:
            return "beg";
        case fkStr:
            return "str";
        case fkEndStr:
            return "end";
    }
    return "anim";
}

}  // namespace kadr
