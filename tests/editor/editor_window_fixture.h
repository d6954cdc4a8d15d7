#pragma once

#include <memory>

#include <gtest/gtest.h>
#include <QImage>
#include <QPoint>
#include <QTest>

#include "editor/strip/frame_button.h"
#include "editor/strip/frame_grid.h"
#include "editor/window/main_window.h"

namespace kadr::editor::testing {

// A shown, active main window, driven through real mouse and key events.
class EditorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    FrameSet& Set() { return window_->Doc().Set(); }
    FrameGrid* Grid(int slot) const;
    FrameButton* Button(int slot) const;
    int SlotCount() const;
    QWidget* Panel1() const;

    // Resizes the window so that the strip panel, which spans it, gets this width.
    void SetStripWidth(int width);
    void ChooseScale(const QString& text);
    // Replaces the document by `count` blank frames and rebuilds, as a new file would.
    void NewDocument(int count);
    void SetCurrentFrame(int frame) { Set().CurFrame = frame; }
    void Rebuild() { window_->RebuildFrameStrip(window_->CellSize()); }

    QPoint CellCentre(const FrameGrid& grid, int column, int gridRow) const;
    void Click(FrameGrid& grid, int column, int gridRow, Qt::MouseButton button = Qt::LeftButton);
    std::uint8_t Dot(int frame, int column, int gridRow) const;
    // The grid as the screen shows it.
    QImage Grab(FrameGrid& grid) const;
    QColor PixelOfCell(const QImage& image, const FrameGrid& grid, int column, int gridRow,
                       QPoint offset = {}) const;
    void TriggerShortcut(QWidget* focus, const QKeySequence& keys);

    std::unique_ptr<TfmMain> window_;
};

}  // namespace kadr::editor::testing
