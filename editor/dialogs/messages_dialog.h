#pragma once

#include <QDialog>

#include "frameset/document.h"
#include "frameset/messages/live_fields.h"
#include "frameset/messages/message_plan.h"
#include "frameset/messages/program_draft.h"

class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace kadr::editor {

class MessageForm;
class ProgramPreview;

// "Сообщения...": a program of messages put together, each with its settings, played as the unit
// will play it, with the frames it needs and those free. OK stays disabled while any message is
// refused or the program would pass the 256 frames. The last program accepted or saved is
// remembered; programs can be kept as files.
class MessagesDialog : public QDialog {
    Q_OBJECT

  public:
    MessagesDialog(const Document& document, kadr::messages::FontSource& fonts, QWidget* parent);
    ~MessagesDialog() override;

    // The program as shown, with the speed of the box: what is remembered and saved.
    kadr::messages::Program Program() const;
    // The same with its live fields filled in now: what OK inserts.
    kadr::messages::FilledProgram FilledProgram() const;
    // Where the files of {file:PATH} fields are looked for: the folder of the program file last
    // opened or saved here, else the home folder.
    QString FieldFolder() const;
    const kadr::messages::ProgramPlan& Plan() const { return plan_; }
    bool CanAccept() const;
    // Shows `program` as if it had been opened from a file.
    void SetProgram(const kadr::messages::Program& program);

    QListWidget* lbMessages = nullptr;
    QPushButton* btAdd = nullptr;
    QPushButton* btRemove = nullptr;
    QPushButton* btUp = nullptr;
    QPushButton* btDown = nullptr;
    QPushButton* btDuplicate = nullptr;
    QSpinBox* seSpeed = nullptr;
    MessageForm* Form() const { return form_; }
    ProgramPreview* Preview() const { return preview_; }
    QLabel* Summary() const { return summary_; }
    QPushButton* btOpenProgram = nullptr;
    QPushButton* btSaveProgram = nullptr;

    void accept() override;
    // The file commands of the dialog; each asks for the name.
    void OpenProgram();
    void SaveProgram();

  private:
    QWidget* BuildList();
    void ShowList();
    void ShowSelected();
    void Replan();
    void Remember() const;

    const Document& document_;
    kadr::messages::FontSource& fonts_;
    kadr::messages::ProgramDraft draft_;
    kadr::messages::ProgramPlan plan_;
    FrameSet previewSet_;
    MessageForm* form_ = nullptr;
    ProgramPreview* preview_ = nullptr;
    QLabel* speedNote_ = nullptr;
    QLabel* summary_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace kadr::editor
