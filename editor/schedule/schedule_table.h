#pragma once

#include <QTableWidget>
#include <vector>

#include "frameset/schedule/schedule.h"

namespace kadr::editor {

// The entries of a schedule as a table: a check box for each day, from, to, the file shown and
// the frames it makes. Times are typed as HH:MM; a row with one that is not stays in the table,
// marked, and is left out of the schedule until it is put right.
class ScheduleTable : public QTableWidget {
    Q_OBJECT

  public:
    static constexpr int kFromColumn = kadr::schedule::kDaysPerWeek;
    static constexpr int kToColumn = kFromColumn + 1;
    static constexpr int kShowColumn = kToColumn + 1;
    static constexpr int kFramesColumn = kShowColumn + 1;

    explicit ScheduleTable(QWidget* parent = nullptr);

    void SetEntries(const std::vector<kadr::schedule::Entry>& entries);

    struct Reading {
        std::vector<kadr::schedule::Entry> entries;
        int badRow = -1;  // the first row left out, from 0
        QString bad;      // why, in words
    };
    Reading Entries() const;

    // The frames column of a row: the count, or why there is none (in red).
    void ShowFrames(int row, int frames, const QString& error);
    void SetShow(int row, const QString& show);

    // The row buttons; the current row follows the moved row.
    void AddRow();
    void RemoveRow();
    void MoveRow(int by);

  signals:
    void Edited();

  private:
    void FillRow(int row, const kadr::schedule::Entry& entry);
    QList<QTableWidgetItem*> TakeRow(int row);
};

}  // namespace kadr::editor
