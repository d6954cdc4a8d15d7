#pragma once

#include <QWidget>

#include "frameset/text/text_renderer.h"

namespace kadr::editor {

// The dots of a rendered line as the display will show them: 14 rows, a gap where the mark row
// parts the two module rows, a thin line where one frame of the running line ends.
class TextPreview : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kDot = 5;  // pixels per dot, one of them the grid line

    explicit TextPreview(QWidget* parent = nullptr);

    void SetPicture(const kadr::text::TextPicture& picture);
    const kadr::text::TextPicture& Picture() const { return picture_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    kadr::text::TextPicture picture_;
};

}  // namespace kadr::editor
