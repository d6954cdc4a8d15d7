// `kadr edit`'s drawing, transform and frame-order operations and `kadr import`, through the
// program itself.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>  // mkfifo
#endif

#include <filesystem>

#include <QImage>

#include "frameset/drawing/shapes.h"
#include "frameset/frame_kinds.h"
#include "tests/support/frames.h"
#include "tests/support/kadr_tool.h"
#include "tests/support/temp_dir.h"

namespace kadr {
namespace {

using testing::Kadr;
using testing::ProcessResult;
using testing::ReadFrameSet;
using testing::TempDir;

bool IsSet(const Frame& frame, DotCell cell) {
    return frame[DotCellIndex(cell)] == kDotSet;
}

// The set dots of a frame, in reading order.
DotCells SetCells(const Frame& frame) {
    DotCells cells;
    for (int y = 0; y < kDotRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            if (IsSet(frame, {x, y})) {
                cells.push_back({x, y});
            }
        }
    }
    return cells;
}

DotCells Sorted(DotCells cells) {
    std::sort(cells.begin(), cells.end(),
              [](DotCell p, DotCell q) { return p.y != q.y ? p.y < q.y : p.x < q.x; });
    return cells;
}

TEST(KadrDrawing, ShapesUseGridRowsAndRecordOneStepEach) {
    TempDir dir;
    const std::string out = dir.File("out.kdz");
    ProcessResult r = Kadr({"edit", "-", out, "line:3:1:20:14", "rect:0:7:27:8", "fill:1:3"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"undo\":3"), std::string::npos) << r.out;
    FrameSet set = ReadFrameSet(out);
    // The rectangle spans the seam: grid rows 7 and 8 are frame rows 7 and 9.
    EXPECT_EQ(set.Frames[0][CellIndex(0, 7)], kDotSet);
    EXPECT_EQ(set.Frames[0][CellIndex(0, 9)], kDotSet);
    EXPECT_EQ(set.Frames[0][CellIndex(0, 8)], kDotBlank);
    // The fill at column 1, grid row 3 takes the clear region above the rectangle, left of the
    // line.
    for (DotCell cell : LineCells({3, 0}, {20, 13})) {
        EXPECT_TRUE(IsSet(set.Frames[0], cell));
    }
    EXPECT_TRUE(IsSet(set.Frames[0], {0, 0}));
    EXPECT_FALSE(IsSet(set.Frames[0], {27, 0})) << "right of the line is another region";

    r = Kadr({"edit", "-", out, "box:2:2:6:5", "box-clear:3:3:5:4", "line-clear:2:2:6:2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    set = ReadFrameSet(out);
    // Columns 2..6 of dot rows 1..4, less the cleared box and the cleared top line.
    DotCells expected = BoxCells({2, 2}, {6, 4});
    std::erase_if(expected, [](DotCell c) { return c.x >= 3 && c.x <= 5 && c.y <= 3; });
    EXPECT_EQ(SetCells(set.Frames[0]), Sorted(expected));
}

TEST(KadrDrawing, LockedFramesAndFrameEndsChangeNothing) {
    TempDir dir;
    const std::string out = dir.File("out.kdz");
    ProcessResult r =
        Kadr({"edit", "-", out, "beg", "line:0:1:27:14", "fill:3:3", "rect-clear:0:1:5:5"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"undo\":1"), std::string::npos) << r.out;
    EXPECT_TRUE(SetCells(ReadFrameSet(out).Frames[0]).empty());

    r = Kadr({"edit", "-", out, "move-left", "move-right"});
    EXPECT_NE(r.out.find("\"undo\":0"), std::string::npos) << r.out;
    r = Kadr(
        {"edit", "-", out, "toggle:1:1", "add", "clear", "select:0", "move-right", "move-right"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"curFrame\":1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"undo\":3"), std::string::npos) << r.out;
    FrameSet set = ReadFrameSet(out);
    EXPECT_TRUE(SetCells(set.Frames[0]).empty());
    EXPECT_EQ(SetCells(set.Frames[1]), (DotCells{{1, 0}}));
}

TEST(KadrDrawing, TransformsTwiceGiveTheFrameBack) {
    TempDir dir;
    const std::string once = dir.File("once.kdz");
    const std::string twice = dir.File("twice.kdz");
    for (const char* op : {"invert", "flip-h", "flip-v"}) {
        ASSERT_EQ(Kadr({"edit", "-", once, "toggle:2:3", "str", op}).exitCode, 0);
        ASSERT_EQ(Kadr({"edit", once, twice, op}).exitCode, 0);
        const FrameSet a = ReadFrameSet(once);
        const FrameSet b = ReadFrameSet(twice);
        EXPECT_NE(a.Frames[0], b.Frames[0]) << op;
        EXPECT_EQ(GetFrameKind(a.Frames[0]), fkStr) << op;
        ASSERT_EQ(Kadr({"edit", "-", once, "toggle:2:3", "str"}).exitCode, 0);
        EXPECT_EQ(ReadFrameSet(once).Frames[0], b.Frames[0]) << op;
    }
    ASSERT_EQ(Kadr({"edit", "-", once, "toggle:0:7", "flip-v", "flip-h"}).exitCode, 0);
    EXPECT_EQ(SetCells(ReadFrameSet(once).Frames[0]), (DotCells{{27, 7}}));
}

TEST(KadrDrawing, TransformsLeaveStartAndEndFramesAloneAndRecordNothing) {
    TempDir dir;
    const std::string out = dir.File("out.kdz");
    for (const char* kind : {"beg", "end"}) {
        for (const char* op : {"invert", "flip-h", "flip-v"}) {
            const ProcessResult r = Kadr({"edit", "-", out, kind, op});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            EXPECT_NE(r.out.find("\"undo\":1,"), std::string::npos)
                << kind << " " << op << ": only the kind is a step: " << r.out;
            EXPECT_TRUE(SetCells(ReadFrameSet(out).Frames[0]).empty()) << kind << " " << op;
        }
    }
}

TEST(KadrDrawing, BadShapeWordsAreUsageErrors) {
    TempDir dir;
    for (const char* op : {"line:0:0:5:5", "line:1:2:3", "fill:28:1", "box-clear:1:1:1:15",
                           "rect:1:1:2:x", "fill-clear:1", "flip", "move-up"}) {
        const ProcessResult r = Kadr({"edit", "-", dir.File("out.kdz"), op});
        EXPECT_EQ(r.exitCode, 2) << op;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.kdz")));
    }
}

TEST(KadrImport, KnownDotsAreAppendedAfterTheInputFrames) {
    TempDir dir;
    QImage image(28, 14, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::black);
    image.setPixelColor(13, 7, QColor(120, 120, 120));
    image.setPixelColor(27, 13, QColor(200, 200, 200));
    ASSERT_TRUE(image.save(QString::fromStdString(dir.File("dots.png"))));
    const std::string out = dir.File("out.kdz");
    ProcessResult r = Kadr({"import", "-", dir.File("dots.png"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    FrameSet set = ReadFrameSet(out);
    ASSERT_EQ(set.FrameCount(), 2);
    EXPECT_TRUE(SetCells(set.Frames[0]).empty());
    EXPECT_EQ(SetCells(set.Frames[1]), (DotCells{{0, 0}, {13, 7}}));

    r = Kadr({"import", out, dir.File("dots.png"), out, "--threshold", "201", "--invert"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    set = ReadFrameSet(out);
    ASSERT_EQ(set.FrameCount(), 3);
    EXPECT_EQ(SetCells(set.Frames[2]).size(), 28u * 14 - 3);
}

TEST(KadrImport, ABannerBecomesARunningLineBetweenStartAndEnd) {
    TempDir dir;
    QImage banner(280, 14, QImage::Format_RGB32);
    banner.fill(Qt::white);
    for (int part = 0; part < 10; ++part) {
        banner.setPixelColor(part * 28 + part, part, Qt::black);
    }
    ASSERT_TRUE(banner.save(QString::fromStdString(dir.File("banner.bmp")), "BMP"));
    const std::string out = dir.File("out.kdz");
    const ProcessResult r = Kadr({"import", "-", dir.File("banner.bmp"), out, "--line"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const FrameSet set = ReadFrameSet(out);
    ASSERT_EQ(set.FrameCount(), 13);
    EXPECT_EQ(GetFrameKind(set.Frames[1]), fkBegStr);
    EXPECT_EQ(GetFrameKind(set.Frames[12]), fkEndStr);
    for (int part = 0; part < 10; ++part) {
        const Frame& frame = set.Frames[static_cast<std::size_t>(part + 2)];
        EXPECT_EQ(GetFrameKind(frame), fkStr);
        EXPECT_EQ(SetCells(frame), (DotCells{{part, part}}));
    }
}

TEST(KadrImport, FailuresExitOneAndWriteNothing) {
    TempDir dir;
    const std::string out = dir.File("out.kdz");
    QImage banner(280 * 30, 14, QImage::Format_RGB32);
    banner.fill(Qt::black);
    ASSERT_TRUE(banner.save(QString::fromStdString(dir.File("long.png"))));
    ProcessResult r = Kadr({"import", "-", dir.File("long.png"), out, "--line"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("256"), std::string::npos) << r.err;
    testing::WriteBytes(dir.File("bad.png"), {0x89, 'P', 'N', 'G', 1, 2, 3});
    r = Kadr({"import", "-", dir.File("bad.png"), out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("bad.png"), std::string::npos);
    r = Kadr({"import", "-", dir.File("absent.png"), out});
    EXPECT_EQ(r.exitCode, 1);
#if !defined(_WIN32)
    ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
    r = Kadr({"import", "-", dir.File("fifo"), out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Not a regular file"), std::string::npos) << r.err;
#endif
    EXPECT_FALSE(std::filesystem::exists(out));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"import", "-", dir.File("long.png")},
             {"import", "-", dir.File("long.png"), out, "--threshold", "256"},
             {"import", "-", dir.File("long.png"), out, "--sharpen"}}) {
        EXPECT_EQ(Kadr(args).exitCode, 2);
    }
}

#if !defined(_WIN32)
TEST(KadrFiles, NonRegularFilesAreRefusedAtOnce) {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo.kdz").c_str(), 0600), 0);
    for (const std::string& path : {dir.File("fifo.kdz"), std::string("/dev/null")}) {
        const ProcessResult r = Kadr({"info", path});
        EXPECT_EQ(r.exitCode, 1) << path;
        EXPECT_NE(r.err.find("Not a regular file"), std::string::npos) << r.err;
    }
    const ProcessResult r = Kadr({"edit", dir.File("fifo.kdz"), dir.File("out.kdz")});
    EXPECT_EQ(r.exitCode, 1);
}
#endif

}  // namespace
}  // namespace kadr
