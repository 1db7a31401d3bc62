#include "ui/drivers/results_grid.h"

#include "platform/latin1.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace vexa {

namespace {

void limitTo(QLineEdit& editor, const QString& pattern, int length) {
    editor.setMaxLength(length);
    editor.setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), &editor));
}

} // namespace

ResultsGrid::ResultsGrid(QWidget* parent) : EnterGrid(MaxRounds, 4, parent) {
    setObjectName(QStringLiteral("ResultsGRD"));
    setHorizontalHeaderLabels(
        {QStringLiteral("Round"), QString(), QStringLiteral("Laps"), QStringLiteral("Time")});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    for (int r = 0; r < MaxRounds; ++r) {
        setItem(r, 0, fixedItem(QString::number(r + 1)));
        setItem(r, 1, fixedItem(QString()));
        for (int c : {LapsColumn, TimeColumn}) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, c, cell);
        }
    }
    setColumnWidth(0, horizontalHeader()->sectionSizeHint(0));
    setColumnWidth(1, 8);
    setColumnWidth(LapsColumn, fontMetrics().horizontalAdvance(QStringLiteral("8888888")));
    setColumnWidth(TimeColumn, fontMetrics().horizontalAdvance(QStringLiteral("888888.8888")));
    // All twenty rounds show at once, without scrolling.
    int width = 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c) width += columnWidth(c);
    const int height = 2 * frameWidth() + horizontalHeader()->sizeHint().height() +
                       MaxRounds * verticalHeader()->defaultSectionSize();
    setFixedSize(width, height);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnEditor(LapsColumn, [](QLineEdit& e) { limitTo(e, QStringLiteral("[0-9]*"), 5); });
    setColumnEditor(TimeColumn,
                    [](QLineEdit& e) { limitTo(e, QStringLiteral("[0-9]*\\.?[0-9]*"), 12); });
    nextOnEnter = [this](const QModelIndex& at) {
        if (at.column() == LapsColumn) return model()->index(at.row(), TimeColumn);
        if (at.column() == TimeColumn && at.row() + 1 < MaxRounds)
            return model()->index(at.row() + 1, LapsColumn);
        return QModelIndex();
    };
    setCurrentCell(0, LapsColumn);
}

void ResultsGrid::showRows(const ResultRows& rows) {
    for (int r = 1; r <= MaxRounds; ++r) {
        item(r - 1, LapsColumn)->setText(toQt(rows[r].laps));
        item(r - 1, TimeColumn)->setText(toQt(rows[r].time));
    }
}

ResultRows ResultsGrid::typedRows() {
    finishEditing();
    ResultRows rows;
    for (int r = 1; r <= MaxRounds; ++r)
        rows[r] = {fromQt(item(r - 1, LapsColumn)->text()),
                   fromQt(item(r - 1, TimeColumn)->text())};
    return rows;
}

} // namespace vexa
