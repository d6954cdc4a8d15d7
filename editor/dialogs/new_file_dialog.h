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
    // The count the user confirmed with OK.
    int Count() const { return count_; }

    // OK takes a whole number of frames from 0 to 256; anything else is explained and the dialog
    // stays open for a correction.
    void accept() override;

  private:
    int count_ = 1;
    QLineEdit* edCount_;
};

}  // namespace kadr::editor
