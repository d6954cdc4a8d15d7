#include "editor/dialogs/text_line_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editor/app/form_storage.h"
#include "editor/dialogs/text_preview.h"
#include "frameset/text/builtin_font.h"
#include "frameset/text/running_line.h"
#include "frameset/text/utf8.h"
#include "pictures/system_font.h"

namespace kadr::editor {
namespace {

using kadr::text::Placement;

// Blank columns before or after the text: up to ten frames' worth is plenty for a pause.
constexpr int kMaxDialogMargin = 10 * kColumns;

const QString kGroup = QStringLiteral("TextLine");

int StoredInt(const QSettings& settings, const QString& key, int fallback, int low, int high) {
    bool number = false;
    const int value = settings.value(key).toString().toInt(&number);
    return number ? std::clamp(value, low, high) : fallback;
}

}  // namespace

TextLineSettings TextLineSettings::Load() {
    QSettings settings = FormStorage::Store();
    settings.beginGroup(kGroup);
    TextLineSettings s;
    s.text = settings.value(QStringLiteral("Text")).toString();
    s.font = StoredInt(settings, QStringLiteral("Font"), s.font, Builtin7, Desktop);
    s.family = settings.value(QStringLiteral("Family")).toString();
    s.height = StoredInt(settings, QStringLiteral("Height"), s.height, SystemFont::kMinHeight,
                         SystemFont::kMaxHeight);
    s.placement = static_cast<Placement>(
        StoredInt(settings, QStringLiteral("Place"), static_cast<int>(s.placement), 0, 2));
    s.gap = StoredInt(settings, QStringLiteral("Gap"), s.gap, 0, kadr::text::kMaxGap);
    s.lead = StoredInt(settings, QStringLiteral("Lead"), s.lead, 0, kMaxDialogMargin);
    s.trail = StoredInt(settings, QStringLiteral("Trail"), s.trail, 0, kMaxDialogMargin);
    return s;
}

void TextLineSettings::Save() const {
    QSettings settings = FormStorage::Store();
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("Text"), text);
    settings.setValue(QStringLiteral("Font"), QString::number(font));
    settings.setValue(QStringLiteral("Family"), family);
    settings.setValue(QStringLiteral("Height"), QString::number(height));
    settings.setValue(QStringLiteral("Place"), QString::number(static_cast<int>(placement)));
    settings.setValue(QStringLiteral("Gap"), QString::number(gap));
    settings.setValue(QStringLiteral("Lead"), QString::number(lead));
    settings.setValue(QStringLiteral("Trail"), QString::number(trail));
}

TextLineDialog::TextLineDialog(const Document& document, QWidget* parent)
    : QDialog(parent),
      document_(document),
      builtin7_(std::make_unique<kadr::text::BuiltinFont>(1)),
      builtin14_(std::make_unique<kadr::text::BuiltinFont>(2)),
      edText_(new QLineEdit),
      cbFont_(new QComboBox),
      cbFamily_(new QFontComboBox),
      seHeight_(new QSpinBox),
      cbPlace_(new QComboBox),
      seGap_(new QSpinBox),
      seLead_(new QSpinBox),
      seTrail_(new QSpinBox),
      preview_(new TextPreview),
      previewArea_(new QScrollArea),
      summary_(new QLabel),
      buttons_(new QDialogButtonBox) {
    setObjectName(QStringLiteral("TfmTextLine"));
    setWindowTitle(QStringLiteral("Бегущая строка из текста"));
    edText_->setObjectName(QStringLiteral("edText"));
    cbFont_->setObjectName(QStringLiteral("cbFont"));
    cbFont_->addItems({QStringLiteral("Встроенный, 7 точек"),
                       QStringLiteral("Встроенный, 14 точек"), QStringLiteral("Шрифт компьютера")});
    cbFamily_->setObjectName(QStringLiteral("cbFamily"));
    cbFamily_->setEditable(false);
    seHeight_->setObjectName(QStringLiteral("seHeight"));
    seHeight_->setRange(SystemFont::kMinHeight, SystemFont::kMaxHeight);
    seHeight_->setSuffix(QStringLiteral(" точек"));
    cbPlace_->setObjectName(QStringLiteral("cbPlace"));
    cbPlace_->addItems({QStringLiteral("Верхний ряд модулей"), QStringLiteral("Нижний ряд модулей"),
                        QStringLiteral("Посередине")});
    seGap_->setObjectName(QStringLiteral("seGap"));
    seGap_->setRange(0, kadr::text::kMaxGap);
    seLead_->setObjectName(QStringLiteral("seLead"));
    seLead_->setRange(0, kMaxDialogMargin);
    seTrail_->setObjectName(QStringLiteral("seTrail"));
    seTrail_->setRange(0, kMaxDialogMargin);
    summary_->setObjectName(QStringLiteral("lbSummary"));
    summary_->setWordWrap(true);

    previewArea_->setWidget(preview_);
    previewArea_->setWidgetResizable(false);
    previewArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    previewArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    previewArea_->setFixedHeight(preview_->sizeHint().height() +
                                 previewArea_->horizontalScrollBar()->sizeHint().height() + 4);
    previewArea_->setMinimumWidth(TextPreview::kDot * kColumns * 3 + 8);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Текст:"), edText_);
    fields->addRow(QStringLiteral("&Шрифт:"), cbFont_);
    fields->addRow(QStringLiteral("Шрифт &компьютера:"), cbFamily_);
    fields->addRow(QStringLiteral("&Высота:"), seHeight_);
    fields->addRow(QStringLiteral("&Положение:"), cbPlace_);
    fields->addRow(QStringLiteral("Промежуток между &знаками:"), seGap_);
    fields->addRow(QStringLiteral("Пустых столбцов в &начале:"), seLead_);
    fields->addRow(QStringLiteral("Пустых столбцов в к&онце:"), seTrail_);

    ok_ = buttons_->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons_->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(previewArea_);
    layout->addWidget(summary_);
    layout->addWidget(buttons_);

    Apply(TextLineSettings::Load());
    ready_ = true;
    const auto changed = [this] { Render(); };
    connect(edText_, &QLineEdit::textChanged, this, changed);
    connect(cbFont_, &QComboBox::currentIndexChanged, this, changed);
    connect(cbFamily_, &QFontComboBox::currentFontChanged, this, changed);
    connect(seHeight_, &QSpinBox::valueChanged, this, [this](int height) {
        if (cbFont_->currentIndex() == TextLineSettings::Desktop) {
            desktopHeight_ = height;
        }
        Render();
    });
    connect(cbPlace_, &QComboBox::currentIndexChanged, this, changed);
    connect(seGap_, &QSpinBox::valueChanged, this, changed);
    connect(seLead_, &QSpinBox::valueChanged, this, changed);
    connect(seTrail_, &QSpinBox::valueChanged, this, changed);
    Render();
    edText_->selectAll();
    edText_->setFocus();
}

