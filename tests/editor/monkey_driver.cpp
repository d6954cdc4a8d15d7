#include "monkey_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "editor/strip/frame_button.h"
#include "editor/strip/frame_grid.h"
#include "editor/strip/frame_strip.h"
#include "editor/strip/strip_geometry.h"
#include "monkey_typing.h"

namespace kadr::editor::testing {
namespace {

const QString kPrefix = QStringLiteral("Кадрописец - ");

template <typename T>
QList<T*> Visible(const QObject* parent) {
    QList<T*> found;
    for (T* child : parent->findChildren<T*>()) {
        if (child->isVisible() && child->isEnabled()) {
            found << child;
        }
    }
    return found;
}

}  // namespace

QStringList MakeMonkeyPictures(const std::string& folder) {
    const QDir dir(QString::fromStdString(folder));
    QStringList paths;
    QImage small(12, 7, QImage::Format_RGB32);
    small.fill(Qt::white);
    for (int i = 0; i < 7; ++i) {
        small.setPixel(i, i, qRgb(0, 0, 0));
    }
    QImage wide(90, 14, QImage::Format_ARGB32);
    wide.fill(qRgba(0, 0, 0, 0));
    for (int x = 0; x < 90; x += 3) {
        wide.setPixel(x, x % 14, qRgb(20, 20, 20));
    }
    const struct {
        const QImage* image;
        const char* name;
        const char* format;
    } pictures[] = {{&small, "small.png", "PNG"},
                    {&small, "small.bmp", "BMP"},
                    {&small, "small.jpg", "JPEG"},
                    {&wide, "wide.png", "PNG"}};
    for (const auto& p : pictures) {
        const QString path = dir.filePath(QString::fromLatin1(p.name));
        p.image->save(path, p.format);
        paths << path;
    }
    QFile text(dir.filePath(QStringLiteral("notes.gif")));
    if (text.open(QIODevice::WriteOnly)) {
        text.write("not a picture\n");
    }
    paths << text.fileName() << dir.filePath(QStringLiteral("absent.png"));
    return paths;
}

QStringList MonkeyDocumentNames(const std::string& folder) {
    const QDir dir(QString::fromStdString(folder));
    return {dir.filePath(QStringLiteral("a.kdz")),
            dir.filePath(QStringLiteral("b.kdz")),
            dir.filePath(QStringLiteral("набор.bin")),
            dir.filePath(QStringLiteral("m.BIN")),
            dir.filePath(QStringLiteral("без расширения")),
            dir.filePath(QStringLiteral("нет/такой папки.kdz"))};
}

RandomAnswerer::RandomAnswerer(std::mt19937& rng, QStringList documents, QStringList pictures)
    : rng_(rng), documents_(std::move(documents)), pictures_(std::move(pictures)) {
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, &RandomAnswerer::Poll);
    timer_.start();
}

void RandomAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!enabled_ || queued_ || modal == nullptr || !modal->isVisible()) {
        return;
    }
    repeats_ = modal == last_ ? repeats_ + 1 : 0;
    last_ = modal;
    queued_ = true;
    QPointer<QWidget> target = modal;
    QMetaObject::invokeMethod(
        this,
        [this, target] {
            queued_ = false;
            if (target && target->isVisible()) {
                ++answered_;
                Answer(target);
            }
        },
        Qt::QueuedConnection);
}

void RandomAnswerer::Answer(QWidget* modal) {
    ++met_[modal->objectName().isEmpty() ? QString::fromLatin1(modal->metaObject()->className())
                                         : modal->objectName()];
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttons.isEmpty()) {
            box->close();
        } else {
            buttons[std::uniform_int_distribution<int>(0, int(buttons.size()) - 1)(rng_)]->click();
        }
    } else if (qobject_cast<QFileDialog*>(modal) != nullptr) {
        AnswerFileDialog(modal);
    } else if (qobject_cast<QDialog*>(modal) != nullptr) {
        AnswerDialog(modal);
    } else {
        modal->close();
    }
}

