#include "editor/window/tool_bar.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "editor/strip/strip_geometry.h"
#include "editor/window/command_table.h"

namespace kadr::editor {
namespace {

void AddButton(QToolBar& bar, QAction* command, const char* name) {
    bar.addAction(command);
    bar.widgetForAction(command)->setObjectName(QString::fromLatin1(name));
}

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

ToolBar CreateToolBar(QMainWindow& window, const Commands& c, QMenu* recentFiles) {
    auto* bar = new QToolBar(&window);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->toggleViewAction()->setVisible(false);
    // As tall as a docking bar sized to one row of 16-pixel buttons.
    bar->setFixedHeight(26);

    AddButton(*bar, c.acOpen, "tbOpen");
    auto* open = static_cast<QToolButton*>(bar->widgetForAction(c.acOpen));
    open->setMenu(recentFiles);
    open->setPopupMode(QToolButton::MenuButtonPopup);
    AddButton(*bar, c.acSave, "tbSave");
    bar->addSeparator();
    AddButton(*bar, c.acCopy, "tbCopy");
    AddButton(*bar, c.acPaste, "tbPaste");
    bar->addSeparator();
    AddButton(*bar, c.tbMoveToLeft, "tbMoveToLeft");
    AddButton(*bar, c.tbMoveToRight, "tbMoveToRight");
    AddButton(*bar, c.tbMoveToUp, "tbMoveToUp");
    AddButton(*bar, c.tbMoveToDown, "tbMoveToDown");
    bar->addSeparator();
    AddButton(*bar, c.acAdd, "tbDouble");
    AddButton(*bar, c.acClear, "tbClear");
    AddButton(*bar, c.acInsert, "tbInsert");
    bar->addSeparator();
    AddButton(*bar, c.acDelete, "tbDelete");
    bar->addSeparator();
    QComboBox* scale = CreateScaleList(bar);
    bar->addWidget(scale);

    window.addToolBar(Qt::TopToolBarArea, bar);
    return {bar, scale};
}

}  // namespace kadr::editor
