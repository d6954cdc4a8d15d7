#pragma once

#include <QDialog>
#include <QTimer>
#include <optional>

#include "frameset/messages/message_fonts.h"
#include "frameset/schedule/schedule.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kadr::editor {

class ScheduleProcess;
class ScheduleTable;

// "Расписание...": a schedule's entries, its default, which entry is in force now and when the
// next change comes (kept up to date while the dialog is open), schedule files opened and saved,
// and `kadr schedule` for the file started and stopped in the background, with its last lines.
class TfmSchedule : public QDialog {
    Q_OBJECT

  public:
    TfmSchedule(ScheduleProcess& process, kadr::messages::FontSource& fonts, QWidget* parent);
    ~TfmSchedule() override;

    // The schedule as the widgets give it; rows with a bad time are left out (Table() says why).
    kadr::schedule::Schedule CurrentSchedule() const;
    const QString& Path() const { return path_; }

    // The dialog's commands; the file commands ask for a name.
    void Load(const QString& path);
    void OpenSchedule();
    bool SaveSchedule();
    bool SaveTo(const QString& path);
    void StartSchedule();
    void StopSchedule();
    void ChooseShow();
    void ChooseDefault();
    // Brings "now in force", "next change at", the buttons and the log up to date.
    void Refresh();

    ScheduleTable* Table() const { return table_; }
    QLineEdit* edDefault = nullptr;
    QLabel* lbNow = nullptr;
    QLabel* lbNext = nullptr;
    QLabel* lbState = nullptr;
    QLabel* lbFile = nullptr;
    QPlainTextEdit* edLog = nullptr;
    QCheckBox* cbLogon = nullptr;
    QPushButton* btAdd = nullptr;
    QPushButton* btRemove = nullptr;
    QPushButton* btUp = nullptr;
    QPushButton* btDown = nullptr;
    QPushButton* btShow = nullptr;
    QPushButton* btDefault = nullptr;
    QPushButton* btOpen = nullptr;
    QPushButton* btSave = nullptr;
    QPushButton* btStart = nullptr;
    QPushButton* btStop = nullptr;

  private:
    QWidget* BuildEntries();
    QWidget* BuildRun();
    void Edited();
    void CountFrames();
    void SetLogon(bool on);
    QString ChooseFile(const QString& title);
    QString EntryWords(int entry) const;

    ScheduleProcess& process_;
    kadr::messages::FontSource& fonts_;
    ScheduleTable* table_ = nullptr;
    QString path_;
    // What the file holds beyond the table and the default: the line and the program settings.
    kadr::schedule::Schedule loaded_;
    std::optional<kadr::schedule::WeekTable> week_;
    QTimer clock_;
};

}  // namespace kadr::editor
