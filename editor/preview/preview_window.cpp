#include "editor/preview/preview_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "editor/app/document_events.h"
#include "editor/widgets/led_panel.h"

namespace kadr::editor {
namespace {

constexpr int kMinDotSize = 4;
constexpr int kMaxDotSize = 32;
constexpr int kDefaultDotSize = 12;

const QString kColourValue = QStringLiteral("PreviewLedColour");
const QString kDotSizeValue = QStringLiteral("PreviewDotSize");

playback::PlaybackClock::Time SteadyNow() {
    return std::chrono::duration_cast<playback::PlaybackClock::Time>(
        std::chrono::steady_clock::now().time_since_epoch());
}

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

TfmPreview::TfmPreview(const Document& document, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(document),
      now_(SteadyNow),
      stepTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("TfmPreview"));
    setWindowTitle(QStringLiteral("Просмотр"));
    BuildLayout();
    stepTimer_->setObjectName(QStringLiteral("StepTimer"));
    stepTimer_->setSingleShot(true);
    stepTimer_->setTimerType(Qt::PreciseTimer);
    connect(stepTimer_, &QTimer::timeout, this, [this] {
        Refresh();
        Schedule();
    });
    // Hidden, it looks at the document again when it is shown.
    connect(new DocumentEvents(document, this), &DocumentEvents::Changed, this, [this] {
        if (isVisible()) {
            FollowDocument();
        }
    });

    storage_.Window = this;
    storage_.OnRestoreProperties = [this](QSettings& s) { RestoreProperties(s); };
    storage_.OnSaveProperties = [this](QSettings& s) { SaveProperties(s); };
    storage_.OnRestorePlacement = [this](QSettings& s) {
        placed_ = s.contains(QStringLiteral("NormPos"));
    };
    storage_.RestoreFormPlacement();
    FollowDocument();
}

TfmPreview::~TfmPreview() {
    // The document may already be gone with its window: stop playing it.
    stepTimer_->stop();
}

void TfmPreview::BuildLayout() {
    panel_ = new LedPanel(this);
    panel_->SetLedSize(kDefaultDotSize);

    const auto button = [this](const QString& name, QStyle::StandardPixmap icon,
                               const QString& text) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setIcon(style()->standardIcon(icon));
        b->setText(text);
        b->setToolTip(text);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return b;
    };
    btBack =
        button(QStringLiteral("btBack"), QStyle::SP_MediaSeekBackward, QStringLiteral("Шаг назад"));
    btPlay = button(QStringLiteral("btPlay"), QStyle::SP_MediaPlay, QStringLiteral("Пуск"));
    btForward = button(QStringLiteral("btForward"), QStyle::SP_MediaSeekForward,
                       QStringLiteral("Шаг вперёд"));
    slPosition = new QSlider(Qt::Horizontal, this);
    slPosition->setObjectName(QStringLiteral("slPosition"));
    slPosition->setToolTip(QStringLiteral("Позиция"));
    lbPosition = new QLabel(this);
    lbPosition->setObjectName(QStringLiteral("lbPosition"));
    lbPosition->setMinimumWidth(
        lbPosition->fontMetrics().horizontalAdvance(QStringLiteral("Строка: шаг 0000 из 0000")));

    seDotSize = new QSpinBox(this);
    seDotSize->setObjectName(QStringLiteral("seDotSize"));
    seDotSize->setRange(kMinDotSize, kMaxDotSize);
    seDotSize->setValue(kDefaultDotSize);
    seDotSize->setSuffix(QStringLiteral(" пикс."));
    cbColour = new QComboBox(this);
    cbColour->setObjectName(QStringLiteral("cbColour"));
    for (const playback::LedColour colour : playback::kLedColours) {
        cbColour->addItem(QString::fromUtf8(playback::LedColourCaption(colour)),
                          QString::fromLatin1(playback::LedColourName(colour)));
    }
    lbNotes = new QListWidget(this);
    lbNotes->setObjectName(QStringLiteral("lbNotes"));
    lbNotes->setMaximumHeight(lbNotes->fontMetrics().height() * 6);

    auto* transport = new QHBoxLayout;
    transport->addWidget(btBack);
    transport->addWidget(btPlay);
    transport->addWidget(btForward);
    transport->addWidget(slPosition, 1);
    transport->addWidget(lbPosition);

    auto* looks = new QHBoxLayout;
    auto* dotLabel = new QLabel(QStringLiteral("Размер точки:"), this);
    dotLabel->setBuddy(seDotSize);
    auto* colourLabel = new QLabel(QStringLiteral("Цвет:"), this);
    colourLabel->setBuddy(cbColour);
    looks->addWidget(dotLabel);
    looks->addWidget(seDotSize);
    looks->addSpacing(12);
    looks->addWidget(colourLabel);
    looks->addWidget(cbColour);
    looks->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->addWidget(panel_, 0, Qt::AlignHCenter);
    column->addLayout(transport);
    column->addLayout(looks);
    column->addWidget(new QLabel(QStringLiteral("Замечания:"), this));
    column->addWidget(lbNotes);
    column->setSizeConstraint(QLayout::SetMinimumSize);

    connect(btPlay, &QToolButton::clicked, this, &TfmPreview::PlayPause);
    connect(btBack, &QToolButton::clicked, this, &TfmPreview::StepBack);
    connect(btForward, &QToolButton::clicked, this, &TfmPreview::StepForward);
    connect(slPosition, &QSlider::valueChanged, this,
            [this](int value) { SeekTo(static_cast<std::size_t>(std::max(0, value))); });
    connect(seDotSize, &QSpinBox::valueChanged, this, [this](int value) {
        panel_->SetLedSize(value);
        adjustSize();
        if (!restoring_) {
            storage_.SaveFormPlacement();
        }
    });
    connect(cbColour, &QComboBox::currentIndexChanged, this, [this](int index) {
        panel_->SetColour(playback::kLedColours[static_cast<std::size_t>(std::max(0, index))]);
        if (!restoring_) {
            storage_.SaveFormPlacement();
        }
    });
}

