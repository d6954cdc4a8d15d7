#pragma once

#include <memory>

#include <QDialog>

#include "frameset/document.h"
#include "frameset/text/text_renderer.h"

class QComboBox;
class QDialogButtonBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace kadr {
class SystemFont;
}

namespace kadr::editor {
class TextPreview;

// What the text dialog keeps between runs in the settings store.
struct TextLineSettings {
    enum FontChoice { Builtin7 = 0, Builtin14 = 1, Desktop = 2 };
    QString text;
    int font = Builtin7;
    QString family;
    int height = 14;  // of a desktop font, in dots
    kadr::text::Placement placement = kadr::text::Placement::Middle;
    int gap = 1;
    int lead = 0;
    int trail = 0;

    static TextLineSettings Load();
    void Save() const;
};

// "Бегущая строка из текста...": the text, its font, height, placement and spacing, with the dots
// shown as they are typed. OK stays disabled while the line is empty or would not fit into the
// frames left free, and the dialog says why.
class TextLineDialog : public QDialog {
    Q_OBJECT

  public:
    TextLineDialog(const Document& document, QWidget* parent);
    ~TextLineDialog() override;

    // The line as the preview shows it: what OK inserts.
    const kadr::text::RenderedText& Rendered() const { return rendered_; }
    TextLineSettings Settings() const;

    QLineEdit* edText() const { return edText_; }
    QComboBox* cbFont() const { return cbFont_; }
    QFontComboBox* cbFamily() const { return cbFamily_; }
    QSpinBox* seHeight() const { return seHeight_; }
    QComboBox* cbPlace() const { return cbPlace_; }
    QSpinBox* seGap() const { return seGap_; }
    QSpinBox* seLead() const { return seLead_; }
    QSpinBox* seTrail() const { return seTrail_; }
    QLabel* Summary() const { return summary_; }
    TextPreview* Preview() const { return preview_; }
    bool CanAccept() const;

    void accept() override;

  private:
    void Apply(const TextLineSettings& settings);
    void Render();
    const kadr::text::TextFont* ChosenFont(QString* problem);

    const Document& document_;
    kadr::text::RenderedText rendered_;
    std::unique_ptr<kadr::text::TextFont> builtin7_;
    std::unique_ptr<kadr::text::TextFont> builtin14_;
    std::unique_ptr<SystemFont> desktop_;
    bool ready_ = false;
    // The height box shows the built-in fonts' fixed heights; a desktop font's own is kept here.
    int desktopHeight_ = 14;

    QLineEdit* edText_;
    QComboBox* cbFont_;
    QFontComboBox* cbFamily_;
    QSpinBox* seHeight_;
    QComboBox* cbPlace_;
    QSpinBox* seGap_;
    QSpinBox* seLead_;
    QSpinBox* seTrail_;
    TextPreview* preview_;
    QScrollArea* previewArea_;
    QLabel* summary_;
    QDialogButtonBox* buttons_;
    QPushButton* ok_ = nullptr;
};

}  // namespace kadr::editor
