// Random edit sequences against a deliberately naive model written straight from the editing
// rules: plain vectors, the undo slots shifted one by one when full. Any difference in frames,
// LastFrame, CurFrame or the undo counters is a bug in one of the two.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "frameset/document.h"

namespace kadr {
namespace {

using Cells = std::vector<std::uint8_t>;

struct Model {
    std::vector<Cells> frames = std::vector<Cells>(256, Cells(448, 1));
    int last = 0;
    int cur = 0;
    struct Snap {
        std::vector<Cells> frames;
        int last;
    };
    std::vector<Snap> slots = std::vector<Snap>(65);
    int p = 0;
    int t = 0;
    Cells clip;

    void Record() {
        if (p < 64) {
            slots[static_cast<std::size_t>(p)] = {frames, last};
            ++p;
        } else {
            for (int i = 1; i <= 63; ++i) {
                slots[static_cast<std::size_t>(i - 1)] = slots[static_cast<std::size_t>(i)];
            }
            slots[63] = {frames, last};
        }
        t = p;
    }
    void Rebuilt() { cur = std::min(cur, last); }
    Cells& Cur() { return frames[static_cast<std::size_t>(cur)]; }
    bool HasCur() const { return cur >= 0 && cur <= last; }
    static int Row(int g) { return g <= 7 ? g : g + 1; }
    void Marks(int inner, int lastCol) {
        for (int c = 0; c < 28; ++c) {
            const int v = c % 7 == 6 ? lastCol : inner;
            Cur()[static_cast<std::size_t>(c * 16)] = static_cast<std::uint8_t>(v);
            Cur()[static_cast<std::size_t>(c * 16 + 8)] = static_cast<std::uint8_t>(v);
        }
    }
    void Shift(int dc, int dr) {
        static const int rows[] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15};
        const Cells old = Cur();
        for (int c = 0; c < 28; ++c) {
            for (int i = 0; i < 14; ++i) {
                const int sc = c + dc;
                const int si = i + dr;
                const bool inside = sc >= 0 && sc < 28 && si >= 0 && si < 14;
                Cur()[static_cast<std::size_t>(c * 16 + rows[i])] =
                    inside ? old[static_cast<std::size_t>(sc * 16 + rows[si])] : 1;
            }
        }
    }

