#pragma once

#include <random>
#include <string>

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace kadr::editor::testing {

// What a user types into a box: a number at the edge of some range, Latin letters, digits,
// Cyrillic, a mix with signs and spaces, nothing, or a line thousands of characters long.
QString RandomTyping(std::mt19937& rng);

// The boxes of `window` a user can type into, visible and enabled, in the order of the window:
// line edits, spin boxes and editable combo boxes (a line edit inside one of those counts as
// its box).
QList<QPointer<QWidget>> TypableBoxes(const QWidget& window);

// Puts the focus into `box` and replaces its text from the keyboard: everything selected and
// erased, then one key a character (a long line is pasted, as users enter long texts), then
// the key `end` unless it is Qt::Key_unknown.
void TypeInto(QWidget& box, const QString& text, Qt::Key end);

// A short description of the text for the steps' log.
std::string Shown(const QString& text);

}  // namespace kadr::editor::testing
