#pragma once

#include <QLabel>

class QMainWindow;
class QProgressBar;

namespace kadr::editor {

// A text panel of the status bar: as wide as asked, the last one taking what is left.
struct StatusBar {
    QLabel* Panel0;                // the frame count
    QLabel* Panel1;                // the upload's progress
    QProgressBar* UploadProgress;  // data packets sent, shown while programming
    QLabel* Selected;              // "Выделено кадров: N", shown while N > 1
};

StatusBar CreateStatusBar(QMainWindow& window);

}  // namespace kadr::editor
