#include "editor/commands/image_list.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "editor/commands/icon_drawings.h"

namespace kadr::editor::image_list {
namespace {

class DrawnIconEngine : public QIconEngine {
  public:
    explicit DrawnIconEngine(int index) : index_(index) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/,
                         qreal scale) override {
        const QSize pixels = (QSizeF(size) * scale).toSize();
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(pixels.width() / 16.0, pixels.height() / 16.0);
            DrawIcon(painter, index_);
        }
        if (mode == QIcon::Disabled) {
            Fade(image);
        }
        QPixmap result = QPixmap::fromImage(std::move(image));
        result.setDevicePixelRatio(scale);
        return result;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new DrawnIconEngine(index_); }
    QString key() const override { return QStringLiteral("kadr.drawn"); }

  private:
    // A disabled command shows its picture in pale grey, as desktop toolbars do.
    static void Fade(QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                if (alpha == 0) {
                    continue;
                }
                const int grey = qGray(qUnpremultiply(line[x]));
                const int faded = 140 + grey * 90 / 255;
                line[x] = qPremultiply(qRgba(faded, faded, faded, alpha * 3 / 4));
            }
        }
    }

    int index_;
};

}  // namespace

QIcon Icon(int index) {
    if (index < 0 || index >= kCount) {
        return {};
    }
    return QIcon(new DrawnIconEngine(index));
}

}  // namespace kadr::editor::image_list
