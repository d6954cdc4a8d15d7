#include "editor/window/status_bar.h"

#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

namespace kadr::editor {
namespace {

// Sized by its width rather than by its text, and never in the way of a narrow window.
class StatusPanel : public QLabel {
  public:
    StatusPanel(int width, QWidget* parent) : QLabel(parent), width_(width) {
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Sunken);
        setContentsMargins(2, 0, 2, 0);
    }
    QSize sizeHint() const override { return {width_, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

  private:
    int width_;
};

}  // namespace

StatusBar CreateStatusBar(QMainWindow& window) {
    auto* bar = new QStatusBar(&window);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    auto* first = new StatusPanel(200, bar);
    first->setObjectName(QStringLiteral("StatusBar1Panel0"));
    auto* second = new StatusPanel(50, bar);
    second->setObjectName(QStringLiteral("StatusBar1Panel1"));
    auto* progress = new QProgressBar(bar);
    progress->setObjectName(QStringLiteral("UploadProgress"));
    progress->setFixedWidth(140);
    progress->setTextVisible(true);
    progress->hide();
    auto* selected = new StatusPanel(130, bar);
    selected->setObjectName(QStringLiteral("StatusBar1Selected"));
    selected->hide();
    bar->addWidget(first);
    bar->addWidget(second, 1);
    bar->addWidget(selected);
    bar->addPermanentWidget(progress);
    window.setStatusBar(bar);
    return {first, second, progress, selected};
}

}  // namespace kadr::editor
