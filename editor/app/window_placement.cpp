#include "editor/app/window_placement.h"

#include <algorithm>
#include <optional>

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QWidget>

namespace kadr::editor {
namespace {

constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

// How much of the window's top must lie on a screen for the user to grab and move it.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 20;

QString ResolutionSuffix() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->geometry().size() : QSize();
    return QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height());
}

QString FourNumbers(int a, int b, int c, int d) {
    return QStringLiteral("%1,%2,%3,%4").arg(a).arg(b).arg(c).arg(d);
}

// left, top, right, bottom; nothing when the text is not four whole numbers.
std::optional<QRect> ParseRect(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) {
        return std::nullopt;
    }
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool number = false;
        values[i] = parts.at(i).trimmed().toInt(&number);
        if (!number) {
            return std::nullopt;
        }
    }
    if (values[2] <= values[0] || values[3] <= values[1]) {
        return std::nullopt;
    }
    return QRect(QPoint(values[0], values[1]), QPoint(values[2] - 1, values[3] - 1));
}

QList<QRect> AvailableScreens() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens << screen->availableGeometry();
    }
    return screens;
}

}  // namespace

QRect OnVisibleScreen(const QRect& normal, const QList<QRect>& screens, const QRect& fallback) {
    const QRect grab(normal.topLeft(), QSize(std::min(kGrabWidth, normal.width()), kGrabHeight));
    QRect target = fallback;
    bool visible = false;
    for (const QRect& screen : screens) {
        if (screen.contains(grab)) {
            target = screen;
            visible = true;
            break;
        }
    }
    QRect placed(normal.topLeft(), normal.size().boundedTo(target.size()));
    if (!visible) {
        placed.moveTopLeft(target.topLeft() +
                           QPoint(std::max(0, (target.width() - placed.width()) / 2),
                                  std::max(0, (target.height() - placed.height()) / 2)));
    }
    return placed;
}

void SaveWindowPlacement(const QWidget& window, QSettings& settings) {
    const int show = window.isMaximized() ? kShowMaximized
                                          : (window.isMinimized() ? kShowMinimized : kShowNormal);
    // The normal rectangle: where the window returns to when it is neither maximised nor
    // minimised. Its corner is the frame's, its size the client area's, as the window is placed.
    const QRect normal = window.isMaximized() || window.isMinimized()
                             ? window.normalGeometry()
                             : QRect(window.pos(), window.size());
    const QString normPos = FourNumbers(normal.left(), normal.top(), normal.left() + normal.width(),
                                        normal.top() + normal.height());
    const QString minMaxPos = FourNumbers(-1, -1, -1, -1);
    settings.setValue(QStringLiteral("Flags"), QStringLiteral("0"));
    settings.setValue(QStringLiteral("ShowCmd"), QString::number(show));
    settings.setValue(QStringLiteral("PixelsPerInch"), QString::number(window.logicalDpiY()));
    settings.setValue(QStringLiteral("Visible"),
                      window.isVisible() ? QStringLiteral("1") : QStringLiteral("0"));
    settings.setValue(QStringLiteral("MinMaxPos"), minMaxPos);
    settings.setValue(QStringLiteral("NormPos"), normPos);
    settings.setValue(QStringLiteral("MinMaxPos") + ResolutionSuffix(), minMaxPos);
    settings.setValue(QStringLiteral("NormPos") + ResolutionSuffix(), normPos);
}

void RestoreWindowPlacement(QWidget& window, QSettings& settings) {
    // The rectangle saved at this screen resolution fits it best; the plain one is for others.
    std::optional<QRect> normal =
        ParseRect(settings.value(QStringLiteral("NormPos") + ResolutionSuffix()).toString());
    if (!normal) {
        normal = ParseRect(settings.value(QStringLiteral("NormPos")).toString());
    }
    if (normal) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        const QRect fallback = primary != nullptr ? primary->availableGeometry() : *normal;
        const QRect placed = OnVisibleScreen(*normal, AvailableScreens(), fallback);
        window.move(placed.topLeft());
        window.resize(placed.size());
    }
    bool number = false;
    const int show = settings.value(QStringLiteral("ShowCmd")).toString().toInt(&number);
    // A window that was minimised comes back as it was before; starting hidden helps nobody.
    if (number && show == kShowMaximized) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

}  // namespace kadr::editor
