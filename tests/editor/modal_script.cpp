#include "modal_script.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

namespace kadr::editor::testing {

ModalScript::ModalScript() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalScript::Poll);
    timer_.start();
}

ModalScript::~ModalScript() {
    EXPECT_EQ(refused_, 0) << "a window came up that the script could not answer as scripted";
}

ModalScript& ModalScript::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

void ModalScript::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == last_ || steps_.empty() || !modal->isVisible()) {
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages_ << box->text();
    }
    last_ = modal;
    Step step = steps_.front();
    steps_.pop_front();
    QPointer<QWidget> target = modal;
    QMetaObject::invokeMethod(
        this,
        [this, step, target] {
            if (target && !step(target)) {
                ++refused_;
            }
        },
        Qt::QueuedConnection);
}

ModalScript& ModalScript::AnswerMessage(QMessageBox::StandardButton button, QString* text) {
    return Then([button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            ADD_FAILURE() << "expected a message box, met " << modal->metaObject()->className();
            modal->close();
            return false;
        }
        if (text != nullptr) {
            *text = box->text();
        }
        QAbstractButton* answer = box->button(button);
        if (answer == nullptr) {
            ADD_FAILURE() << "the message box has no such button: " << box->text().toStdString();
            box->close();
            return false;
        }
        answer->click();
        return true;
    });
}

ModalScript& ModalScript::ChooseFile(const QString& path, const QString& filter) {
    return Then([path, filter](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            ADD_FAILURE() << "expected a file dialog, met " << modal->metaObject()->className();
            modal->close();
            return false;
        }
        if (!filter.isEmpty()) {
            dialog->selectNameFilter(filter);
        }
        // Typed into the name box, as a user does; the dialog does not overwrite the box while
        // it has the focus.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name == nullptr) {
            ADD_FAILURE() << "the file dialog has no name box";
            dialog->close();
            return false;
        }
        name->setText(path);
        // As the dialog's own button does: through QDialog, since the file dialog keeps its
        // accept for itself.
        static_cast<QDialog*>(dialog)->accept();
        return true;
    });
}

ModalScript& ModalScript::CancelFileDialog() {
    return Then([](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        EXPECT_NE(dialog, nullptr);
        modal->close();
        return dialog != nullptr;
    });
}

}  // namespace kadr::editor::testing
