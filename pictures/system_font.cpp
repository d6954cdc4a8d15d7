#include "pictures/system_font.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace kadr {
namespace {

constexpr int kInkThreshold = 128;  // darker than mid-grey is a dot

QString MatchingFamily(const QString& family) {
    const QStringList families = QFontDatabase::families();
    for (const QString& known : families) {
        if (known.compare(family, Qt::CaseInsensitive) == 0) {
            return known;
        }
    }
    return {};
}

}  // namespace

std::unique_ptr<SystemFont> SystemFont::Find(const QString& family, int height) {
    const QString known = MatchingFamily(family.trimmed());
    if (known.isEmpty()) {
        return nullptr;
    }
    height = std::clamp(height, kMinHeight, kMaxHeight);
    QFont font(known);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferFullHinting);
    // The largest size whose whole line, accents and descenders included, fits the rows, so no
    // letter is ever cut.
    int pixels = height * 2;
    for (; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        if (metrics.ascent() + metrics.descent() <= height) {
            break;
        }
    }
    font.setPixelSize(pixels);
    const QFontMetrics metrics(font);
    const int spare = std::max(0, height - metrics.ascent() - metrics.descent());
    return std::unique_ptr<SystemFont>(new SystemFont(font, height, spare / 2 + metrics.ascent()));
}

SystemFont::SystemFont(QFont font, int height, int baseline)
    : font_(std::move(font)), height_(height), baseline_(baseline) {}

std::optional<kadr::text::Glyph> SystemFont::GlyphFor(char32_t character) const {
    auto found = drawn_.find(character);
    if (found == drawn_.end()) {
        std::optional<kadr::text::Glyph> glyph;
        if (QFontMetrics(font_).inFontUcs4(character)) {
            glyph = Draw(character);
        }
        found = drawn_.emplace(character, std::move(glyph)).first;
    }
    return found->second;
}

kadr::text::Glyph SystemFont::Draw(char32_t character) const {
    const QString text = QString::fromUcs4(&character, 1);
    const QFontMetrics metrics(font_);
    const int advance = std::max(1, metrics.horizontalAdvance(text));
    // Room on both sides for strokes that reach past the advance (italics, overhangs).
    const int pad = height_;
    QImage image(advance + 2 * pad, height_, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(pad, baseline_, text);
    }
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < height_; ++y) {
            if (qGray(image.pixel(x, y)) < kInkThreshold) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    kadr::text::Glyph glyph;
    glyph.height = height_;
    if (last < 0) {
        // A blank character keeps its advance, so a space still parts the words.
        glyph.width = advance;
        glyph.ink.assign(static_cast<std::size_t>(glyph.width * glyph.height), 0);
        return glyph;
    }
    // The gap between characters is the tool's setting: the glyph is cut to its ink.
    glyph.width = last - first + 1;
    glyph.ink.resize(static_cast<std::size_t>(glyph.width * glyph.height));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            glyph.ink[static_cast<std::size_t>(y * glyph.width + x)] =
                qGray(image.pixel(first + x, y)) < kInkThreshold ? 1 : 0;
        }
    }
    return glyph;
}

}  // namespace kadr
