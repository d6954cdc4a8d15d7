#include "editor/window/tool_bar.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "editor/commands/command_set.h"
#include "editor/strip/strip_geometry.h"

namespace kadr::editor {
namespace {

QComboBox* CreateScaleList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("cbMashtab"));
    list->setEditable(false);
    list->setToolTip(QStringLiteral("Масштаб"));
    list->setFocusPolicy(Qt::ClickFocus);
    for (int index = 0; index < kScaleCount; ++index) {
        list->addItem(QString::number(CellSizeOfScale(index) * 10) + QStringLiteral(" %"));
    }
    // 56 pixels hold "100 %" and the arrow in the window's 8-point font; a wider font or a
    // platform's wider arrow gets what its text needs rather than a clipped scale.
    list->setFixedWidth(std::max(56, list->sizeHint().width()));
    return list;
}

}  // namespace

ToolBar CreateToolBar(QMainWindow& window, const CommandSet& commands, QMenu* recentFiles) {
    QComboBox* scale = nullptr;
    QToolBar* bar = BuildToolBar(window, commands, [&scale](const QString&, QToolBar& owner) {
        scale = CreateScaleList(&owner);
        return scale;
    });
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->toggleViewAction()->setVisible(false);
    // As tall as a docking bar sized to one row of 16-pixel buttons.
    bar->setFixedHeight(26);

    auto* open = static_cast<QToolButton*>(bar->widgetForAction(commands.Command("acOpen")));
    open->setMenu(recentFiles);
    open->setPopupMode(QToolButton::MenuButtonPopup);
    return {bar, scale};
}

}  // namespace kadr::editor
