#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

namespace kadr::editor {

// `kadr schedule` for one schedule file, run in the background for as long as the editor runs
// (the dialog may close meanwhile), with the last lines it printed. The editor's end stops it.
class ScheduleProcess : public QObject {
    Q_OBJECT

  public:
    static constexpr int kKeptLines = 200;

    explicit ScheduleProcess(QObject* parent = nullptr);
    ~ScheduleProcess() override;

    // Throws Error when `kadr` cannot be started.
    void Start(const QString& schedule);
    // Asks it to stop as Ctrl+C would and waits a little for it; a process that does not end
    // is killed.
    void Stop();
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    const QString& Schedule() const { return schedule_; }
    const QStringList& Lines() const { return lines_; }

  signals:
    void Changed();

  private:
    void Take();

    QProcess process_;
    QString schedule_;
    QStringList lines_;
    QByteArray partial_;
};

// `kadropisets --schedule FILE` (the Startup folder's shortcut): starts `kadr schedule FILE`
// without a window and returns its exit status at once.
int LaunchHiddenSchedule(const QString& schedule);

}  // namespace kadr::editor
