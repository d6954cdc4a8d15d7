#pragma once

#include <map>
#include <memory>
#include <optional>

#include <QFont>
#include <QString>

#include "frameset/text/text_font.h"

namespace kadr {

// A font installed on the computer, drawn through Qt without smoothing at a height of 7 to 14
// dots and cut into dots by a threshold. Needs a QGuiApplication. Characters the font itself
// lacks are reported missing rather than borrowed from another font, so the user sees what their
// lettering cannot show.
class SystemFont : public kadr::text::TextFont {
  public:
    static constexpr int kMinHeight = 7;
    static constexpr int kMaxHeight = 14;

    // Nothing when no installed font has this family name (letter case aside).
    static std::unique_ptr<SystemFont> Find(const QString& family, int height);

    int Height() const override { return height_; }
    std::optional<kadr::text::Glyph> GlyphFor(char32_t character) const override;
    int PixelSize() const { return font_.pixelSize(); }
    QString Family() const { return font_.family(); }

  private:
    SystemFont(QFont font, int height, int baseline);
    kadr::text::Glyph Draw(char32_t character) const;

    QFont font_;
    int height_;
    int baseline_;
    mutable std::map<char32_t, std::optional<kadr::text::Glyph>> drawn_;
};

}  // namespace kadr
