#include "editor/dialogs/import_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include "editor/dots/dot_painter.h"
#include "editor/dots/grid_colours.h"
#include "frameset/drawing/dot_cells.h"
#include "frameset/frame_kinds.h"

namespace kadr::editor {

// The frames an import would give, side by side at 4 pixels a dot, in the grids' colours.
class DotsPreview : public QWidget {
  public:
    explicit DotsPreview(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("ImportPreview"));
    }
    void Show(const std::vector<Frame>* frames) {
        frames_ = frames;
        const int count = static_cast<int>(frames->size());
        setFixedSize(std::max(1, count) * kFrameWidth + kGap, kFrameHeight + 2 * kGap);
        update();
    }

    static constexpr int kDot = 4;
    static constexpr int kGap = 4;
    static constexpr int kFrameWidth = kColumns * kDot + kGap;
    static constexpr int kFrameHeight = kDotRows * kDot;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        if (frames_ == nullptr) {
            return;
        }
        for (std::size_t f = 0; f < frames_->size(); ++f) {
            const Frame& frame = (*frames_)[f];
            const QRect area(kGap + static_cast<int>(f) * kFrameWidth, kGap, kColumns * kDot,
                             kFrameHeight);
            QColor background(255, 255, 255);
            if (GetFrameKind(frame) == fkBegStr) {
                background = cell_colours::kStartTint;
            } else if (GetFrameKind(frame) == fkEndStr) {
                background = cell_colours::kEndTint;
            }
            painter.fillRect(area, background);
            const DotPainter dots({.origin = area.topLeft(), .pitch = kDot, .size = kDot});
            dots.Paint(painter, kColumns, area, [&frame](int x, int y) {
                return frame[DotCellIndex({x, y})] == kDotSet ? cell_colours::kSetDot : QColor();
            });
            painter.setPen(cell_colours::kGridLine);
            painter.drawRect(area.adjusted(-1, -1, 0, 0));
        }
    }

  private:
    const std::vector<Frame>* frames_ = nullptr;
};

TfmImport::TfmImport(std::vector<PictureCells> pictures, int freeFrames, QWidget* parent)
    : QDialog(parent), pictures_(std::move(pictures)), freeFrames_(freeFrames) {
    setObjectName(QStringLiteral("TfmImport"));
    setWindowTitle(QStringLiteral("Импорт изображения"));

    fit_ = new QRadioButton(QStringLiteral("Вписать в кадр"), this);
    fit_->setObjectName(QStringLiteral("rbFit"));
    fit_->setChecked(true);
    crop_ = new QRadioButton(QStringLiteral("Вырезать 1:1 от левого верхнего угла"), this);
    crop_->setObjectName(QStringLiteral("rbCrop"));
    threshold_ = new QSlider(Qt::Horizontal, this);
    threshold_->setObjectName(QStringLiteral("tbThreshold"));
    threshold_->setRange(0, 255);
    threshold_->setValue(PictureToDots{}.threshold);
    thresholdValue_ = new QLabel(this);
    thresholdValue_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
    dither_ = new QCheckBox(QStringLiteral("Рассеивание (полутона)"), this);
    dither_->setObjectName(QStringLiteral("cbDither"));
    invert_ = new QCheckBox(QStringLiteral("Инвертировать"), this);
    invert_->setObjectName(QStringLiteral("cbInvert"));
    line_ = new QCheckBox(QStringLiteral("Бегущая строка (широкое изображение)"), this);
    line_->setObjectName(QStringLiteral("cbRunningLine"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lbFrameCount"));
    preview_ = new DotsPreview(this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(preview_);
    scroll->setMinimumSize(DotsPreview::kFrameWidth * 2 + 24, DotsPreview::kFrameHeight + 40);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    int row = 0;
    layout->addWidget(scroll, row++, 0, 1, 3);
    layout->addWidget(count_, row++, 0, 1, 3);
    layout->addWidget(fit_, row++, 0, 1, 3);
    layout->addWidget(crop_, row++, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Порог"), this), row, 0);
    layout->addWidget(threshold_, row, 1);
    layout->addWidget(thresholdValue_, row++, 2);
    layout->addWidget(dither_, row++, 0, 1, 3);
    layout->addWidget(invert_, row++, 0, 1, 3);
    layout->addWidget(line_, row++, 0, 1, 3);
    layout->addWidget(buttons, row, 0, 1, 3);

    for (QRadioButton* choice : {fit_, crop_}) {
        connect(choice, &QRadioButton::toggled, this, &TfmImport::Update);
    }
    connect(threshold_, &QSlider::valueChanged, this, &TfmImport::Update);
    for (QCheckBox* box : {dither_, invert_, line_}) {
        connect(box, &QCheckBox::toggled, this, &TfmImport::Update);
    }
    Update();
}

PictureToDots TfmImport::Options() const {
    PictureToDots options;
    options.threshold = threshold_->value();
    options.crop = crop_->isChecked();
    options.dither = dither_->isChecked();
    options.invert = invert_->isChecked();
    options.runningLine = line_->isChecked();
    return options;
}

void TfmImport::Update() {
    thresholdValue_->setText(QString::number(threshold_->value()));
    const PictureToDots options = Options();
    const bool cannotCut = options.crop && std::any_of(pictures_.begin(), pictures_.end(),
                                                       [](const PictureCells& picture) {
                                                           return picture.cropMissing;
                                                       });
    QString text;
    bool refused = true;
    if (cannotCut) {
        frames_.clear();
        text = QStringLiteral("Изображение слишком велико, чтобы вырезать его 1:1.");
    } else {
        frames_ = FramesOfPictures(pictures_, options);
        const int needed = static_cast<int>(frames_.size());
        text = QStringLiteral("Кадров: %1").arg(needed);
        if (needed > freeFrames_) {
            text += QStringLiteral("\nНе помещается: свободно кадров: %1 (всего не более %2).")
                        .arg(std::max(0, freeFrames_))
                        .arg(kMaxFrames);
        } else {
            refused = false;
        }
    }
    count_->setText(text);
    count_->setStyleSheet(refused ? QStringLiteral("color: #b00000;") : QString());
    ok_->setEnabled(!refused);
    preview_->Show(&frames_);
}

}  // namespace kadr::editor
