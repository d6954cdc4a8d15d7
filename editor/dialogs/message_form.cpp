#include "editor/dialogs/message_form.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include "pictures/system_font.h"

namespace kadr::editor {
namespace {

using kadr::messages::Effect;

enum FontChoice { Builtin7 = 0, Builtin14 = 1, Desktop = 2 };

// The effects in the order of the lists; an exit list leaves out the entries-only ones.
QList<Effect> EffectsFor(bool exit) {
    QList<Effect> effects;
    for (const Effect effect : kadr::messages::kEffects) {
        if (!exit || kadr::messages::IsExitEffect(effect)) {
            effects << effect;
        }
    }
    return effects;
}

void FillEffects(QComboBox* box, bool exit) {
    for (const Effect effect : EffectsFor(exit)) {
        box->addItem(EffectCaption(effect), static_cast<int>(effect));
    }
}

void ChooseData(QComboBox* box, int value) {
    box->setCurrentIndex(std::max(0, box->findData(value)));
}

}  // namespace

QString EffectCaption(Effect effect) {
    switch (effect) {
        case Effect::None:
            return QStringLiteral("Нет");
        case Effect::ScrollLeft:
            return QStringLiteral("Прокрутка влево");
        case Effect::ScrollRight:
            return QStringLiteral("Прокрутка вправо");
        case Effect::ScrollUp:
            return QStringLiteral("Прокрутка вверх");
        case Effect::ScrollDown:
            return QStringLiteral("Прокрутка вниз");
        case Effect::WipeRight:
            return QStringLiteral("Шторка вправо");
        case Effect::WipeLeft:
            return QStringLiteral("Шторка влево");
        case Effect::Open:
            return QStringLiteral("От центра");
        case Effect::Close:
            return QStringLiteral("К центру");
        case Effect::Typewriter:
            return QStringLiteral("Пишущая машинка");
        case Effect::Dissolve:
            return QStringLiteral("Растворение");
    }
    return {};
}

MessageForm::MessageForm(QWidget* parent)
    : QWidget(parent),
      edText(new QLineEdit),
      cbShow(new QComboBox),
      cbAlign(new QComboBox),
      cbIn(new QComboBox),
      seHold(new QDoubleSpinBox),
      seBlink(new QSpinBox),
      cbOut(new QComboBox),
      cbFont(new QComboBox),
      cbFamily(new QFontComboBox),
      seSize(new QSpinBox),
      cbPlace(new QComboBox),
      seGap(new QSpinBox),
      lbTiming(new QLabel) {
    edText->setObjectName(QStringLiteral("edText"));
    cbShow->setObjectName(QStringLiteral("cbShow"));
    cbShow->addItems({QStringLiteral("Неподвижный текст"), QStringLiteral("Бегущая строка")});
    cbAlign->setObjectName(QStringLiteral("cbAlign"));
    cbAlign->addItems({QStringLiteral("По левому краю"), QStringLiteral("По центру"),
                       QStringLiteral("По правому краю")});
    cbIn->setObjectName(QStringLiteral("cbIn"));
    FillEffects(cbIn, false);
    cbOut->setObjectName(QStringLiteral("cbOut"));
    FillEffects(cbOut, true);
    seHold->setObjectName(QStringLiteral("seHold"));
    seHold->setRange(0, kadr::messages::kMaxHoldSeconds);
    seHold->setDecimals(1);
    seHold->setSingleStep(0.5);
    seHold->setSuffix(QStringLiteral(" с"));
    seBlink->setObjectName(QStringLiteral("seBlink"));
    seBlink->setRange(0, kadr::messages::kMaxBlink);
    seBlink->setSpecialValueText(QStringLiteral("нет"));
    seBlink->setSuffix(QStringLiteral(" кадр."));
    cbFont->setObjectName(QStringLiteral("cbFont"));
    cbFont->addItems({QStringLiteral("Встроенный, 7 точек"), QStringLiteral("Встроенный, 14 точек"),
                      QStringLiteral("Шрифт компьютера")});
    cbFamily->setObjectName(QStringLiteral("cbFamily"));
    cbFamily->setEditable(false);
    seSize->setObjectName(QStringLiteral("seSize"));
    seSize->setRange(SystemFont::kMinHeight, SystemFont::kMaxHeight);
    seSize->setSuffix(QStringLiteral(" точек"));
    cbPlace->setObjectName(QStringLiteral("cbPlace"));
    cbPlace->addItems({QStringLiteral("Верхний ряд модулей"), QStringLiteral("Нижний ряд модулей"),
                       QStringLiteral("Посередине")});
    seGap->setObjectName(QStringLiteral("seGap"));
    seGap->setRange(0, kadr::text::kMaxGap);
    lbTiming->setObjectName(QStringLiteral("lbTiming"));
    lbTiming->setWordWrap(true);
    // Room for two lines, so that a longer text does not squeeze the fields above it.
    lbTiming->setMinimumHeight(2 * lbTiming->fontMetrics().lineSpacing() + 4);

    auto* fields = new QFormLayout(this);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addRow(QStringLiteral("&Текст:"), edText);
    fields->addRow(QStringLiteral("П&оказ:"), cbShow);
    fields->addRow(QStringLiteral("&Выравнивание:"), cbAlign);
    fields->addRow(QStringLiteral("&Появление:"), cbIn);
    fields->addRow(QStringLiteral("&Держать:"), seHold);
    fields->addRow(QStringLiteral("&Мигание:"), seBlink);
    fields->addRow(QStringLiteral("&Уход:"), cbOut);
    fields->addRow(QStringLiteral("&Шрифт:"), cbFont);
    fields->addRow(QStringLiteral("Шрифт &компьютера:"), cbFamily);
    fields->addRow(QStringLiteral("В&ысота:"), seSize);
    fields->addRow(QStringLiteral("По&ложение:"), cbPlace);
    fields->addRow(QStringLiteral("Промежуток между &знаками:"), seGap);
    fields->addRow(lbTiming);

    const auto changed = [this] {
        if (!showing_) {
            EnableForShow();
            emit Changed();
        }
    };
    connect(edText, &QLineEdit::textChanged, this, changed);
    for (QComboBox* box : {cbShow, cbAlign, cbIn, cbOut, cbFont, cbPlace}) {
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    }
    connect(cbFamily, &QFontComboBox::currentFontChanged, this, changed);
    connect(seHold, &QDoubleSpinBox::valueChanged, this, changed);
    connect(seBlink, &QSpinBox::valueChanged, this, changed);
    connect(seGap, &QSpinBox::valueChanged, this, changed);
    connect(seSize, &QSpinBox::valueChanged, this, [this, changed](int size) {
        if (cbFont->currentIndex() == Desktop) {
            desktopSize_ = size;
        }
        changed();
    });
}

void MessageForm::SetMessage(const kadr::messages::Message& m) {
    showing_ = true;
    edText->setText(QString::fromStdString(m.text));
    cbShow->setCurrentIndex(static_cast<int>(m.show));
    cbAlign->setCurrentIndex(static_cast<int>(m.align));
    ChooseData(cbIn, static_cast<int>(m.in));
    ChooseData(cbOut, static_cast<int>(m.out));
    seHold->setValue(m.hold);
    seBlink->setValue(m.blink);
    const int font = m.font == kadr::messages::kBuiltinFont     ? Builtin7
                     : m.font == kadr::messages::kBuiltinFont14 ? Builtin14
                                                                : Desktop;
    cbFont->setCurrentIndex(font);
    if (font == Desktop) {
        cbFamily->setCurrentFont(QFont(QString::fromStdString(m.font)));
    }
    desktopSize_ = m.size;
    cbPlace->setCurrentIndex(static_cast<int>(m.place));
    seGap->setValue(m.gap);
    EnableForShow();
    showing_ = false;
}

kadr::messages::Message MessageForm::Message() const {
    kadr::messages::Message m;
    m.text = edText->text().toStdString();
    m.show = static_cast<kadr::messages::Show>(cbShow->currentIndex());
    m.align = static_cast<kadr::messages::Align>(cbAlign->currentIndex());
    m.in = static_cast<Effect>(cbIn->currentData().toInt());
    m.out = static_cast<Effect>(cbOut->currentData().toInt());
    m.hold = seHold->value();
    m.blink = seBlink->value();
    switch (cbFont->currentIndex()) {
        case Builtin7:
            m.font = kadr::messages::kBuiltinFont;
            break;
        case Builtin14:
            m.font = kadr::messages::kBuiltinFont14;
            break;
        default:
            m.font = cbFamily->currentFont().family().toStdString();
            break;
    }
    m.size = desktopSize_;
    m.place = static_cast<kadr::text::Placement>(cbPlace->currentIndex());
    m.gap = seGap->value();
    return m;
}

void MessageForm::SetTiming(const QString& text) {
    lbTiming->setText(text);
}

// A running line has no alignment, effects or hold: the unit scrolls it at its own speed.
void MessageForm::EnableForShow() {
    const bool still = cbShow->currentIndex() == static_cast<int>(kadr::messages::Show::Still);
    for (QWidget* w : std::initializer_list<QWidget*>{cbAlign, cbIn, seHold, seBlink, cbOut}) {
        w->setEnabled(still);
    }
    const int font = cbFont->currentIndex();
    cbFamily->setEnabled(font == Desktop);
    seSize->setEnabled(font == Desktop);
    const QSignalBlocker quiet(seSize);
    seSize->setValue(font == Desktop ? desktopSize_ : font == Builtin14 ? 14 : 7);
    cbPlace->setEnabled(font == Builtin7 || (font == Desktop && desktopSize_ < 14));
}

}  // namespace kadr::editor