void TfmPreview::RestoreProperties(QSettings& settings) {
    // Both values are read before either is shown: showing one stores the pair.
    const auto colour =
        playback::ParseLedColour(settings.value(kColourValue).toString().toStdString());
    bool number = false;
    const int size = settings.value(kDotSizeValue).toString().toInt(&number);
    restoring_ = true;
    if (colour) {
        cbColour->setCurrentIndex(static_cast<int>(*colour));
    }
    if (number) {
        seDotSize->setValue(size);  // the box keeps it within its range
    }
    restoring_ = false;
}

void TfmPreview::SaveProperties(QSettings& settings) {
    settings.setValue(kColourValue, cbColour->currentData().toString());
    settings.setValue(kDotSizeValue, QString::number(seDotSize->value()));
}

void TfmPreview::Open(int frame) {
    FollowDocument();
    const auto now = Now();
    clock_.Seek(timeline_, timeline_.FirstStepOf(frame), now);
    clock_.Play(now);
    if (!placed_) {
        PlaceBesideParent();
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    Refresh();
    ShowPlayState();
    Schedule();
}

void TfmPreview::PlaceBesideParent() {
    // The first time, where it hides none of the editor: right of it, else below it, else over
    // its right edge.
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner != nullptr ? owner->screen() : nullptr;
    if (owner == nullptr || screen == nullptr) {
        return;
    }
    adjustSize();
    const QRect area = screen->availableGeometry();
    const QRect editor = owner->frameGeometry();
    const QSize size = frameGeometry().size();
    QPoint at(editor.right() + 1, editor.top());
    if (at.x() + size.width() > area.right()) {
        at = QPoint(editor.left(), editor.bottom() + 1);
    }
    if (at.y() + size.height() > area.bottom()) {
        at = QPoint(area.right() - size.width(), editor.top());
    }
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    move(at);
}

void TfmPreview::PlayPause() {
    const auto now = Now();
    if (clock_.Playing()) {
        clock_.Pause(now);
    } else {
        clock_.Play(now);
    }
    Refresh();
    ShowPlayState();
    Schedule();
}

void TfmPreview::StepBack() {
    const std::size_t count = timeline_.steps.size();
    if (count > 0) {
        clock_.Pause(Now());
        SeekTo((shown_ + count - 1) % count);
        ShowPlayState();
    }
}

void TfmPreview::StepForward() {
    const std::size_t count = timeline_.steps.size();
    if (count > 0) {
        clock_.Pause(Now());
        SeekTo((shown_ + 1) % count);
        ShowPlayState();
    }
}

void TfmPreview::SeekTo(std::size_t step) {
    clock_.Seek(timeline_, step, Now());
    Refresh();
    Schedule();
}

void TfmPreview::FollowDocument() {
    if (!input_.Update(document_.Set())) {
        return;
    }
    playback::BuildTimeline(document_.Set(), rebuilt_);
    clock_.Retime(timeline_, rebuilt_, Now());
    std::swap(timeline_, rebuilt_);
    {
        const QSignalBlocker blocker(slPosition);
        slPosition->setRange(0, std::max(0, static_cast<int>(timeline_.steps.size()) - 1));
        slPosition->setEnabled(!timeline_.Empty());
    }
    btPlay->setEnabled(!timeline_.Empty());
    btBack->setEnabled(!timeline_.Empty());
    btForward->setEnabled(!timeline_.Empty());
    ShowNotes();
    Refresh();
    Schedule();
}

void TfmPreview::Refresh() {
    shown_ = clock_.StepAt(timeline_, Now());
    panel_->SetPicture(timeline_.Empty() ? playback::Picture{} : timeline_.steps[shown_].picture);
    lbPosition->setText(Text(playback::PositionText(timeline_, shown_)));
    const QSignalBlocker blocker(slPosition);
    slPosition->setValue(static_cast<int>(shown_));
}

void TfmPreview::ShowNotes() {
    lbNotes->clear();
    for (const playback::Note& note : timeline_.notes) {
        lbNotes->addItem(Text(playback::NoteText(note)));
    }
    if (timeline_.notes.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("Замечаний нет"), lbNotes);
        none->setFlags(Qt::NoItemFlags);
    }
}

void TfmPreview::ShowPlayState() {
    const bool playing = clock_.Playing();
    btPlay->setText(playing ? QStringLiteral("Пауза") : QStringLiteral("Пуск"));
    btPlay->setToolTip(btPlay->text());
    btPlay->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void TfmPreview::Schedule() {
    const auto wait = isVisible() ? clock_.UntilNextStep(timeline_, Now()) : std::nullopt;
    if (!wait) {
        stepTimer_->stop();
        return;
    }
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*wait).count();
    stepTimer_->start(static_cast<int>(std::clamp<long long>(ms, 1, 60'000)));
}

void TfmPreview::closeEvent(QCloseEvent* event) {
    // Closing the window stops the playback; the next F5 starts it again.
    clock_.Pause(Now());
    ShowPlayState();
    storage_.SaveFormPlacement();
    QWidget::closeEvent(event);
}

void TfmPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FollowDocument();
    Refresh();
    Schedule();
}

void TfmPreview::hideEvent(QHideEvent* event) {
    // Hidden with the editor (minimised, say) it plays on unseen, costing nothing, and shows
    // the right step when it is back.
    stepTimer_->stop();
    QWidget::hideEvent(event);
}

void TfmPreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        PlayPause();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kadr::editor
