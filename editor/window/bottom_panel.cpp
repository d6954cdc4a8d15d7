#include "editor/window/bottom_panel.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "editor/widgets/gap_label.h"
#include "editor/window/speed_box.h"

namespace kadr::editor {
namespace {

constexpr int kGapBlanks = 19;

SpeedBox* NamedSpeedBox(const char* name) {
    auto* box = new SpeedBox;
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

BottomPanel CreateBottomPanel(QWidget* parent) {
    BottomPanel parts{};
    parts.Panel2 = new QWidget(parent);
    parts.Panel2->setObjectName(QStringLiteral("Panel2"));
    // Narrow windows clip the panel's content instead of refusing to get narrower, so that the
    // strip above can be made as narrow as the user likes.
    parts.Panel2->setMinimumSize(1, 64);

    parts.seSpeedAnim = NamedSpeedBox("seSpeedAnim");
    parts.seSpeedRow = NamedSpeedBox("seSpeedRow");
    auto* speeds = new QVBoxLayout;
    speeds->addWidget(new GapLabel(QStringLiteral("Скорость анимации"), kGapBlanks,
                                   QStringLiteral("кадров/с"), parts.seSpeedAnim, parts.Panel2));
    speeds->addWidget(new GapLabel(QStringLiteral("Скорость строки"), kGapBlanks,
                                   QStringLiteral("клеток/с"), parts.seSpeedRow, parts.Panel2));

    parts.rbFlag0 = new QRadioButton(QStringLiteral("Нормально"), parts.Panel2);
    parts.rbFlag0->setObjectName(QStringLiteral("rbFlag0"));
    parts.rbFlag0->setChecked(true);
    parts.rbFlag1 = new QRadioButton(QStringLiteral("Перевернуто"), parts.Panel2);
    parts.rbFlag1->setObjectName(QStringLiteral("rbFlag1"));
    auto* orientation = new QVBoxLayout;
    orientation->addWidget(parts.rbFlag0);
    orientation->addWidget(parts.rbFlag1);

    parts.RxSpeedButton1 = new QToolButton(parts.Panel2);
    parts.RxSpeedButton1->setObjectName(QStringLiteral("RxSpeedButton1"));
    parts.RxSpeedButton1->setText(QStringLiteral("Загрузить в\nустройство"));
    parts.RxSpeedButton1->setFixedSize(81, 47);
    parts.RxSpeedButton1->setAutoRaise(true);
    parts.RxSpeedButton1->setFocusPolicy(Qt::NoFocus);

    auto* row = new QHBoxLayout;
    row->setSpacing(20);
    row->addLayout(speeds);
    row->addLayout(orientation);
    row->addWidget(parts.RxSpeedButton1, 0, Qt::AlignVCenter);
    row->addStretch(1);
    // A taller window gives the strip no more room, so the controls stay at the panel's top.
    auto* column = new QVBoxLayout(parts.Panel2);
    column->setContentsMargins(8, 6, 8, 6);
    column->addLayout(row);
    column->addStretch(1);
    return parts;
}

}  // namespace kadr::editor