void RandomAnswerer::AnswerFileDialog(QWidget* modal) {
    auto* dialog = static_cast<QFileDialog*>(modal);
    std::uniform_int_distribution<int> percent(0, 99);
    if (percent(rng_) < 15) {
        dialog->reject();
        return;
    }
    const bool picture = dialog->windowTitle() == QStringLiteral("Импорт изображения");
    const QStringList& names = picture ? pictures_ : documents_;
    const QString path = names[std::uniform_int_distribution<int>(0, int(names.size()) - 1)(rng_)];
    const QStringList filters = dialog->nameFilters();
    if (!filters.isEmpty() && percent(rng_) < 50) {
        dialog->selectNameFilter(
            filters[std::uniform_int_distribution<int>(0, int(filters.size()) - 1)(rng_)]);
    }
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->setText(path);
    }
    static_cast<QDialog*>(dialog)->accept();
}

void RandomAnswerer::AnswerDialog(QWidget* modal) {
    auto* dialog = static_cast<QDialog*>(modal);
    std::uniform_int_distribution<int> percent(0, 99);
    for (QCheckBox* box : Visible<QCheckBox>(dialog)) {
        if (percent(rng_) < 30) {
            box->click();
        }
    }
    for (QRadioButton* radio : Visible<QRadioButton>(dialog)) {
        if (percent(rng_) < 20) {
            radio->click();
        }
    }
    for (QSlider* slider : Visible<QSlider>(dialog)) {
        if (percent(rng_) < 30) {
            slider->setValue(
                std::uniform_int_distribution<int>(slider->minimum(), slider->maximum())(rng_));
        }
    }
    for (QComboBox* combo : Visible<QComboBox>(dialog)) {
        // A font list holds every font of the system: a few steps from where it is suffice.
        if (combo->count() > 0 && percent(rng_) < 20) {
            combo->setCurrentIndex(
                std::uniform_int_distribution<int>(0, std::min<int>(combo->count(), 6) - 1)(rng_));
        }
    }
    // Text typed into some of the boxes, each left with Tab or confirmed with Enter, which
    // presses the dialog's default button as it does for a user.
    QPointer<QDialog> alive = dialog;
    for (const QPointer<QWidget>& box : TypableBoxes(*dialog)) {
        if (!alive || !alive->isVisible()) {
            return;
        }
        if (box && box->isVisible() && percent(rng_) < 40) {
            TypeInto(*box, RandomTyping(rng_), percent(rng_) < 30 ? Qt::Key_Return : Qt::Key_Tab);
        }
    }
    if (!alive || !alive->isVisible()) {
        return;
    }
    // The dialog's own buttons (a message added, moved or removed, a program opened or saved),
    // never the ones that close it: a window they open is answered in turn while they run.
    QList<QPointer<QPushButton>> own;
    for (QPushButton* button : Visible<QPushButton>(dialog)) {
        auto* box = qobject_cast<QDialogButtonBox*>(button->parentWidget());
        const QDialogButtonBox::ButtonRole role =
            box != nullptr ? box->buttonRole(button) : QDialogButtonBox::ActionRole;
        if (role == QDialogButtonBox::ActionRole && percent(rng_) < 25) {
            own << button;
        }
    }
    for (const QPointer<QPushButton>& button : own) {
        if (alive && alive->isVisible() && button && button->isEnabled()) {
            button->click();
        }
    }
    if (!alive || !alive->isVisible()) {
        return;
    }
    if (percent(rng_) < 65) {
        alive->accept();
    } else {
        alive->reject();
    }
}

Monkey::Monkey(TfmMain& window, std::uint32_t seed, const std::string& folder)
    : window_(window),
      rng_(seed),
      documents_(MonkeyDocumentNames(folder)),
      answerer_(rng_, documents_, MakeMonkeyPictures(folder)) {}