TextLineDialog::~TextLineDialog() = default;

void TextLineDialog::Apply(const TextLineSettings& s) {
    edText_->setText(s.text);
    cbFont_->setCurrentIndex(s.font);
    if (!s.family.isEmpty()) {
        cbFamily_->setCurrentFont(QFont(s.family));
    }
    desktopHeight_ = s.height;
    seHeight_->setValue(s.height);
    cbPlace_->setCurrentIndex(static_cast<int>(s.placement));
    seGap_->setValue(s.gap);
    seLead_->setValue(s.lead);
    seTrail_->setValue(s.trail);
}

TextLineSettings TextLineDialog::Settings() const {
    TextLineSettings s;
    s.text = edText_->text();
    s.font = cbFont_->currentIndex();
    s.family = cbFamily_->currentFont().family();
    s.height = desktopHeight_;
    s.placement = static_cast<Placement>(cbPlace_->currentIndex());
    s.gap = seGap_->value();
    s.lead = seLead_->value();
    s.trail = seTrail_->value();
    return s;
}

const kadr::text::TextFont* TextLineDialog::ChosenFont(QString* problem) {
    switch (cbFont_->currentIndex()) {
        case TextLineSettings::Builtin7:
            return builtin7_.get();
        case TextLineSettings::Builtin14:
            return builtin14_.get();
        default:
            break;
    }
    const QString family = cbFamily_->currentFont().family();
    if (!desktop_ || desktop_->Family() != family || desktop_->Height() != desktopHeight_) {
        desktop_ = SystemFont::Find(family, desktopHeight_);
    }
    if (!desktop_) {
        *problem = QStringLiteral("Шрифт «%1» не найден.").arg(family);
    }
    return desktop_.get();
}

void TextLineDialog::Render() {
    if (!ready_) {
        return;
    }
    const bool desktop = cbFont_->currentIndex() == TextLineSettings::Desktop;
    cbFamily_->setEnabled(desktop);
    seHeight_->setEnabled(desktop);
    {
        const QSignalBlocker block(seHeight_);
        seHeight_->setValue(desktop ? desktopHeight_
                            : cbFont_->currentIndex() == TextLineSettings::Builtin14 ? 14
                                                                                     : 7);
    }
    QString problem;
    const kadr::text::TextFont* font = ChosenFont(&problem);
    cbPlace_->setEnabled(font != nullptr && font->Height() < kDotRows);

    rendered_ = {};
    if (font != nullptr) {
        const kadr::text::TextLayout layout{static_cast<Placement>(cbPlace_->currentIndex()),
                                            seGap_->value(), seLead_->value(), seTrail_->value()};
        rendered_ = kadr::text::RenderText(edText_->text().toStdString(), *font, layout);
    }
    preview_->SetPicture(rendered_.picture);

    const kadr::text::LineInsertion check = kadr::text::CheckRunningLine(document_, rendered_);
    QStringList lines;
    bool refused = true;
    if (font == nullptr) {
        lines << problem;
    } else if (check.refusal == kadr::text::LineRefusal::EmptyText) {
        lines << QStringLiteral("Введите текст.");
    } else if (check.refusal == kadr::text::LineRefusal::TooLong) {
        lines << QStringLiteral(
                     "Строка не помещается: нужно кадров: %1, свободно: %2 (всего не "
                     "более %3).")
                     .arg(check.added)
                     .arg(check.freeFrames)
                     .arg(kMaxFrames);
    } else {
        refused = false;
        lines << QStringLiteral(
                     "Столбцов: %1. Кадров: %2 (начало, %3 со строкой, конец), "
                     "свободно: %4.")
                     .arg(rendered_.picture.width)
                     .arg(check.added)
                     .arg(check.added - 2)
                     .arg(check.freeFrames);
    }
    if (!rendered_.missing.empty()) {
        QString missing;
        for (const char32_t c : rendered_.missing) {
            missing +=
                (missing.isEmpty() ? QString() : QStringLiteral(" ")) + QString::fromUcs4(&c, 1);
        }
        lines << QStringLiteral("Нет в шрифте (показаны рамкой): %1").arg(missing);
    }
    summary_->setText(lines.join(QLatin1Char('\n')));
    summary_->setStyleSheet(refused ? QStringLiteral("color: #b00000;") : QString());
    ok_->setEnabled(!refused);
}

bool TextLineDialog::CanAccept() const {
    return ok_->isEnabled();
}

void TextLineDialog::accept() {
    if (!CanAccept()) {
        return;
    }
    Settings().Save();
    QDialog::accept();
}

}  // namespace kadr::editor
