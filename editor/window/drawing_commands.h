#pragma once

#include <array>

#include <QObject>

#include "frameset/drawing/tools.h"

class QAction;

namespace kadr::editor {

class TfmMain;

// What the drawing, frame-order and picture commands of the main window run; they are declared
// with the others (editor/commands/command_declarations.h).
class DrawingCommands : public QObject {
    Q_OBJECT

  public:
    // Connects the declared actions and restores the stored previous-frame option.
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
    void ChooseAndImport();

    TfmMain& window_;
};

}  // namespace kadr::editor