std::string Monkey::Step() {
    std::string done;
    const int kind = Pick(100);
    if (kind < 22) {
        done = Command();
    } else if (kind < 34) {
        done = Shortcut();
    } else if (kind < 62) {
        done = GridMouse();
    } else if (kind < 70) {
        done = GridKeys();
    } else if (kind < 78) {
        done = Button();
    } else if (kind < 82) {
        done = Scale();
    } else if (kind < 90) {
        done = Typing();
    } else if (kind < 93) {
        done = Orientation();
    } else if (kind < 97) {
        done = Scroll();
    } else if (kind < 99 || !copyNow_) {
        done = Resize();
    } else {
        copyNow_();
        done = "recovery copy";
    }
    ClosePopups();
    if (!window_.isVisible()) {
        // Closed by Exit with the question answered: the next run starts on the same document.
        window_.show();
        done += " (window closed, shown again)";
    }
    QCoreApplication::processEvents();
    recent_.push_back(done);
    if (recent_.size() > 25) {
        recent_.pop_front();
    }
    return done;
}

std::string Monkey::Command() {
    QList<QAction*> actions;
    for (QAction* action : window_.findChildren<QAction*>()) {
        // Only what a user can reach: an item of a menu, a toolbar or the window itself (a
        // recent file taken out of its menu waits there for its deletion, out of reach).
        if (!action->text().isEmpty() && !action->isSeparator() && action->menu() == nullptr &&
            !action->associatedObjects().isEmpty()) {
            actions << action;
        }
    }
    QAction* action = actions[Pick(int(actions.size()))];
    const std::string name = action->text().toStdString();
    if (!action->isEnabled()) {
        return "command (disabled) " + name;
    }
    action->trigger();
    return "command " + name;
}

std::string Monkey::Shortcut() {
    QList<QAction*> actions;
    for (QAction* action : window_.findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty()) {
            actions << action;
        }
    }
    if (actions.isEmpty()) {
        return "shortcut (none)";
    }
    QAction* action = actions[Pick(int(actions.size()))];
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != &window_) {
        target = &window_;
    }
    // The key may rebuild the strip and so delete the grid it was typed into.
    const std::string done = "shortcut " + action->shortcut().toString().toStdString() + " in " +
                             target->metaObject()->className();
    QTest::keySequence(target, action->shortcut());
    return done;
}

std::string Monkey::GridMouse() {
    FrameStrip& strip = window_.Strip();
    if (strip.SlotCount() == 0) {
        return "grid (none shown)";
    }
    const int slot = Pick(strip.SlotCount());
    QPointer<FrameGrid> grid = strip.Grid(slot);
    const auto cell = [&] {
        return GridCellRect(grid->CellSize(), Pick(kColumns), Pick(kRows - 1)).center();
    };
    const int how = Pick(10);
    const Qt::KeyboardModifiers mods = Pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
    const QPoint from = cell();
    if (how < 4) {
        QTest::mouseClick(grid, Qt::LeftButton, mods, from);
        return "click grid " + std::to_string(slot);
    }
    if (how < 5) {
        QTest::mouseDClick(grid, Qt::LeftButton, mods, from);
        return "double-click grid " + std::to_string(slot);
    }
    if (how < 6) {
        QTest::mouseClick(grid, Qt::RightButton, mods, from);
        return "right-click grid " + std::to_string(slot);
    }
    QTest::mousePress(grid, Qt::LeftButton, mods, from);
    const int moves = 1 + Pick(5);
    for (int i = 0; i < moves && grid; ++i) {
        QTest::mouseMove(grid, cell());
        if (Pick(12) == 0 && grid) {
            QTest::keyClick(grid, Qt::Key_Escape);  // drops a shape being drawn
        }
    }
    if (grid) {
        QTest::mouseRelease(grid, Qt::LeftButton, mods, cell());
    }
    return "drag in grid " + std::to_string(slot) + (grid ? "" : " (grid gone)");
}

