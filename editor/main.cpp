#include <QApplication>
#include <QLabel>
#include <QMainWindow>

// Stands in for the editor window until it is built, so that the start-up command runs.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Кадрописец - Без названия"));
    window.resize(598, 386);
    window.setCentralWidget(new QLabel(QStringLiteral("Кадрописец"), &window));
    window.show();
    return app.exec();
}
