#pragma once

#include <array>

#include <QObject>

#include "frameset/drawing/tools.h"

class QAction;
class QActionGroup;

namespace kadr::editor {

class TfmMain;

// The drawing, frame-order and picture commands of the main window, kept out of it: their
// actions, where they stand in the menus and on the toolbar, and what they run.
class DrawingCommands : public QObject {
    Q_OBJECT

  public:
    // Makes the actions, adds them after the window's own menu items and toolbar buttons and
    // restores the stored previous-frame option.
    explicit DrawingCommands(TfmMain& window);

    QAction* acInvert;
    QAction* acFlipHorizontal;
    QAction* acFlipVertical;
    QAction* acFrameLeft;
    QAction* acFrameRight;
    QAction* acImport;
    QAction* acOnionSkin;
    // "Точка", "Линия", "Прямоугольник", "Закрашенный прямоугольник", "Заливка".
    std::array<QAction*, 5> tools;

    // Reads IMAGE, asks how to turn it into dots and inserts the frames after the current one.
    void ImportPicture(const QString& path);

  private:
    void AddToMenus();
    void AddToToolBar();
    void ChooseAndImport();

    TfmMain& window_;
    QActionGroup* toolGroup_;
};

}  // namespace kadr::editor