std::string Monkey::GridKeys() {
    FrameStrip& strip = window_.Strip();
    if (strip.SlotCount() == 0) {
        return "keys (no grid)";
    }
    QPointer<FrameGrid> grid = strip.Grid(Pick(strip.SlotCount()));
    grid->setFocus(Qt::TabFocusReason);
    static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                   Qt::Key_1,    Qt::Key_2,     Qt::Key_3,  Qt::Key_4};
    const int count = 1 + Pick(6);
    for (int i = 0; i < count && grid; ++i) {
        const int key = Pick(8);
        QTest::keyClick(grid, keys[key], key >= 4 ? Qt::AltModifier : Qt::NoModifier);
    }
    return "keys in a grid";
}

std::string Monkey::Button() {
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : Visible<QAbstractButton>(&window_)) {
        // The upload goes to a real serial port; it has tests of its own. A button that pops
        // up a menu runs the menu's own event loop, which is no modal window to answer.
        auto* tool = qobject_cast<QToolButton*>(button);
        const bool menuButton = tool != nullptr && (tool->menu() != nullptr ||
                                                    tool->popupMode() == QToolButton::InstantPopup);
        if (button->objectName() != QStringLiteral("RxSpeedButton1") && !menuButton) {
            buttons << button;
        }
    }
    if (buttons.isEmpty()) {
        return "button (none)";
    }
    QAbstractButton* button = buttons[Pick(int(buttons.size()))];
    const std::string name =
        (button->objectName().isEmpty() ? button->text() : button->objectName()).toStdString();
    // Shift and Ctrl pick runs and single frames on the frame buttons.
    static const Qt::KeyboardModifiers keys[] = {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier,
                                                 Qt::ControlModifier,
                                                 Qt::ShiftModifier | Qt::ControlModifier};
    const Qt::KeyboardModifiers held = keys[Pick(5)];
    QTest::mouseClick(button, Qt::LeftButton, held,
                      QPoint(button->width() / 2, button->height() / 2));
    return "button " + name + (held == Qt::NoModifier ? "" : " with Shift/Ctrl");
}

std::string Monkey::Scale() {
    auto* scale = window_.findChild<QComboBox*>(QStringLiteral("cbMashtab"));
    const int index = Pick(scale->count());
    scale->setCurrentIndex(index);
    return "scale " + std::to_string(index);
}

std::string Monkey::Typing() {
    // The boxes of the windows beside the dialogs: the speeds, the preview's dot size.
    QList<QPointer<QWidget>> boxes;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && !top->isModal() && top->windowType() != Qt::Popup) {
            boxes << TypableBoxes(*top);
        }
    }
    if (boxes.isEmpty()) {
        return "typing (no box)";
    }
    QWidget* box = boxes[Pick(int(boxes.size()))];
    const std::string name = box->objectName().toStdString();
    const QString text = RandomTyping(rng_);
    static const Qt::Key ends[] = {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Up, Qt::Key_Down,
                                   Qt::Key_unknown};
    TypeInto(*box, text, ends[Pick(5)]);
    return "typed '" + Shown(text) + "' into " + name;
}

std::string Monkey::Orientation() {
    auto* radio = window_.findChild<QRadioButton*>(Pick(2) == 0 ? QStringLiteral("rbFlag0")
                                                                : QStringLiteral("rbFlag1"));
    radio->click();
    return "orientation";
}

std::string Monkey::Scroll() {
    auto* bar = window_.findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    if (!bar->isEnabled()) {
        return "scroll (disabled)";
    }
    bar->setValue(std::uniform_int_distribution<int>(bar->minimum(), bar->maximum())(rng_));
    return "scroll to " + std::to_string(bar->value());
}

std::string Monkey::Resize() {
    const int width = 300 + Pick(1500);
    window_.resize(width, 300 + Pick(300));
    return "resize to " + std::to_string(width);
}

void Monkey::ClosePopups() {
    for (int i = 0; i < 3; ++i) {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        QList<QAction*> choices;
        for (QAction* action : menu->actions()) {
            if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
                choices << action;
            }
        }
        if (!choices.isEmpty() && Pick(3) != 0) {
            QAction* chosen = choices[Pick(int(choices.size()))];
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                              menu->actionGeometry(chosen).center());
        } else {
            menu->close();
        }
        QCoreApplication::processEvents();
    }
}

