#pragma once

#include <QWidget>

#include "frameset/messages/message.h"

class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kadr::editor {

// The settings of one message in the messages dialog: its text and font as in "Бегущая строка
// из текста...", how it is shown, and for a still text its alignment, entry, hold, blink and
// exit. It only shows and reports a Message; the dialog owns the program.
class MessageForm : public QWidget {
    Q_OBJECT

  public:
    explicit MessageForm(QWidget* parent = nullptr);

    void SetMessage(const kadr::messages::Message& message);
    kadr::messages::Message Message() const;
    // The line under the settings: each part's frames and seconds at the current speed.
    void SetTiming(const QString& text);

    QLineEdit* edText = nullptr;
    QComboBox* cbShow = nullptr;
    QComboBox* cbAlign = nullptr;
    QComboBox* cbIn = nullptr;
    QDoubleSpinBox* seHold = nullptr;
    QSpinBox* seBlink = nullptr;
    QComboBox* cbOut = nullptr;
    QComboBox* cbFont = nullptr;
    QFontComboBox* cbFamily = nullptr;
    QSpinBox* seSize = nullptr;
    QComboBox* cbPlace = nullptr;
    QSpinBox* seGap = nullptr;
    QLabel* lbTiming = nullptr;

  signals:
    // Any setting was changed by the user.
    void Changed();

  private:
    void EnableForShow();

    bool showing_ = false;
    int desktopSize_ = 14;
};

// The Russian caption of an effect in the dialog's lists.
QString EffectCaption(kadr::messages::Effect effect);

}  // namespace kadr::editor
