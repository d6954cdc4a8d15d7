#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <string>

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include "editor/window/main_window.h"

namespace kadr::editor::testing {

// Answers every modal window at random while the monkey runs: a button of a message box, a
// file of the test's folder (or Cancel) in a file dialog, random values and OK or Cancel in
// every other dialog. An answer runs queued, so that a window its answer opens (an error box
// over a dialog) is met in turn.
class RandomAnswerer : public QObject {
  public:
    RandomAnswerer(std::mt19937& rng, QStringList documents, QStringList pictures);

    int Answered() const { return answered_; }
    // How often each kind of window was answered, by its object name (or class when it has
    // none): the run shows which dialogs it reached.
    const std::map<QString, int>& Met() const { return met_; }
    // The same window answered again and again means the run is stuck in it.
    bool Stuck() const { return repeats_ > 200; }
    void SetEnabled(bool on) { enabled_ = on; }

  private:
    void Poll();
    void Answer(QWidget* modal);
    void AnswerFileDialog(QWidget* modal);
    void AnswerDialog(QWidget* modal);

    std::mt19937& rng_;
    QStringList documents_;
    QStringList pictures_;
    QTimer timer_;
    QPointer<QWidget> last_;
    bool queued_ = false;
    bool enabled_ = true;
    int answered_ = 0;
    std::map<QString, int> met_;
    int repeats_ = 0;
};

// Drives the whole main window with random input, one step at a time, and checks the
// document's invariants after each step.
class Monkey {
  public:
    Monkey(TfmMain& window, std::uint32_t seed, const std::string& folder);

    // One random step; returns a description of it for the failure report.
    std::string Step();
    // Empty when every invariant holds, else what broke.
    std::string Broken() const;
    // The last steps, oldest first, for the failure report.
    std::string Recent() const;
    RandomAnswerer& Answerer() { return answerer_; }
    // A step now and then that makes the recovery copy at once, whatever the document is in
    // the middle of (the schedule would wait for a pause the monkey never makes).
    void SetCopyNow(std::function<void()> copy) { copyNow_ = std::move(copy); }

  private:
    std::string Command();
    std::string Shortcut();
    std::string GridMouse();
    std::string GridKeys();
    std::string Button();
    std::string Scale();
    std::string Typing();
    std::string Orientation();
    std::string Scroll();
    std::string Resize();
    void ClosePopups();
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }

    TfmMain& window_;
    std::mt19937 rng_;
    QStringList documents_;
    RandomAnswerer answerer_;
    std::deque<std::string> recent_;
    std::function<void()> copyNow_;
};

// Small pictures and documents for the imports and opens, made in `folder`; returns the paths
// of the pictures.
QStringList MakeMonkeyPictures(const std::string& folder);
// The names the file dialogs are given: display files, module file sets, a name without
// extension, one in a folder that does not exist.
QStringList MonkeyDocumentNames(const std::string& folder);

}  // namespace kadr::editor::testing
