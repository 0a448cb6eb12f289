#include "ListGrid.h"

#include "shell/kit/GridHelpers.h"
#include "shell/kit/QueryModel.h"

#include <QHeaderView>

namespace tarvic {

ListGrid::ListGrid(const QString& objectName, QWidget* parent) : QTableView(parent) {
    setObjectName(objectName);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    // Every row the same height: the view then never asks the model for rows off screen.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit rowChosen(index.row());
    });
}

namespace {
// Stated widths (never narrower than the heading) and hidden columns, from a listing's columns
// or a window's own.
template <class Column>
void shapeColumns(QTableView* grid, const QList<Column>& columns) {
    for (int c = 0; c < columns.size(); ++c) {
        grid->setColumnWidth(
            c, std::max(twipsToPixels(columns.at(c).widthTwips), headingWidth(grid, columns.at(c).heading)));
        grid->setColumnHidden(c, columns.at(c).hidden);
    }
}
}  // namespace

void ListGrid::setQueryModel(QueryModel* model) {
    model_ = model;
    setModel(model);
    shapeColumns(this, model->columns());
}

void ListGrid::setRowsModel(QAbstractItemModel* model, const QList<GridColumn>& columns) {
    model_ = nullptr;
    setModel(model);
    shapeColumns(this, columns);
}

int ListGrid::rowCount() const {
    return model() ? model()->rowCount() : 0;
}

int ListGrid::columnCount() const {
    return model() ? model()->columnCount() : 0;
}

int ListGrid::currentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ListGrid::setCurrentCell(int row, int column) {
    if (model())
        setCurrentIndex(model()->index(row, column));
}

QString ListGrid::text(int row, int column) const {
    if (!model() || row < 0 || row >= model()->rowCount())
        return {};
    return model()->index(row, column).data().toString();
}

}  // namespace tarvic
