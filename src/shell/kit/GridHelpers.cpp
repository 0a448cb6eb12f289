#include "GridHelpers.h"

#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <algorithm>

#include <QAbstractItemModel>
#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>

namespace tarvic {

int headingWidth(const QTableView* grid, const QString& heading) {
    const QHeaderView* h = grid->horizontalHeader();
    return h->fontMetrics().horizontalAdvance(heading) +
           2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
}

namespace {
constexpr int kFitRows = 50;
}  // namespace

void fitColumnsToRows(QTableView* grid, int widest) {
    const QAbstractItemModel* model = grid->model();
    if (!model || model->rowCount() == 0)
        return;
    // Fitted to the rows a user sees first, two screens' worth (never past a page of a list read
    // a page at a time): the view would otherwise lay out a thousand rows' cells, reading pages
    // the user has not scrolled to; a list's first page of 200 rows cost as much as reading it.
    const auto* paged = qobject_cast<const QueryModel*>(model);
    grid->horizontalHeader()->setResizeContentsPrecision(paged ? std::min(paged->pageSize(), kFitRows) : kFitRows);
    for (int c = 0; c < model->columnCount(); ++c) {
        if (grid->isColumnHidden(c))
            continue;
        const int heading = headingWidth(grid, model->headerData(c, Qt::Horizontal).toString());
        grid->resizeColumnToContents(c);
        grid->setColumnWidth(c, std::max(std::min(grid->columnWidth(c), widest), heading));
    }
}

namespace {
constexpr const char* kBlankRow = "tarvicBlankRow";
constexpr int kAlignmentRole = Qt::UserRole + 1;

Qt::Alignment columnAlignment(const QTableWidget* grid, int column) {
    const QTableWidgetItem* head = grid->horizontalHeaderItem(column);
    return head ? Qt::Alignment(head->data(kAlignmentRole).toInt()) : Qt::Alignment(Qt::AlignLeft);
}
}  // namespace

void Load_EmptyGrid(QTableWidget* grid, const QList<GridColumn>& columns) {
    grid->clear();
    grid->setColumnCount(int(columns.size()));
    grid->setRowCount(1);
    grid->setProperty(kBlankRow, true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < columns.size(); ++c) {
        const GridColumn& col = columns.at(c);
        auto* head = new QTableWidgetItem(col.heading);
        const Qt::Alignment align = (col.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
        head->setData(kAlignmentRole, int(align));
        head->setTextAlignment(Qt::AlignCenter);
        grid->setHorizontalHeaderItem(c, head);
        grid->setColumnWidth(c, std::max(twipsToPixels(col.widthTwips), headingWidth(grid, col.heading)));
        grid->setColumnHidden(c, col.hidden);
    }
}

int addGridRow(QTableWidget* grid, const QStringList& cells) {
    int row = grid->rowCount();
    if (grid->property(kBlankRow).toBool() && row == 1) {
        row = 0;
    } else {
        grid->insertRow(row);
    }
    grid->setProperty(kBlankRow, false);
    for (int c = 0; c < grid->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(c < cells.size() ? cells.at(c) : QString());
        item->setTextAlignment(columnAlignment(grid, c));
        grid->setItem(row, c, item);
    }
    return row;
}

bool isBlankRow(const QTableWidget* grid, int row) {
    return row < 0 || row >= grid->rowCount() || (grid->property(kBlankRow).toBool() && row == 0);
}

QString gridText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

bool isBlankRow(const ListGrid* grid, int row) {
    return row < 0 || row >= grid->rowCount();
}

QString gridText(const ListGrid* grid, int row, int column) {
    return grid->text(row, column);
}

void setRowColours(QTableWidget* grid, int row, const QColor& back, const QColor& fore) {
    for (int c = 0; c < grid->columnCount(); ++c) {
        QTableWidgetItem* item = grid->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            grid->setItem(row, c, item);
        }
        item->setBackground(back);
        if (fore.isValid())
            item->setForeground(fore);
    }
}

QTableWidget* addDetailedList(QWidget* window, QBoxLayout* body) {
    auto* grid = new QTableWidget(window);
    grid->setObjectName(QStringLiteral("Grid1"));
    auto* caption = new QLabel(QStringLiteral("&Detailed List"), window);
    caption->setBuddy(grid);
    body->addWidget(caption);
    body->addWidget(grid, 1);
    return grid;
}

}  // namespace tarvic