std::string Monkey::Broken() const {
    const FrameSet& set = window_.Doc().Set();
    const UndoHistory& history = window_.Doc().History();
    if (set.LastFrame < -1 || set.LastFrame >= kMaxFrames) {
        return "frame count " + std::to_string(set.FrameCount());
    }
    if (set.CurFrame < -1 || set.CurFrame > set.LastFrame) {
        return "current frame " + std::to_string(set.CurFrame) + " of " +
               std::to_string(set.FrameCount());
    }
    if (history.Position() < 0 || history.Position() > history.Limit() ||
        history.Limit() > UndoHistory::kDepth) {
        return "undo position " + std::to_string(history.Position()) + " of " +
               std::to_string(history.Limit());
    }
    if (window_.Actions().acUndo->isEnabled() != history.CanUndo() ||
        window_.Actions().acRedo->isEnabled() != history.CanRedo()) {
        return "Undo/Redo enabled not as the history says";
    }
    if (set.SpeedAnim < kMinSpeed || set.SpeedAnim > kMaxSpeed || set.SpeedRow < kMinSpeed ||
        set.SpeedRow > kMaxSpeed || set.OrientationFlag > 1) {
        return "settings out of range";
    }
    // The strip: consecutive frames from the scroll position, every one of them in use, and
    // the rest reachable by the scroll bar.
    const FrameStrip& strip = window_.Strip();
    auto* bar = window_.findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    const int first = strip.FirstVisibleFrame();
    for (int slot = 0; slot < strip.SlotCount(); ++slot) {
        const int frame = first + slot;
        if (strip.Grid(slot)->FrameIndex() != frame || strip.Button(slot)->FrameIndex() != frame ||
            strip.Button(slot)->text() != QString::number(frame + 1)) {
            return "slot " + std::to_string(slot) + " does not show frame " + std::to_string(frame);
        }
        if (frame > set.LastFrame) {
            return "slot " + std::to_string(slot) + " shows frame " + std::to_string(frame) +
                   " not in use";
        }
    }
    // The selection: the current frame among frames in use, and every button showing it.
    const FrameSelection& selection = window_.Doc().Selection();
    if (selection.Empty() == set.HasCurrentFrame() ||
        (set.HasCurrentFrame() && !selection.Contains(set.CurFrame)) ||
        selection.Last() > set.LastFrame) {
        return "selection of " + std::to_string(selection.Count()) + " frames, current " +
               std::to_string(set.CurFrame);
    }
    for (int slot = 0; slot < strip.SlotCount(); ++slot) {
        if (strip.Button(slot)->isChecked() != selection.Contains(first + slot)) {
            return "the button of frame " + std::to_string(first + slot) +
                   " shows the selection wrongly";
        }
    }
    const int reachable = strip.SlotCount() + (bar->isEnabled() ? bar->maximum() : 0);
    if (reachable != set.FrameCount()) {
        return std::to_string(strip.SlotCount()) + " slots and scroll maximum " +
               std::to_string(bar->maximum()) + " for " + std::to_string(set.FrameCount()) +
               " frames";
    }
    // The caption names the document's file, or none when it has none; and that file is one
    // the monkey gave a file dialog (with the extension a save adds).
    const QString caption = window_.windowTitle();
    const QString file = QString::fromStdString(set.FileName);
    const QString expected =
        kPrefix + (file.isEmpty() ? QStringLiteral("Без названия") : QFileInfo(file).fileName());
    if (caption != expected) {
        return "caption '" + caption.toStdString() + "' for the file '" + set.FileName + "'";
    }
    bool known = file.isEmpty();
    for (const QString& path : documents_) {
        known = known || file == path || file == path + QStringLiteral(".kdz") ||
                file == path + QStringLiteral(".bin");
    }
    if (!known) {
        return "the document names the file " + set.FileName;
    }
    return {};
}

std::string Monkey::Recent() const {
    std::string text;
    for (const std::string& step : recent_) {
        text += "  " + step + "\n";
    }
    return text;
}

}  // namespace kadr::editor::testing
