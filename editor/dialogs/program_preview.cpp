#include "editor/dialogs/program_preview.h"

#include <algorithm>
#include <chrono>

#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

#include "editor/app/form_storage.h"
#include "editor/widgets/led_panel.h"

namespace kadr::editor {
namespace {

constexpr int kLedSize = 9;

// The colour chosen in the "Просмотр" window, so both show the same display.
playback::LedColour StoredColour() {
    QSettings settings = FormStorage::Store();
    const auto colour = playback::ParseLedColour(
        settings.value(QStringLiteral("TfmPreview/PreviewLedColour")).toString().toStdString());
    return colour.value_or(playback::LedColour::Red);
}

}  // namespace

ProgramPreview::ProgramPreview(QWidget* parent)
    : QWidget(parent),
      now_([] { return std::chrono::steady_clock::now().time_since_epoch(); }),
      panel_(new LedPanel),
      position_(new QLabel) {
    setObjectName(QStringLiteral("ProgramPreview"));
    panel_->SetLedSize(kLedSize);
    panel_->SetColour(StoredColour());
    position_->setObjectName(QStringLiteral("lbPosition"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_, 0, Qt::AlignHCenter);
    layout->addWidget(position_, 0, Qt::AlignHCenter);
    stepTimer_.setSingleShot(true);
    stepTimer_.setTimerType(Qt::PreciseTimer);
    connect(&stepTimer_, &QTimer::timeout, this, [this] {
        Refresh();
        Schedule();
    });
    clock_.Play(now_());
}

void ProgramPreview::SetFrames(const FrameSet& set) {
    playback::BuildTimeline(set, rebuilt_);
    clock_.Retime(timeline_, rebuilt_, now_());
    std::swap(timeline_, rebuilt_);
    Refresh();
    Schedule();
}

void ProgramPreview::Refresh() {
    shown_ = clock_.StepAt(timeline_, now_());
    panel_->SetPicture(timeline_.Empty() ? playback::Picture{} : timeline_.steps[shown_].picture);
    position_->setText(QString::fromStdString(playback::PositionText(timeline_, shown_)));
}

void ProgramPreview::Schedule() {
    const auto wait = isVisible() ? clock_.UntilNextStep(timeline_, now_()) : std::nullopt;
    if (!wait) {
        stepTimer_.stop();
        return;
    }
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*wait).count();
    stepTimer_.start(static_cast<int>(std::clamp<long long>(ms, 1, 60'000)));
}

void ProgramPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
    Schedule();
}

void ProgramPreview::hideEvent(QHideEvent* event) {
    stepTimer_.stop();
    QWidget::hideEvent(event);
}

}  // namespace kadr::editor