    void Apply(int op, int a, int b) {
        const bool boundary = [&] {
            if (!HasCur())
                return false;
            const int m5 = Cur()[80], m6 = Cur()[96];
            return (m5 == 1 && m6 == 0) || (m5 == 0 && m6 == 1);
        }();
        switch (op) {
            case 0:  // clear
                if (HasCur()) {
                    Record();
                    Cur().assign(448, 1);
                }
                break;
            case 1:  // add
                if (last < 255) {
                    Record();
                    ++last;
                    frames[static_cast<std::size_t>(last)] = cur >= 0 ? Cur() : Cells(448, 1);
                    cur = last;
                    Rebuilt();
                }
                break;
            case 2:  // insert
                if (last < 0) {
                    Apply(1, 0, 0);
                    break;
                }
                if (HasCur() && last < 255) {
                    Record();
                    frames.insert(frames.begin() + cur, Cells(448, 1));
                    frames.pop_back();
                    ++last;
                    Rebuilt();
                }
                break;
            case 3:  // delete
                if (last < 0) {
                    Record();
                    break;
                }
                if (HasCur()) {
                    Record();
                    if (cur == last) {
                        --last;
                        cur = last;
                    } else {
                        frames.erase(frames.begin() + cur);
                        frames.push_back(Cells(448, 1));
                        --last;
                    }
                    Rebuilt();
                }
                break;
            case 4:
                if (HasCur()) {
                    Record();
                    Shift(1, 0);
                }
                break;  // left
            case 5:
                if (HasCur()) {
                    Record();
                    Shift(-1, 0);
                }
                break;  // right
            case 6:
                if (HasCur()) {
                    Record();
                    Shift(0, 1);
                }
                break;  // up
            case 7:
                if (HasCur()) {
                    Record();
                    Shift(0, -1);
                }
                break;  // down
            case 8:
                if (HasCur()) {
                    Record();
                    Marks(1, 1);
                }
                break;
            case 9:
                if (HasCur()) {
                    Record();
                    Cur().assign(448, 1);
                    Marks(1, 0);
                }
                break;
            case 10:
                if (HasCur()) {
                    Record();
                    Marks(0, 0);
                }
                break;
            case 11:
                if (HasCur()) {
                    Record();
                    Cur().assign(448, 1);
                    Marks(0, 1);
                }
                break;
            case 12:  // undo
                if (p > 0) {
                    if (p == t)
                        slots[static_cast<std::size_t>(p)] = {frames, last};
                    --p;
                    frames = slots[static_cast<std::size_t>(p)].frames;
                    last = slots[static_cast<std::size_t>(p)].last;
                    Rebuilt();
                }
                break;
            case 13:  // redo
                if (p < t) {
                    ++p;
                    frames = slots[static_cast<std::size_t>(p)].frames;
                    last = slots[static_cast<std::size_t>(p)].last;
                    Rebuilt();
                }
                break;
            case 14:
                if (HasCur())
                    clip = Cur();
                break;  // copy
            case 15:    // paste
                if (HasCur()) {
                    Record();
                    if (!clip.empty())
                        Cur() = clip;
                }
                break;
            case 16:
                if (a <= last)
                    cur = a;
                break;  // select
            case 17:    // toggle
                if (HasCur() && !boundary && b > 0) {
                    auto& cell = Cur()[static_cast<std::size_t>(a * 16 + Row(b))];
                    cell = cell == 0 ? 1 : 0;
                }
                break;
        }
    }
};

void ApplyToDocument(Document& d, MemoryClipboard& clip, int op, int a, int b) {
    FrameSet& set = d.Set();
    EditResult r;
    switch (op) {
        case 0:
            r = d.Clear();
            break;
        case 1:
            r = d.Add();
            break;
        case 2:
            r = d.Insert();
            break;
        case 3:
            r = d.Delete();
            break;
        case 4:
            r = d.MoveToLeft();
            break;
        case 5:
            r = d.MoveToRight();
            break;
        case 6:
            r = d.MoveToUp();
            break;
        case 7:
            r = d.MoveToDown();
            break;
        case 8:
            r = d.SetAnim();
            break;
        case 9:
            r = d.SetBegStr();
            break;
        case 10:
            r = d.SetStr();
            break;
        case 11:
            r = d.SetEndStr();
            break;
        case 12:
            r = d.Undo();
            break;
        case 13:
            r = d.Redo();
            break;
        case 14:
            d.Copy(clip);
            break;
        case 15:
            r = d.Paste(clip);
            break;
        case 16:
            if (a <= set.LastFrame)
                set.CurFrame = a;
            break;
        case 17:
            if (set.HasCurrentFrame())
                d.ToggleDot(set.CurFrame, a, b);
            break;
    }
    if (r.redraw == Redraw::Rebuild || r.redraw == Redraw::RebuildToEnd) {
        d.LowerCurFrameTo(set.LastFrame);
    }
}

void ExpectSame(const Model& m, const Document& d, int step) {
    const FrameSet& set = d.Set();
    ASSERT_EQ(set.LastFrame, m.last) << "step " << step;
    ASSERT_EQ(set.CurFrame, m.cur) << "step " << step;
    ASSERT_EQ(d.History().Position(), m.p) << "step " << step;
    ASSERT_EQ(d.History().Limit(), m.t) << "step " << step;
    for (int f = 0; f <= set.LastFrame; ++f) {
        const Frame& frame = set.Frames[static_cast<std::size_t>(f)];
        ASSERT_TRUE(
            std::equal(frame.begin(), frame.end(), m.frames[static_cast<std::size_t>(f)].begin()))
            << "frame " << f << " at step " << step;
    }
}

TEST(RandomEdits, DocumentMatchesTheNaiveModel) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        Model model;
        Document document;
        MemoryClipboard clipboard;
        // Some runs lean on add and undo so that the set fills up and the history overflows.
        const bool growHeavy = seed % 3 == 0;
        const int steps = growHeavy ? 600 : 200;
        for (int step = 0; step < steps; ++step) {
            int op = static_cast<int>(rng() % 18);
            if (growHeavy && rng() % 2 == 0) {
                op = rng() % 4 == 0 ? 12 : 1;
            }
            const int a = op == 16 ? static_cast<int>(rng() % 260) : static_cast<int>(rng() % 28);
            const int b = static_cast<int>(rng() % 15);
            model.Apply(op, a, b);
            ApplyToDocument(document, clipboard, op, a, b);
            ExpectSame(model, document, step);
            if (::testing::Test::HasFatalFailure()) {
                FAIL() << "seed " << seed;
            }
        }
    }
}

}  // namespace
}  // namespace kadr
