#pragma once

#include <QApplication>

namespace kadr::editor {

// The application object. Commands report their own errors (RunCommand); whatever still escapes
// an event handler ends that handler only and reaches the same error box.
class EditorApplication : public QApplication {
    Q_OBJECT

  public:
    EditorApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kadr::editor
