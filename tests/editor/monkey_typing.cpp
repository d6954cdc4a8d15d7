#include "monkey_typing.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace kadr::editor::testing {
namespace {

// Counts just inside and outside the ranges of the boxes (frames, speeds, seconds, dots,
// columns), and numbers no box takes.
const QStringList kEdges{
    QStringLiteral("0"),          QStringLiteral("1"),   QStringLiteral("-1"),
    QStringLiteral("3"),          QStringLiteral("10"),  QStringLiteral("11"),
    QStringLiteral("14"),         QStringLiteral("50"),  QStringLiteral("51"),
    QStringLiteral("60"),         QStringLiteral("256"), QStringLiteral("257"),
    QStringLiteral("2.5"),        QStringLiteral("2,5"), QStringLiteral("12345"),
    QStringLiteral("99999999999")};

const QString kLatin = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kDigits = QStringLiteral("0123456789");
const QString kCyrillic =
    QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
const QString kSigns = QStringLiteral(" -+.,:;!?%№«»/");

QString Draw(std::mt19937& rng, const QString& alphabet, int length) {
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    QString text;
    for (int i = 0; i < length; ++i) {
        text += alphabet[pick(rng)];
    }
    return text;
}

// The widget that takes the keys when `box` has the focus (a combo box may pass them on).
QWidget* KeyTarget(QWidget& box) {
    QWidget* focus = box.window()->focusWidget();
    return focus != nullptr && (focus == &box || box.isAncestorOf(focus)) ? focus : &box;
}

void TypeCharacter(QWidget* target, QChar c) {
    if (c.unicode() < 0x80) {
        QTest::keyClick(target, c.toLatin1());
        return;
    }
    // A letter beyond Latin-1 arrives with its upper-case code as the key, as keyboards send it.
    QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(c.toUpper().unicode()),
                        QString(c), Qt::NoModifier);
}

}  // namespace

QString RandomTyping(std::mt19937& rng) {
    const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
    const int length = std::uniform_int_distribution<int>(1, 12)(rng);
    switch (kind) {
        case 0:
        case 1:
            return kEdges[std::uniform_int_distribution<int>(0, int(kEdges.size()) - 1)(rng)];
        case 2:
            return Draw(rng, kLatin, length);
        case 3:
        case 4:
            return (length % 4 == 0 ? QStringLiteral("-") : QString()) + Draw(rng, kDigits, length);
        case 5:
            return Draw(rng, kCyrillic, length);
        case 6:
        case 7:
            return Draw(rng, kLatin + kDigits + kCyrillic + kSigns, length);
        case 8:
            return {};
        default:
            return Draw(rng, kLatin + kDigits + kCyrillic + kSigns,
                        std::uniform_int_distribution<int>(500, 2500)(rng));
    }
}

QList<QPointer<QWidget>> TypableBoxes(const QWidget& window) {
    QList<QPointer<QWidget>> boxes;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !widget->isEnabled()) {
            continue;
        }
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
            if (!spin->isReadOnly()) {
                boxes << widget;
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            if (combo->isEditable()) {
                boxes << widget;
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            QWidget* owner = edit->parentWidget();
            const bool part = qobject_cast<QAbstractSpinBox*>(owner) != nullptr ||
                              qobject_cast<QComboBox*>(owner) != nullptr;
            if (!edit->isReadOnly() && !part) {
                boxes << widget;
            }
        }
    }
    return boxes;
}

void TypeInto(QWidget& box, const QString& text, Qt::Key end) {
    box.setFocus(Qt::TabFocusReason);
    QPointer<QWidget> target = KeyTarget(box);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Backspace);
    if (text.size() > 100) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    } else {
        for (int i = 0; i < text.size() && target; ++i) {
            TypeCharacter(target, text[i]);
        }
    }
    if (end != Qt::Key_unknown && target) {
        QTest::keyClick(target, end);
    }
}

std::string Shown(const QString& text) {
    return text.size() > 20
               ? text.left(12).toStdString() + "... (" + std::to_string(text.size()) + " chars)"
               : text.toStdString();
}

}  // namespace kadr::editor::testing
