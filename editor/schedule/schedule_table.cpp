#include "editor/schedule/schedule_table.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace kadr::editor {
namespace {

using kadr::schedule::Entry;

const char* const kDayCaptions[] = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

QTableWidgetItem* TextItem(const QString& text, bool editable = true) {
    auto* item = new QTableWidgetItem(text);
    if (!editable) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    }
    return item;
}

QTableWidgetItem* DayItem(bool on) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    return item;
}

}  // namespace

ScheduleTable::ScheduleTable(QWidget* parent) : QTableWidget(0, kFramesColumn + 1, parent) {
    setObjectName(QStringLiteral("tbEntries"));
    QStringList captions;
    for (const char* day : kDayCaptions) {
        captions << QString::fromUtf8(day);
    }
    captions << QStringLiteral("С") << QStringLiteral("До") << QStringLiteral("Показывать")
             << QStringLiteral("Кадров");
    setHorizontalHeaderLabels(captions);
    // Narrow day and time columns leave the width to the file's name: a check box and "Пн", or
    // "24:00" while it is typed, whatever the style's idea of a column's width.
    const int day = fontMetrics().horizontalAdvance(QStringLiteral("Пн")) + 20;
    const int time = fontMetrics().horizontalAdvance(QStringLiteral("24:00")) + 24;
    horizontalHeader()->setMinimumSectionSize(std::min(day, time));
    for (int column = 0; column < kFramesColumn; ++column) {
        horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
        setColumnWidth(column, column < kFromColumn ? day : time);
    }
    horizontalHeader()->setSectionResizeMode(kShowColumn, QHeaderView::Stretch);
    setColumnWidth(kFramesColumn, time);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != kFramesColumn) {
            emit Edited();
        }
    });
}

void ScheduleTable::FillRow(int row, const Entry& entry) {
    for (int day = 0; day < kadr::schedule::kDaysPerWeek; ++day) {
        setItem(row, day, DayItem((entry.days & (1 << day)) != 0));
    }
    setItem(row, kFromColumn,
            TextItem(QString::fromStdString(kadr::schedule::ClockName(entry.from))));
    setItem(row, kToColumn, TextItem(QString::fromStdString(kadr::schedule::ClockName(entry.to))));
    setItem(row, kShowColumn, TextItem(QString::fromStdString(entry.show)));
    setItem(row, kFramesColumn, TextItem(QString(), false));
}

void ScheduleTable::SetEntries(const std::vector<Entry>& entries) {
    {
        const QSignalBlocker quiet(this);
        setRowCount(static_cast<int>(entries.size()));
        for (int row = 0; row < rowCount(); ++row) {
            FillRow(row, entries[static_cast<std::size_t>(row)]);
        }
    }
    emit Edited();
}

ScheduleTable::Reading ScheduleTable::Entries() const {
    Reading reading;
    for (int row = 0; row < rowCount(); ++row) {
        Entry entry;
        entry.days = 0;
        for (int day = 0; day < kadr::schedule::kDaysPerWeek; ++day) {
            if (item(row, day)->checkState() == Qt::Checked) {
                entry.days = static_cast<kadr::schedule::DayMask>(entry.days | (1 << day));
            }
        }
        const QString from = item(row, kFromColumn)->text().trimmed();
        const QString to = item(row, kToColumn)->text().trimmed();
        const auto fromMinutes = kadr::schedule::ParseClock(from.toStdString(), false);
        const auto toMinutes = kadr::schedule::ParseClock(to.toStdString(), true);
        entry.show = item(row, kShowColumn)->text().trimmed().toStdString();
        QString bad;
        if (!fromMinutes || !toMinutes) {
            bad = QStringLiteral("время «%1» — пишите ЧЧ:ММ, например 08:00")
                      .arg(fromMinutes ? to : from);
        } else if (entry.days == 0) {
            bad = QStringLiteral("не отмечен ни один день");
        } else if (entry.show.empty()) {
            bad = QStringLiteral("не выбран файл, который показывать");
        }
        if (!bad.isEmpty()) {
            if (reading.badRow < 0) {
                reading.badRow = row;
                reading.bad = QStringLiteral("Строка %1: %2.").arg(row + 1).arg(bad);
            }
            continue;
        }
        entry.from = *fromMinutes;
        entry.to = *toMinutes;
        reading.entries.push_back(entry);
    }
    return reading;
}

void ScheduleTable::ShowFrames(int row, int frames, const QString& error) {
    const QSignalBlocker quiet(this);
    QTableWidgetItem* cell = item(row, kFramesColumn);
    cell->setText(error.isEmpty() ? QString::number(frames) : QStringLiteral("—"));
    cell->setToolTip(error);
    cell->setForeground(error.isEmpty() ? palette().text() : QBrush(QColor(0xb0, 0, 0)));
}

void ScheduleTable::SetShow(int row, const QString& show) {
    if (row >= 0 && row < rowCount()) {
        item(row, kShowColumn)->setText(show);
    }
}

void ScheduleTable::AddRow() {
    const int row = currentRow() + 1;
    {
        const QSignalBlocker quiet(this);
        insertRow(row);
        FillRow(row, Entry{kadr::schedule::kEveryDay, 8 * 60, 12 * 60, {}});
    }
    setCurrentCell(row, kShowColumn);
    emit Edited();
}

void ScheduleTable::RemoveRow() {
    const int row = currentRow();
    if (row < 0) {
        return;
    }
    removeRow(row);
    setCurrentCell(std::min(row, rowCount() - 1), 0);
    emit Edited();
}

QList<QTableWidgetItem*> ScheduleTable::TakeRow(int row) {
    QList<QTableWidgetItem*> items;
    for (int column = 0; column < columnCount(); ++column) {
        items << takeItem(row, column);
    }
    return items;
}

void ScheduleTable::MoveRow(int by) {
    const int row = currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= rowCount()) {
        return;
    }
    {
        const QSignalBlocker quiet(this);
        const QList<QTableWidgetItem*> moving = TakeRow(row);
        const QList<QTableWidgetItem*> other = TakeRow(to);
        for (int column = 0; column < columnCount(); ++column) {
            setItem(to, column, moving[column]);
            setItem(row, column, other[column]);
        }
    }
    setCurrentCell(to, currentColumn() < 0 ? 0 : currentColumn());
    emit Edited();
}

}  // namespace kadr::editor
