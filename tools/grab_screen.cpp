// Saves a rectangle of the screen as a PNG file, for the screenshots in docs/.
// usage: grab_screen OUT.png [X Y WIDTH HEIGHT]   (the whole screen without a rectangle)
#include <cstdio>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStringList>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 6) {
        std::fputs("usage: grab_screen OUT.png [X Y WIDTH HEIGHT]\n", stderr);
        return 2;
    }
    int area[4] = {0, 0, -1, -1};
    for (int i = 0; i < 4 && arguments.size() == 6; ++i) {
        bool number = false;
        area[i] = arguments.at(i + 2).toInt(&number);
        if (!number) {
            std::fputs("grab_screen: the rectangle takes whole numbers\n", stderr);
            return 2;
        }
    }
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, area[0], area[1], area[2], area[3]);
    if (shot.isNull() || !shot.save(arguments.at(1), "PNG")) {
        std::fprintf(stderr, "grab_screen: cannot save %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    return 0;
}
