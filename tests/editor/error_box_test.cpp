// The application's error box: every error that ends a command reaches it, and the program goes
// on afterwards.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "editor/app/application_title.h"
#include "editor/app/error_box.h"
#include "editor_window_fixture.h"

namespace kadr::editor::testing {
namespace {

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Stream read error", "Stream read error."},
        {"Файл не найден", "Файл не найден."},
        {"I/O error 5", "I/O error 5."},
        {"Why?", "Why?."},
        {"Note:", "Note:."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"a, b,", "a, b,"},
        {"(see above)", "(see above)"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorBoxText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown))
            << c.message;
    }
}

// What the box showed, read while it is open and then closed with its OK button.
struct ShownBox {
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

void AnswerNextBox(ShownBox& shown) {
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        shown.seen = true;
        shown.title = box->windowTitle();
        shown.text = box->text();
        shown.icon = box->icon();
        shown.buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
}

class ErrorBoxTest : public EditorWindowTest {};

TEST_F(ErrorBoxTest, AFailedPasteIsReportedAndTheWindowGoesOn) {
    MemoryClipboard shortPayload;
    shortPayload.SetRaw(std::vector<std::uint8_t>(100, 0));
    window_->SetFrameClipboard(shortPayload);

    ShownBox shown;
    AnswerNextBox(shown);
    window_->Actions().acPaste->trigger();

    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(shown.title, ApplicationTitle());
    EXPECT_EQ(shown.text, QStringLiteral("Stream read error."));
    EXPECT_EQ(shown.icon, QMessageBox::Critical);
    EXPECT_EQ(shown.buttons, 1);
    // The undo step was taken before the clipboard was read, and the window still works.
    EXPECT_TRUE(window_->Actions().acUndo->isEnabled());
    Click(*Grid(0), 2, 2);
    EXPECT_EQ(Dot(0, 2, 2), kDotSet);
}

TEST_F(ErrorBoxTest, AnErrorEscapingAnEventHandlerReachesTheSameBox) {
    struct Throwing : QObject {
        bool event(QEvent* e) override {
            if (e->type() == QEvent::User) {
                throw std::runtime_error("I/O error 5");
            }
            return QObject::event(e);
        }
    } target;
    ShownBox shown;
    AnswerNextBox(shown);
    QEvent event(QEvent::User);
    QApplication::sendEvent(&target, &event);
    EXPECT_TRUE(shown.seen);
    EXPECT_EQ(shown.text, QStringLiteral("I/O error 5."));
}

}  // namespace
}  // namespace kadr::editor::testing
