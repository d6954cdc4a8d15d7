#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kadr::editor {

// Shows the outcome of an upload in one centred line with an OK button.
class TfmStsMessage : public QDialog {
    Q_OBJECT

  public:
    explicit TfmStsMessage(QWidget* parent);

    QLineEdit* Memo1() const { return memo_; }

  private:
    QLineEdit* memo_;
    QPushButton* ok_;
};

}  // namespace kadr::editor
