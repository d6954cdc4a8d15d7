#pragma once

#include <deque>
#include <functional>

#include <gtest/gtest.h>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace kadr::editor::testing {

// Answers the modal windows a command brings up, one step per window in the order they appear,
// as a user would: each step gets the window and says whether it took it. Actions run queued, so
// that a window opened by an answer (an error box over a dialog) is met by the next step.
class ModalScript : public QObject {
  public:
    using Step = std::function<bool(QWidget*)>;

    ModalScript();
    // A step that could not answer its window as scripted fails the test.
    ~ModalScript() override;

    ModalScript& Then(Step step);
    // Common steps.
    ModalScript& AnswerMessage(QMessageBox::StandardButton button, QString* text = nullptr);
    ModalScript& ChooseFile(const QString& path, const QString& filter = {});
    ModalScript& CancelFileDialog();

    bool Finished() const { return steps_.empty(); }
    // Steps that met a window they could not answer as scripted.
    int Refused() const { return refused_; }
    // Texts of every message box met, in order.
    const QStringList& Messages() const { return messages_; }

  private:
    void Poll();

    QTimer timer_;
    std::deque<Step> steps_;
    QPointer<QWidget> last_;
    QStringList messages_;
    int refused_ = 0;
};

// A step for a window of class `Window`, answered by `act`; any other window fails the test as
// "expected <what>" and is closed.
template <typename Window>
ModalScript::Step Answer(const char* what, std::function<void(Window&)> act) {
    return [what, act](QWidget* modal) {
        auto* window = qobject_cast<Window*>(modal);
        if (window == nullptr) {
            ADD_FAILURE() << "expected " << what;
            modal->close();
            return false;
        }
        act(*window);
        return true;
    };
}

}  // namespace kadr::editor::testing
