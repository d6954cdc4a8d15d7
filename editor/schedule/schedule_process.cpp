#include "editor/schedule/schedule_process.h"

#include "editor/schedule/schedule_platform.h"
#include "frameset/errors.h"

namespace kadr::editor {
namespace {

constexpr int kStopWaitMs = 5000;

QStringList ScheduleArguments(const QString& schedule) {
    return {QStringLiteral("schedule"), schedule};
}

}  // namespace

ScheduleProcess::ScheduleProcess(QObject* parent) : QObject(parent) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    PrepareHidden(process_);
    connect(&process_, &QProcess::readyRead, this, [this] { Take(); });
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        Take();
        lines_ << (status == QProcess::NormalExit
                       ? QStringLiteral("— расписание остановлено (код %1)").arg(code)
                       : QStringLiteral("— расписание прервано"));
        emit Changed();
    });
}

ScheduleProcess::~ScheduleProcess() {
    process_.disconnect(this);
    Stop();
}

void ScheduleProcess::Start(const QString& schedule) {
    if (Running()) {
        Stop();
    }
    schedule_ = schedule;
    lines_.clear();
    partial_.clear();
    process_.setProgram(KadrProgram());
    process_.setArguments(ScheduleArguments(schedule));
    process_.start();
    if (!process_.waitForStarted(kStopWaitMs)) {
        throw Error(QStringLiteral("Не удалось запустить %1: %2")
                        .arg(process_.program(), process_.errorString())
                        .toStdString());
    }
    emit Changed();
}

void ScheduleProcess::Stop() {
    if (!Running()) {
        return;
    }
    AskToStop(process_);
    if (!process_.waitForFinished(kStopWaitMs)) {
        process_.kill();
        process_.waitForFinished(kStopWaitMs);
    }
}

void ScheduleProcess::Take() {
    partial_ += process_.readAll();
    qsizetype end = partial_.lastIndexOf('\n');
    if (end < 0) {
        return;
    }
    for (const QByteArray& line : partial_.left(end).split('\n')) {
        lines_ << QString::fromUtf8(line).trimmed();
    }
    partial_.remove(0, end + 1);
    if (lines_.size() > kKeptLines) {
        lines_.erase(lines_.begin(), lines_.end() - kKeptLines);
    }
    emit Changed();
}

int LaunchHiddenSchedule(const QString& schedule) {
    QProcess process;
    process.setProgram(KadrProgram());
    process.setArguments(ScheduleArguments(schedule));
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    PrepareHidden(process);
    return process.startDetached() ? 0 : 1;
}

}  // namespace kadr::editor
