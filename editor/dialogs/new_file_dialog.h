#pragma once

#include <QDialog>

class QLineEdit;

namespace kadr::editor {

// The parameters of a new file: how many frames. Made once at start-up and reused, so the count
// box keeps the last text entered.
class TfmNew : public QDialog {
    Q_OBJECT

  public:
    explicit TfmNew(QWidget* parent);

    QLineEdit* edCount() const { return edCount_; }

  private:
    QLineEdit* edCount_;
};

}  // namespace kadr::editor
